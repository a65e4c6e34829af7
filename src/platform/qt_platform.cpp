#include "platform/qt_platform.h"

#include "platform/dialog_rules.h"
#include "platform/x11_key_locks.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QUrl>

#include <algorithm>

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

// The lines of a print job: CR LF, a lone CR and a lone LF each end a line; a line end at the
// very end starts no further line.
QStringList printLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

// The box wraps its text at blanks and after folder separators by itself, to a width that
// suits the screen. A stretch it cannot break wider than half the screen would make it break
// every word anywhere, or on a small screen grow wider than the screen.
int widestUnbrokenText(const QWidget &box)
{
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 640;
    return std::min(screenWidth / 2, 800);
}

} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

MsgResult QtPlatform::messageBox(const QString &title, const QString &text, MsgButtons buttons,
                                 MsgIcon icon)
{
    QMessageBox box(qtIcon(icon), title, QString(), QMessageBox::NoButton, dialogParent());
    // Shown as written: a file name with "&lt;" in it is not taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(messageBoxText(text, widestUnbrokenText(box), [&box](QStringView stretch) {
        return box.fontMetrics().horizontalAdvance(stretch.toString());
    }));
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

bool QtPlatform::openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::showColorDialog(QColor &color)
{
    // Qt's own dialog always offers its custom colours; nothing else is asked of it.
    const QColor chosen = QColorDialog::getColor(color, dialogParent());
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool QtPlatform::showFontDialog(QFont &font)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, font, dialogParent());
    if (!accepted)
        return false;
    font = chosen;
    return true;
}

QPrinter &QtPlatform::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool QtPlatform::showPrintDialog(PrintDialogOptions &options)
{
    QPrinter &target = printer();
    target.setCopyCount(options.copies);
    // Printing to a file is a choice of this dialog, not a leftover of the last one.
    target.setOutputFileName(QString());
    const bool preselect = options.flags & PrintDialogFlags::Selection;
    target.setPrintRange(preselect ? QPrinter::Selection : QPrinter::AllPages);

    QPrintDialog dialog(&target, dialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintToFile,
                     !(options.flags & PrintDialogFlags::DisablePrintToFile));
    dialog.setOption(QAbstractPrintDialog::PrintSelection,
                     !(options.flags & PrintDialogFlags::NoSelection));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange,
                     !(options.flags & PrintDialogFlags::NoPageNums));
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    options.copies = target.copyCount();
    options.flags &= ~(PrintDialogFlags::Selection | PrintDialogFlags::PrintToFile);
    if (target.printRange() == QPrinter::Selection)
        options.flags |= PrintDialogFlags::Selection;
    if (!target.outputFileName().isEmpty())
        options.flags |= PrintDialogFlags::PrintToFile;
    // The caller prints each copy as a job of its own.
    target.setCopyCount(1);
    return true;
}

bool QtPlatform::showPrintSetupDialog()
{
    QPageSetupDialog dialog(&printer(), dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatform::printText(const QString &text)
{
    QPrinter &target = printer();
    QPainter painter;
    if (!painter.begin(&target))
        return false;
    const QRectF page = target.pageLayout().paintRectPixels(target.resolution());
    const qreal lineHeight = QFontMetricsF(painter.font(), &target).lineSpacing();
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    qreal y = 0;
    for (const QString &line : printLines(text)) {
        if (y > 0 && y + lineHeight > page.height()) {
            if (!target.newPage())
                return false;
            y = 0;
        }
        // Drawn into the line's rectangle, which clips a long line instead of wrapping it.
        painter.drawText(QRectF(0, y, page.width(), lineHeight), flags, line);
        y += lineHeight;
    }
    return painter.end();
}

KeyLockState QtPlatform::keyLockState()
{
    if (QGuiApplication::platformName() != u"xcb")
        return {};
    return readX11KeyLocks();
}

} // namespace vornel
