#pragma once

namespace vornel {

class TextArea;

// Edit > "&Find...": the Find dialog, filled with the selected text or else the last search
// text; the first search from it starts at the caret itself.
void openFindDialog(TextArea &area);
// Edit > "Find &Next" (index 0, down) and "Find Pre&vious" (index 1, up); with nothing
// searched for yet, the Find dialog instead.
void findNextCommand(TextArea &area, int index);
// Edit > "&Replace...": the Replace dialog, filled as the Find dialog is; the replace run
// chosen in it follows once it has closed.
void openReplaceDialog(TextArea &area);
// The main toolbar's search button: the Find dialog for the active document window, or a
// beep when no document is open.
void searchButtonClick();

} // namespace vornel
