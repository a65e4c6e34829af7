#pragma once

namespace vornel {

class DocumentWindow;
class TextArea;

// The markup menus of a document window, each built from its table:
// - Styles: the text styles mnuTextStyle(0..20) after the Headings submenu, with their real
//   shortcuts (Ctrl+B, I, K, T, U, F) answered while the focus is in the window;
// - Insert ("mnuInsert"): the "&Lists" submenu ("mnuLists") with mnuList(0..8). The
//   "&ListAssist" entry goes first in that submenu; mnuInsert(0..15), MnuAscii and mnuComment
//   follow the submenu;
// - Special ("mnuSpecial"): the alignment entries mnuJustify(0..5), then the table entries
//   mnutable(0..5) with the submenus "mnuTableBorder", "mnuHeadingXTRA" and "mnuCellXTRA".
//   The entities mnuSpecial(0..2), mnuDateTime and mnuGoHome go in front of mnuJustify(0).
void addMarkupMenus(DocumentWindow &window);

// mnuList(index) on a text area: a list skeleton or block tags with nothing selected, the
// selected lines turned into a list otherwise, assigned as one undo step. The conversion lets
// the window repaint while it runs.
void listCommand(TextArea &area, int index);

} // namespace vornel
