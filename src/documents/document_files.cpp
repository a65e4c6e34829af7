#include "documents/document_files.h"

#include "documents/disk_watch.h"
#include "documents/read_report.h"
#include "documents/recent_files.h"
#include "documents/recovery.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/text_encoding.h"
#include "editor/workspace.h"
#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/version.h"
#include "prefs/preferences.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace vornel {

namespace {

const QString kOpenFilter = QStringLiteral(
    "HTML Files (*.htm;*.html)|*.htm;*.html|Templates (*.htt)|*.htt|Text Files (*.txt)|*.txt|"
    "All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral(
    "DOS/Windows HTML (*.htm)|*.htm|HTML Files (*.html)|*.html|Templates (*.htt)|*.htt|"
    "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
const QString kDeleteFilter = QStringLiteral(
    "HTML Files (*.htm;*.html)|*.htm;*.html|Templates (*.htt)|*.htt|"
    "Text Files (*.txt;*.text)|*.txt;*.text|All Files (*.*)|*.*");

constexpr int kPickExistingFile =
    FileDialogFlags::FileMustExist | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly;

// Files below this size load too fast to be worth a progress display.
constexpr qint64 kShowProgressFrom = 8 * 1024 * 1024;

// The hourglass for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Where a large file's load has got to, in the status area; a small file loads before anyone
// could read it. The label is repainted at once: letting events run here would let the user
// start other commands in the middle of the load.
class LoadProgress {
public:
    LoadProgress(Workspace &workspace, qint64 fileSize)
        : m_workspace(workspace)
        , m_active(fileSize >= kShowProgressFrom)
        , m_after(workspace.statusText())
    {
    }
    ~LoadProgress()
    {
        if (m_shown)
            m_workspace.setStatusText(m_after);
    }
    LoadProgress(const LoadProgress &) = delete;
    LoadProgress &operator=(const LoadProgress &) = delete;

    void show(const QString &text)
    {
        if (!m_active || text == m_workspace.statusText())
            return;
        m_shown = true;
        m_workspace.setStatusText(text);
        m_workspace.repaintStatusText();
    }
    // The status text once the load is over.
    void setTextAfter(const QString &text) { m_after = text; }

private:
    Workspace &m_workspace;
    bool m_active;
    bool m_shown = false;
    QString m_after;
};

// True when the desktop's trash took the file. Finding no trash at all, Qt would put the file
// into a trash in the current folder; so the home trash is made sure of first, as the desktop
// would make it.
bool moveToDesktopTrash(const QString &path)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QFileInfo(data).isDir())
        return false;
    const QString trash = QDir(data).filePath(QStringLiteral("Trash"));
    if (QDir(data).mkdir(QStringLiteral("Trash")))
        QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFileInfo(trash).isDir() && QFile::moveToTrash(path);
}

void tell(const QString &title, const QString &text, MsgIcon icon = MsgIcon::None)
{
    platform().messageBox(title, text, MsgButtons::Ok, icon);
}

// The shared file dialog prepared as an open dialog; the default extension a Save As left
// behind would otherwise be added to the name of the file picked.
CommonDialog &openDialog(Workspace &workspace, const QString &title, const QString &filter, int filterIndex)
{
    CommonDialog &dialog = workspace.commonDialog();
    dialog.dialogTitle = title;
    dialog.filter = filter;
    dialog.filterIndex = filterIndex;
    dialog.defaultExt.clear();
    dialog.fileName.clear();
    return dialog;
}

void retitle(DocumentWindow &window, const QString &path, const QString &name)
{
    // A relative path (from the command line) would name another file once the current
    // folder changes.
    const QFileInfo file(path);
    window.setRealFileName(file.isRelative() ? file.absoluteFilePath() : path);
    window.setCaption(name.toUpper());
}

} // namespace

DocumentWindow *loadDocument(Workspace &workspace, const QString &path, const QString &name)
{
    FileRead file;
    DocumentWindow *window = nullptr;
    {
        BusyCursor busy;
        LoadProgress progress(workspace, QFileInfo(path).size());
        file = readWholeFile(path, [&](qint64 done, qint64 total) {
            progress.show(QStringLiteral("Reading %1 (%2%)").arg(name, QString::number(done * 100 / total)));
        });
        if (file.opened) {
            const int slot = documentTable().findFreeSlot();
            window = workspace.createDocumentWindow(slot);
            retitle(*window, path, name);
            // It was activated under its "Untitled:" caption.
            if (workspace.activeDocument() == window)
                workspace.setStatusText(QStringLiteral("Edit ") + window->caption());
            progress.setTextAfter(workspace.statusText());
            progress.show(QStringLiteral("Loading %1 ...").arg(name));
            window->textArea()->loadBytes(file.bytes, [&](int percent) {
                progress.show(QStringLiteral("Loading %1 (%2%)").arg(name, QString::number(percent)));
                // The window repaints between parts; what the user types waits for the end.
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            });
            window->textArea()->setSelStart(0);
            window->setChanged(false);
            diskWatch().track(*window, window->realFileName());
        }
    }
    reportRead(file, cantOpenFile(path), name);
    return window;
}

