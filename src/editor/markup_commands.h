#pragma once

#include "editor/command_table.h"

#include <vector>

namespace vornel {

class TextArea;

// The markup commands of a document window's menus, as menu tables:
// - Document: the document tags mnuDoc(0..4);
// - Styles: the "&Headings" submenu ("mnuHeadings", mnuHead(1..6), Ctrl+1..6 shown as text),
//   then the text styles mnuTextStyle(0..20) with their real shortcuts (Ctrl+B, I, K, T, U, F);
// - Insert: the "&Lists" submenu ("mnuLists") with mnuListAssist and mnuList(0..8), the elements
//   mnuInsert(0..15) (entry 9 hidden), a separator, MnuAscii and mnuComment;
// - Special: the entities mnuSpecial(0..2), mnuDateTime, mnuGoHome, the alignment entries
//   mnuJustify(0..5), then the table entries mnutable(0..5) with the submenus
//   "mnuTableBorder", "mnuHeadingXTRA" and "mnuCellXTRA".
// The entries that open the program's own dialogs get their operations from the caller.
std::vector<CommandRow> documentTagRows();
std::vector<CommandRow> styleRows();
std::vector<CommandRow> insertRows(const CommandOperation &listAssist, const CommandOperation &image,
                                   const CommandOperation &documentLink);
std::vector<CommandRow> specialRows(const CommandOperation &dateTime);

// Row makers for markup tables (the control name is set by controlArray):
// "<tag>" in front of the selection and "</tag>" behind it;
CommandRow inlineTagRow(const char *caption, const char *tag,
                        QKeyCombination shortcut = QKeyCombination::fromCombined(0));
// the tag on a line of its own (insertBlockTag);
CommandRow blockTagRow(const char *caption, const char *tag, bool closeTag);
// startTag in front of the selection and endText behind it, the caret after it all;
CommandRow elementRow(const char *caption, const QString &startTag, const QString &endText);
// text in front of the selection (insertBeforeSelection);
CommandRow beforeSelectionRow(const char *caption, const char *text);
CommandRow separatorRow();
// Names the rows name(0), name(1), ... in order.
std::vector<CommandRow> controlArray(const QString &name, std::vector<CommandRow> rows);

// mnuList(index) on a text area: a list skeleton or block tags with nothing selected, the
// selected lines turned into a list otherwise, assigned as one undo step. The conversion lets
// the window repaint while it runs.
void listCommand(TextArea &area, int index);
// The selected text turned into a list of the kind ("OL", "UL", "DIR", "MENU" or an image
// bullet put in front of each line), the same way and as one undo step.
void convertSelectionToList(TextArea &area, const QString &kind);

} // namespace vornel
