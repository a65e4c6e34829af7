#pragma once

#include <QString>

#include <functional>

class QDialog;
class QPushButton;

namespace vornel {

// Every one of the program's own modal dialogs is shown through here, so that a test can
// answer a dialog that a command opens instead of waiting for a user.
using ModalDialogRunner = std::function<int(QDialog &dialog)>;

// Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
int runModalDialog(QDialog &dialog);
// Replaces how runModalDialog shows dialogs; an empty runner restores QDialog::exec().
void setModalDialogRunner(ModalDialogRunner runner);

// Sizes the dialog to its contents and centres it on its screen (its parent's, else the
// primary one). The window frame is not known before the dialog is shown, so the dialog's own
// area is centred.
void centreOnScreen(QDialog &dialog);

// A dialog's OK button, named as its form names it: the default button. What it does is the
// dialog's own.
QPushButton *newOkButton(QDialog *dialog, const QString &name = QStringLiteral("cmdOK"));
// Its Cancel button: never the default, it closes the dialog unaccepted.
QPushButton *newCancelButton(QDialog *dialog, const QString &name = QStringLiteral("cmdCancel"));

} // namespace vornel
