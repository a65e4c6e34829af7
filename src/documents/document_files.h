#pragma once

#include <QString>

namespace vornel {

class DocumentWindow;

// Moving documents between document windows and the disk, and the File menu commands.

// Loads the file at path into a new document window titled name (upper-cased). On failure to
// open: "Can't open file: " + path, and no window. Returns the new window or nullptr.
DocumentWindow *loadDocument(const QString &path, const QString &name);
// Writes the window's text followed by one CR LF to path, replacing the file safely; on
// success retitles the window and clears its changed flag. False (and the error shown) on
// failure, with the window unchanged.
bool saveDocument(DocumentWindow &window, const QString &path, const QString &name);
// The Save As dialog: the chosen full path, or the empty text on Cancel.
QString askSaveAsName();
// Yes in the close question: saves the window being closed; false means the close is
// cancelled (no name chosen, or the save failed).
bool saveOnClose(DocumentWindow &window);

void openCommand();
void saveCommand(DocumentWindow &window);
void saveAsCommand(DocumentWindow &window);
void insertFileCommand();
void deleteFileCommand();
void printCommand();
void printSetupCommand();

// The part of path after its last backslash or slash, or the whole path.
QString fileNameOf(const QString &path);
// True, with that window brought to the front, when a document window shows the same file.
bool activateIfOpen(const QString &path);

} // namespace vornel
