#pragma once

#include <QString>

namespace vornel {

class DocumentWindow;
class Workspace;

// Moving documents between document windows and the disk, and the File menu commands.

// Loads the file at path into a new document window titled name (upper-cased). On failure to
// open: "Can't open file: " + path, and no window. Returns the new window or nullptr.
DocumentWindow *loadDocument(Workspace &workspace, const QString &path, const QString &name);
// Writes the window's text followed by one CR LF to path, replacing the file safely; on
// success retitles the window and clears its changed flag. False (and the error shown) on
// failure, with the window unchanged.
bool saveDocument(DocumentWindow &window, const QString &path, const QString &name);
// The Save As dialog: the chosen full path, or the empty text on Cancel.
QString askSaveAsName(Workspace &workspace);
// Yes in the close question: saves the window being closed; false means the close is
// cancelled (no name chosen, or the save failed).
bool saveOnClose(Workspace &workspace, DocumentWindow &window);

void openCommand(Workspace &workspace);
void saveCommand(Workspace &workspace, DocumentWindow &window);
void saveAsCommand(Workspace &workspace, DocumentWindow &window);
// Inserts a file's text into the active document.
void insertFileCommand(Workspace &workspace);
void deleteFileCommand(Workspace &workspace);
// Prints the active document, or its selection.
void printCommand(Workspace &workspace);
void printSetupCommand();

// The part of path after its last backslash or slash, or the whole path.
QString fileNameOf(const QString &path);
// True, with that window brought to the front, when a document window shows the same file.
bool activateIfOpen(Workspace &workspace, const QString &path);

} // namespace vornel
