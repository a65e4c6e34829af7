#include "editor/modal_dialog.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

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

QPushButton *newOkButton(QDialog *dialog, const QString &name)
{
    auto *button = new QPushButton(QDialog::tr("OK"), dialog);
    button->setObjectName(name);
    button->setDefault(true);
    return button;
}

QPushButton *newCancelButton(QDialog *dialog, const QString &name)
{
    auto *button = new QPushButton(QDialog::tr("Cancel"), dialog);
    button->setObjectName(name);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::reject);
    return button;
}

void centreOnScreen(QDialog &dialog)
{
    dialog.adjustSize();
    const QWidget *anchor = dialog.parentWidget();
    const QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen)
        dialog.setGeometry(
            QStyle::alignedRect(dialog.layoutDirection(), Qt::AlignCenter, dialog.size(), screen->geometry()));
}

void setModalDialogRunner(ModalDialogRunner runner)
{
    installedRunner() = std::move(runner);
}

} // namespace vornel
