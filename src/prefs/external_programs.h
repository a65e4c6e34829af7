#pragma once

#include <QString>
#include <QStringList>

namespace vornel {

struct CommonDialog;

// Handing work to other programs: the HTML viewer that previews a document, and the
// program's own manual.

inline const QString kViewerFilter = QStringLiteral("Program Files (*.exe)|*.exe|All Files (*.*)|*.*");
// Where a viewer is looked for when none is chosen yet.
inline const QString kProgramsFolder = QStringLiteral("/usr/bin");

// True when viewer names a program: not empty and not "*.exe".
bool viewerConfigured(const QString &viewer);

// Prepares a file dialog for picking the viewer: title "Locate HTML Viewer", the program
// filter with "All Files" chosen (programs here have no extension), existing files only. It
// starts at the current viewer, or in the programs folder when there is none.
void prepareViewerDialog(CommonDialog &dialog, const QString &viewer);

// A program and its arguments, each argument passed as it is (no shell).
struct ProgramCall {
    QString program;
    QStringList arguments;

    bool operator==(const ProgramCall &) const = default;
};

// How the viewer is started for a document: a viewer that names an existing file is the
// program, blanks and all; otherwise it is split as a command line ("firefox --new-window").
// The document's path is the last argument, whole.
ProgramCall viewerCall(const QString &viewer, const QString &documentPath);

// Starts the viewer on the document; false when it could not be started.
bool startViewer(const QString &viewer, const QString &documentPath);

// The two manual files: index 0 the short guide "Using Vornel", 1 the full manual.
QString manualFileName(int index);
// Where the manual is looked for, in order: the program's folder, the executable's folder,
// the installed data folder (share/vornel beside the program's folder), then the system's and
// the user's data folders.
QStringList manualFolders();
// The first folder's copy of fileName, or the empty text when none has it.
QString findManual(const QString &fileName, const QStringList &folders);

// Help > "Using Vornel" (index 0) and "Vornel Manual" (1): opens the manual in the desktop's
// viewer for it; when it cannot be found or opened, says so.
void openManual(int index);

} // namespace vornel
