#include "dialogs/modal_dialog.h"

#include <QDialog>

namespace vornel {

namespace {

ModalDialogRunner &installedRunner()
{
    static ModalDialogRunner runner;
    return runner;
}

} // namespace

int runModalDialog(QDialog &dialog)
{
    if (const ModalDialogRunner &runner = installedRunner())
        return runner(dialog);
    return dialog.exec();
}

void setModalDialogRunner(ModalDialogRunner runner)
{
    installedRunner() = std::move(runner);
}

} // namespace vornel