bool saveDocument(DocumentWindow &window, const QString &path, const QString &name)
{
    if (!diskWatch().confirmSave(window, path))
        return false;
    QString error;
    {
        BusyCursor busy;
        // A saved document always ends with one line end more than its text; appended in
        // place, as a 10 MB text has no copy to spare.
        QByteArray bytes = window.textArea()->toBytes();
        bytes.append("\r\n", 2);
        error = writeFileSafely(path, bytes);
    }
    if (!error.isEmpty()) {
        tell(kProductName, withReason(QStringLiteral("Can't save file: ") + path, failureReason(path, error)),
             MsgIcon::Exclamation);
        return false;
    }
    retitle(window, path, name);
    window.setChanged(false);
    forgetRecoveryCopy(window);
    diskWatch().track(window, window.realFileName());
    return true;
}

QString askSaveAsName(Workspace &workspace)
{
    CommonDialog &dialog = workspace.commonDialog();
    dialog.dialogTitle.clear();
    dialog.filter = kSaveFilter;
    dialog.filterIndex = 1;
    dialog.flags = FileDialogFlags::OverwritePrompt | FileDialogFlags::HideReadOnly;
    dialog.defaultExt = QStringLiteral("html");
    dialog.initDir = prefs().DocPath;
    dialog.fileName.clear();
    if (!platform().showSaveDialog(dialog))
        return QString();
    return dialog.fileName;
}

bool saveOnClose(Workspace &workspace, DocumentWindow &window)
{
    if (window.isUntitled()) {
        const QString path = askSaveAsName(workspace);
        if (path.isEmpty())
            return false;
        // Only a file that was written is offered again.
        if (!saveDocument(window, path, fileNameOf(path)))
            return false;
        addRecentFile(workspace, path);
        return true;
    }
    return saveDocument(window, window.realFileName(), window.caption());
}

void openCommand(Workspace &workspace)
{
    CommonDialog &dialog = openDialog(workspace, QString(), kOpenFilter, 1);
    dialog.flags = kPickExistingFile;
    dialog.initDir = prefs().DocPath;
    if (!platform().showOpenDialog(dialog))
        return;
    const QString path = dialog.fileName;
    const QString name = dialog.fileTitle;
    if (activateIfOpen(workspace, path)) {
        tell(QStringLiteral("File Open"), QStringLiteral("The file ") + name + QStringLiteral(" is already open"));
        return;
    }
    if (loadDocument(workspace, path, name))
        addRecentFile(workspace, path);
}

void saveCommand(Workspace &workspace, DocumentWindow &window)
{
    QString path;
    QString name;
    if (window.isUntitled()) {
        path = askSaveAsName(workspace);
        name = fileNameOf(path);
    } else {
        path = window.realFileName();
        name = window.caption();
    }
    if (!path.isEmpty() && saveDocument(window, path, name))
        addRecentFile(workspace, path);
}

void saveAsCommand(Workspace &workspace, DocumentWindow &window)
{
    const QString path = askSaveAsName(workspace);
    if (!path.isEmpty() && saveDocument(window, path, fileNameOf(path)))
        addRecentFile(workspace, path);
}

void insertFileCommand(Workspace &workspace)
{
    DocumentWindow *window = workspace.activeDocument();
    if (!window)
        return;
    CommonDialog &dialog =
        openDialog(workspace, QStringLiteral("Insert a File Into This Document"), kOpenFilter, 3);
    const bool chosen = platform().showOpenDialog(dialog);
    dialog.dialogTitle.clear();
    if (!chosen)
        return;
    const QString path = dialog.fileName;
    const QString name = dialog.fileTitle;

    FileRead file;
    {
        BusyCursor busy;
        file = readWholeFile(path);
        if (file.opened)
            window->textArea()->setSelText(codec::decodeFile(file.bytes));
    }
    reportRead(file, cantOpenFile(path), name);
}

void deleteFileCommand(Workspace &workspace)
{
    CommonDialog &dialog = openDialog(workspace, QStringLiteral("Select File to Delete"), kDeleteFilter, 1);
    dialog.flags = kPickExistingFile;
    const bool chosen = platform().showOpenDialog(dialog);
    dialog.dialogTitle.clear();
    if (!chosen)
        return;
    const MsgResult answer = platform().messageBox(
        QStringLiteral("Deleting File"),
        QStringLiteral("Are you sure you want to delete the file ") + dialog.fileTitle + QStringLiteral(" ?"),
        MsgButtons::YesNo, MsgIcon::Question);
    if (answer != MsgResult::Yes)
        return;
    // Where the desktop has a trash the file goes there and can be taken back; only where
    // there is none is it deleted for good.
    QFile file(dialog.fileName);
    if (moveToDesktopTrash(dialog.fileName) || file.remove())
        diskWatch().noteOwnChange(dialog.fileName);
    else
        tell(QStringLiteral("Deleting File"),
             withReason(QStringLiteral("Can't delete file: ") + dialog.fileName,
                        failureReason(dialog.fileName, file.errorString())),
             MsgIcon::Exclamation);
}

QString fileNameOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? path : path.mid(slash + 1);
}

bool activateIfOpen(Workspace &workspace, const QString &path)
{
    const DocumentTable &table = documentTable();
    for (int slot = 1; slot <= table.size(); ++slot) {
        if (table.isFree(slot))
            continue;
        DocumentWindow *window = workspace.documentInSlot(slot);
        if (window && isSameFile(window->realFileName(), path)) {
            workspace.activateDocument(window);
            return true;
        }
    }
    return false;
}

} // namespace vornel
