#pragma once

#include "editor/command_table.h"

#include <vector>

namespace vornel {

class TextArea;
class Workspace;

// Edit > "&Find...": the Find dialog, filled with the selected text or else the last search
// text; the first search from it starts at the caret itself.
void openFindDialog(Workspace &workspace, TextArea &area);
// Edit > "Find &Next" (index 0, down) and "Find Pre&vious" (index 1, up); with nothing
// searched for yet, the Find dialog instead.
void findNextCommand(Workspace &workspace, TextArea &area, int index);
// Edit > "&Replace...": the Replace dialog, filled as the Find dialog is; the replace run
// chosen in it follows once it has closed.
void openReplaceDialog(Workspace &workspace, TextArea &area);
// The main toolbar's search button: the Find dialog for the active document window, or a
// beep when no document is open.
void searchButtonClick(Workspace &workspace);

// The Edit menu's search entries: mnuSFind, mnuSFindNext(0..1) and mnuSReplace.
std::vector<CommandRow> searchRows();

} // namespace vornel
