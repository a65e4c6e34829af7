#pragma once

#include "editor/command_table.h"
#include "editor/list_conversion.h"

#include <optional>

#include <vector>

namespace vornel {

class TextArea;
class TextEdit;

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

// A list command's whole effect: the selection it was worked out for (start, length) gives way
// to the result.
struct ListEdit {
    int start = 0;
    int length = 0;
    SelectionReplacement result;
};

// What mnuList(index) does to the selection: a list skeleton or block tags with nothing
// selected, the selected lines turned into a list otherwise; nothing when it changes nothing.
// Worked out on a copy of the selection and the two characters before it.
std::optional<ListEdit> listCommandEdit(const TextEdit &edit, int index, const ListYield &yield = {});
// The selected text turned into a list of the kind ("OL", "UL", "DIR", "MENU" or an image
// bullet put in front of each line).
std::optional<ListEdit> listConversionEdit(const TextEdit &edit, const QString &kind, const ListYield &yield = {});
// Assigns a list edit as one undo step, the caret at its caret offset; nothing when the
// selection is no longer the one it was worked out for.
void applyListEdit(TextEdit &edit, const ListEdit &list);

// The two on a text area: the window repaints while the conversion runs.
void listCommand(TextArea &area, int index);
void convertSelectionToList(TextArea &area, const QString &kind);

} // namespace vornel
