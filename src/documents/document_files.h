#pragma once

#include <QString>

namespace vornel {

class DocumentWindow;

// Moving documents between document windows and the disk, and the File menu commands.

// Loads the file at path into a new document window titled name (upper-cased). On failure to
// open: "Can't open file: " + path, and no window. Returns the new window or nullptr.
DocumentWindow *LoadDocument(const QString &path, const QString &name);
// Writes the window's text followed by one CR LF to path, replacing the file safely; on
// success retitles the window and clears its changed flag. False (and the error shown) on
// failure, with the window unchanged.
bool SaveDocument(DocumentWindow &window, const QString &path, const QString &name);
// The Save As dialog: the chosen full path, or the empty text on Cancel.
QString AskSaveAsName();
// Yes in the close question: saves the window being closed; false means the close is
// cancelled (no name chosen, or the save failed).
bool SaveOnClose(DocumentWindow &window);

void OpenCommand();
void SaveCommand(DocumentWindow &window);
void SaveAsCommand(DocumentWindow &window);
void InsertFileCommand();
void DeleteFileCommand();
void PrintCommand();
void PrintSetupCommand();

// The part of path after its last backslash or slash, or the whole path.
QString FileNameOf(const QString &path);
// True, with that window brought to the front, when a document window shows the same file.
bool ActivateIfOpen(const QString &path);

} // namespace vornel
