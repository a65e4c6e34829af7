#pragma once

#include "editor/text_edit.h"
#include "editor/text_find.h"

namespace vornel {

struct SearchState;

// One find step from the selection in state.SearchDirection (1 down, 0 up). Selects the
// occurrence found, or says "Cannot find" and leaves the selection; either way
// LastSearchPos takes the selection start and NewSearch is cleared. True when found.
bool findStep(TextEdit &target, SearchState &state);

enum class ReplaceMode { ConfirmEach = 0, ReplaceAll = 1 };

// Replaces occurrences of state.SearchText by state.ReplaceText from the selection start to
// the end, then (when asked) from the beginning to where the run began. ConfirmEach asks
// about each occurrence; Cancel there ends the run at once.
void replaceRun(TextEdit &target, ReplaceMode mode, SearchState &state);

} // namespace vornel
