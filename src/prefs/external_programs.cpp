#include "prefs/external_programs.h"

#include "platform/platform.h"
#include "platform/program_folder.h"
#include "prefs/preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vornel {

bool viewerConfigured(const QString &viewer)
{
    return !viewer.isEmpty() && viewer != kNoViewer;
}

void prepareViewerDialog(CommonDialog &dialog, const QString &viewer)
{
    dialog.dialogTitle = QStringLiteral("Locate HTML Viewer");
    dialog.filter = kViewerFilter;
    dialog.filterIndex = 2;
    dialog.flags = FileDialogFlags::HideReadOnly | FileDialogFlags::PathMustExist | FileDialogFlags::FileMustExist;
    if (viewerConfigured(viewer)) {
        dialog.fileName = viewer;
    } else {
        dialog.fileName.clear();
        dialog.initDir = kProgramsFolder;
    }
}

ProgramCall viewerCall(const QString &viewer, const QString &documentPath)
{
    ProgramCall call;
    if (QFileInfo(viewer).isFile()) {
        call.program = viewer;
    } else {
        call.arguments = QProcess::splitCommand(viewer);
        if (!call.arguments.isEmpty())
            call.program = call.arguments.takeFirst();
    }
    call.arguments << documentPath;
    return call;
}

bool startViewer(const QString &viewer, const QString &documentPath)
{
    const ProgramCall call = viewerCall(viewer, documentPath);
    return !call.program.isEmpty() && platform().startProgram(call.program, call.arguments);
}

QString manualFileName(int index)
{
    return index == 0 ? QStringLiteral("MANUAL.html") : QStringLiteral("VORNL500.html");
}

QStringList manualFolders()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    QStringList folders{programFolder(), executableFolder, installedDataFolder()};
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/vornel");
    folders.removeDuplicates();
    return folders;
}

QString findManual(const QString &fileName, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

void openManual(int index)
{
    const QString path = findManual(manualFileName(index), manualFolders());
    if (path.isEmpty() || !platform().openWithDesktop(path)) {
        platform().messageBox(QStringLiteral("Could not locate program"),
                              QStringLiteral("Could not find WordPad or Write. Please make sure that it is in "
                                             "your default path."),
                              MsgButtons::Ok, MsgIcon::Question);
    }
}

} // namespace vornel
