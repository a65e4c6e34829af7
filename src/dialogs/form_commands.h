#pragma once

#include "editor/command_table.h"

#include <vector>

namespace vornel {

class TextEdit;
class Workspace;

enum class FormMethod { Post, Get };
enum class OptionState { Selected, NotSelected };

// The FORM element: asks for the processing program in the history input (url-list.qvl, no
// Browse: a program address cannot be browsed for) and writes the start tag, an empty line
// and "</FORM>" around the selection. An empty answer writes nothing.
void formElementCommand(Workspace &workspace, TextEdit &edit, FormMethod method);

// An OPTION entry: asks for its text, offering the selection; writes the start tag on a line
// of its own and the answer after it. A non-empty answer takes the selection's place; Cancel
// or an empty answer leaves the selection behind the start tag.
void optionCommand(TextEdit &edit, OptionState state);

// The rows of the Forms menu (mnuForm(0..4) with the submenus mnuFormAction, mnuFormInput,
// mnuFormSelect and mnuFormOption).
std::vector<CommandRow> formRows();

} // namespace vornel
