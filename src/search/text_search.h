#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace vornel {

struct SearchState;

// The upper-case form of text, character for character: a character whose upper case would
// be longer ("ß" to "SS") or of another width stays as it is, so every position in the result
// is the same position in text.
QString upperCaseSameLength(QStringView text);

// What matching compares: the text itself when the search is case-sensitive, else its
// upper-case form.
QString searchForm(const QString &text, bool matchCase);

// 0-based start of the first occurrence of pattern in subject at or after from, or -1.
int findDown(QStringView subject, QStringView pattern, int from);
// 0-based start of the last occurrence of pattern in subject that starts at or before
// lastStart (it may run on past it), or -1.
int findUp(QStringView subject, QStringView pattern, int lastStart);

// The text the find step and the replace run work on: a whole text, its selection, and
// replacing inside it.
class SearchTarget {
public:
    virtual ~SearchTarget() = default;

    virtual QString text() const = 0;
    virtual int selStart() const = 0;
    // Selects length characters from start.
    virtual void select(int start, int length) = 0;
    // Replaces length characters at each of starts (ascending, not overlapping, positions in
    // the text as it is before this call) with the same text, as one change. The caret ends
    // after the last replacement, nothing selected.
    virtual void replaceEach(const QList<int> &starts, int length, const QString &with) = 0;
    // 0-based start of the occurrence of what (as typed) nearest to from: the first one
    // starting at or after it (down), or the last one starting at or before it (up); -1 when
    // there is none. The default searches a copy of text().
    virtual int find(const QString &what, bool matchCase, int from, bool down) const;
    // A replace run is bracketed by these, so it can be undone as one step.
    virtual void beginRun() {}
    virtual void endRun() {}
};

// One find step from the selection in state.SearchDirection (1 down, 0 up). Selects the
// occurrence found, or says "Cannot find" and leaves the selection; either way
// LastSearchPos takes the selection start and NewSearch is cleared. True when found.
bool findStep(SearchTarget &target, SearchState &state);

enum class ReplaceMode { ConfirmEach = 0, ReplaceAll = 1 };

// Replaces occurrences of state.SearchText by state.ReplaceText from the selection start to
// the end, then (when asked) from the beginning to where the run began. ConfirmEach asks
// about each occurrence; Cancel there ends the run at once.
void replaceRun(SearchTarget &target, ReplaceMode mode, SearchState &state);

} // namespace vornel
