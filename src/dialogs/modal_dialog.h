#pragma once

#include <functional>

class QDialog;

namespace vornel {

// Every one of the program's own modal dialogs is shown through here, so that a test can
// answer a dialog that a command opens instead of waiting for a user.
using ModalDialogRunner = std::function<int(QDialog &dialog)>;

// Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
int runModalDialog(QDialog &dialog);
// Replaces how runModalDialog shows dialogs; an empty runner restores QDialog::exec().
void setModalDialogRunner(ModalDialogRunner runner);

} // namespace vornel
