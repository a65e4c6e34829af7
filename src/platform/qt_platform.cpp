#include "platform/qt_platform.h"

#include "platform/dialog_rules.h"
#include "platform/x11_key_locks.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>

namespace vornel {

namespace {

QMessageBox::StandardButton qtButton(MsgResult answer)
{
    switch (answer) {
    case MsgResult::Ok:
        return QMessageBox::Ok;
    case MsgResult::Cancel:
        return QMessageBox::Cancel;
    case MsgResult::Yes:
        return QMessageBox::Yes;
    case MsgResult::No:
        return QMessageBox::No;
    case MsgResult::Retry:
        return QMessageBox::Retry;
    case MsgResult::Abort:
        return QMessageBox::Abort;
    case MsgResult::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgResult QtPlatform::messageBox(const QString &title, const QString &text, MsgButtons buttons,
                                 MsgIcon icon)
{
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, dialogParent());
    const QList<MsgResult> answers = answersOf(buttons);
    for (MsgResult answer : answers)
        box.addButton(qtButton(answer));
    // Set both explicitly rather than trusting Qt's guesses: the first button is the
    // default, and Escape or closing the box gives escapeAnswer().
    box.setDefaultButton(qtButton(answers.first()));
    box.setEscapeButton(box.button(qtButton(escapeAnswer(buttons))));
    box.exec();

    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (MsgResult answer : answers) {
        if (qtButton(answer) == pressed)
            return answer;
    }
    return escapeAnswer(buttons);
}

QString QtPlatform::inputBox(const QString &title, const QString &prompt,
                             const QString &defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal,
                                               defaultText, &accepted);
    return accepted ? text : QString();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

QString QtPlatform::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void QtPlatform::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool QtPlatform::showOpenDialog(CommonDialog &dialog)
{
    return showFileDialog(dialog, FileDialogUse::Open);
}

bool QtPlatform::showSaveDialog(CommonDialog &dialog)
{
    return showFileDialog(dialog, FileDialogUse::Save);
}

bool QtPlatform::showFileDialog(CommonDialog &dialog, FileDialogUse use)
{
    QFileDialog fileDialog(dialogParent());
    // Without a title of our own Qt picks "Open" or "Save As" to suit the accept mode.
    if (!dialog.dialogTitle.isEmpty())
        fileDialog.setWindowTitle(dialog.dialogTitle);

    if (use == FileDialogUse::Open) {
        fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
        const bool mustExist = dialog.flags & (FileDialogFlags::FileMustExist
                                               | FileDialogFlags::PathMustExist);
        fileDialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        fileDialog.setAcceptMode(QFileDialog::AcceptSave);
        fileDialog.setFileMode(QFileDialog::AnyFile);
        fileDialog.setOption(QFileDialog::DontConfirmOverwrite,
                             !(dialog.flags & FileDialogFlags::OverwritePrompt));
    }

    const QStringList nameFilters = qtNameFilters(dialog.filter);
    if (!nameFilters.isEmpty()) {
        fileDialog.setNameFilters(nameFilters);
        const bool inRange = dialog.filterIndex >= 1 && dialog.filterIndex <= nameFilters.size();
        fileDialog.selectNameFilter(nameFilters.at(inRange ? dialog.filterIndex - 1 : 0));
    }
    if (!dialog.initDir.isEmpty())
        fileDialog.setDirectory(dialog.initDir);
    if (!dialog.fileName.isEmpty())
        fileDialog.selectFile(dialog.fileName);
    fileDialog.setDefaultSuffix(dialog.defaultExt);

    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return false;

    dialog.fileName = fileDialog.selectedFiles().constFirst();
    dialog.fileTitle = fileTitleOf(dialog.fileName);
    const qsizetype chosenFilter = nameFilters.indexOf(fileDialog.selectedNameFilter());
    if (chosenFilter >= 0)
        dialog.filterIndex = int(chosenFilter) + 1;
    return true;
}

bool QtPlatform::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

KeyLockState QtPlatform::keyLockState()
{
    if (QGuiApplication::platformName() != u"xcb")
        return {};
    return readX11KeyLocks();
}

} // namespace vornel
