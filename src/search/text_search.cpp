#include "search/text_search.h"

#include "platform/platform.h"
#include "platform/version.h"
#include "search/search_state.h"

#include <limits>

namespace vornel {

namespace {

QString notFoundText(const SearchState &state)
{
    return QStringLiteral("Cannot find \"") + state.SearchText + QLatin1Char('"');
}

} // namespace

bool findStep(TextEdit &target, SearchState &state)
{
    if (state.SearchText.isEmpty())
        return false;
    const int start = target.selStart();
    const int skip = (start == state.LastSearchPos && !state.NewSearch) ? 1 : 0;
    const int base = start + skip;
    const bool down = state.SearchDirection != 0;
    // Upward, the nearest candidate starts two characters before the base.
    const int from = down ? base : base - 2;
    const int found = from < 0 ? -1 : target.findText(state.SearchText, state.MatchCase != 0, from, down);
    if (found >= 0)
        target.select(found, int(state.SearchText.size()));
    else
        platform().messageBox(kProductName, notFoundText(state), MsgButtons::Ok, MsgIcon::None);

    state.LastSearchPos = target.selStart();
    state.NewSearch = false;
    return found >= 0;
}

namespace {

// One replace run over a snapshot of the text taken when it began. Occurrences are found in
// the snapshot and mapped to the live text through the shift the replacements so far made.
class ReplaceRunner {
public:
    ReplaceRunner(TextEdit &target, ReplaceMode mode, const SearchState &state)
        : m_target(target)
        , m_mode(mode)
        , m_replacement(state.ReplaceText)
        , m_pattern(searchForm(state.SearchText, state.MatchCase != 0))
        , m_delta(int(m_pattern.size()) - int(m_replacement.size()))
    {
    }

    // Visits the occurrences that start in [from, end of subject); false when cancelled.
    bool pass(QStringView subject, int from, int otherPassStart)
    {
        m_lastReplacedEnd = -1;
        m_otherPassStart = otherPassStart;
        for (int at = findDown(subject, m_pattern, from); at >= 0; at = findDown(subject, m_pattern, at + 1)) {
            if (!handle(at))
                return false;
        }
        flush();
        return true;
    }

    void startPass() { m_shift = 0; }
    bool nothingFound() const { return m_nothingFound; }
    // Where in the snapshot the first replacement of the run lies (max when none).
    int firstReplaced() const { return m_firstReplaced; }
    int patternLength() const { return int(m_pattern.size()); }

private:
    bool handle(int at)
    {
        const int length = int(m_pattern.size());
        // An occurrence overlapping text already replaced no longer exists in the live text;
        // replacing there would overwrite the replacement and its neighbours.
        if (at < m_lastReplacedEnd || at + length > m_otherPassStart)
            return true;
        m_nothingFound = false;
        const int live = at - m_shift;
        if (m_mode == ReplaceMode::ReplaceAll) {
            // Positions in the text before this pass's replacements, applied together later.
            m_pending.append(at);
        } else {
            m_target.select(live, length);
            const MsgResult answer = platform().messageBox(QStringLiteral("Verify"),
                                                           QStringLiteral("Replace Selected Text?"),
                                                           MsgButtons::YesNoCancel, MsgIcon::None);
            if (answer == MsgResult::Cancel)
                return false;
            if (answer != MsgResult::Yes)
                return true;
            m_target.replaceEach({live}, length, m_replacement);
        }
        m_shift += m_delta;
        m_lastReplacedEnd = at + length;
        m_firstReplaced = std::min(m_firstReplaced, at);
        return true;
    }

    void flush()
    {
        if (!m_pending.isEmpty())
            m_target.replaceEach(m_pending, int(m_pattern.size()), m_replacement);
        m_pending.clear();
    }

    TextEdit &m_target;
    const ReplaceMode m_mode;
    const QString m_replacement;
    const QString m_pattern;
    const int m_delta;
    int m_shift = 0;
    bool m_nothingFound = true;
    int m_lastReplacedEnd = -1;
    int m_otherPassStart = std::numeric_limits<int>::max();
    int m_firstReplaced = std::numeric_limits<int>::max();
    QList<int> m_pending;
};

} // namespace

void replaceRun(TextEdit &target, ReplaceMode mode, SearchState &state)
{
    if (state.SearchText.isEmpty())
        return;
    EditGroup group(target);
    const int runStart = target.selStart();
    const QString subject = searchForm(target.text(), state.MatchCase != 0);
    ReplaceRunner runner(target, mode, state);

    if (!runner.pass(subject, runStart, std::numeric_limits<int>::max()))
        return;
    if (runStart > 0) {
        const MsgResult answer = platform().messageBox(QStringLiteral("End of file reached"),
                                                       QStringLiteral("Continue from beginning of file?"),
                                                       MsgButtons::YesNo, MsgIcon::Question);
        if (answer == MsgResult::Yes) {
            // Only occurrences that begin before the run's starting point; text before it is
            // untouched so far, so no shift applies.
            const int keep = std::min(int(subject.size()), runStart + runner.patternLength() - 1);
            runner.startPass();
            if (!runner.pass(QStringView(subject).left(keep), 0, runner.firstReplaced()))
                return;
        }
    }
    platform().messageBox(QStringLiteral("Replace"),
                          runner.nothingFound() ? notFoundText(state) : QStringLiteral("Done!"),
                          MsgButtons::Ok, MsgIcon::None);
    state.LastSearchPos = target.selStart();
}

} // namespace vornel
