#pragma once

#include <QString>

namespace vornel {

// What the find and replace commands remember between uses: one record shared by every
// document window for the whole run of the program, never stored.
struct SearchState {
    QString SearchText;
    QString ReplaceText;
    // Non-zero: matching is case-sensitive (the "Match Case" box).
    int MatchCase = 0;
    // 1 searches toward the end of the text, 0 toward its start.
    int SearchDirection = 0;
    // The selection start the last find step or replace run left. Any position fits, so long
    // documents search as well as short ones.
    int LastSearchPos = 0;
    // Set when the Find dialog opens: the next find step starts at the caret itself.
    bool NewSearch = false;
};

SearchState &searchState();
// Back to the program-start state (empty texts, zeros); for tests.
void resetSearchState();

} // namespace vornel
