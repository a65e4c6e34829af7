// Find Next in a large document and Replace All of many occurrences, through the document's
// text area as the commands use it.
#include "bench_support.h"
#include "benchutil.h"

#include "editor/text_area.h"
#include "search/search_state.h"
#include "search/text_search.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>

using namespace vornel;
using namespace vornel::bench;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SilentPlatform silent;
    setPlatform(&silent);
    constexpr int runs = 7;

    TextArea area;
    area.resize(800, 600);
    area.show();

    // Find Next: the only occurrence is at the very end of 10 MB, so the whole text is searched.
    QByteArray tenMB = htmlLike(10 * 1024 * 1024);
    tenMB.append("<NEEDLE>");
    area.loadBytes(tenMB);
    QCoreApplication::processEvents();
    for (const int matchCase : {1, 0}) {
        report(matchCase ? "Find Next, 10 MB, match case, found at the end" : "Find Next, 10 MB, any case, found at the end",
               timeFindNextToEnd(area, matchCase, runs));
        SearchState state;
        state.MatchCase = matchCase;
        state.SearchDirection = 0;
        const double up = medianMs(runs, [&] {
            area.setSelStart(8);
            state.NewSearch = true;
            state.SearchText = QStringLiteral("<html>");
            state.LastSearchPos = -1;
            findStep(area, state);
        });
        report(matchCase ? "Find Previous, 10 MB, match case, not found" : "Find Previous, 10 MB, any case, not found", up);
    }

    // Replace All: 100,000 occurrences in 5 MB (one on each line), then the repaint.
    QByteArray fiveMB;
    for (int line = 0; line < 100000; ++line)
        fiveMB.append("<P>The quick <B>brown</B> fox jumps over the lazy dog.\r\n");
    const ReplaceAllTiming timing = timeReplaceAll(area, silent, fiveMB, runs);
    report("Replace All, 100,000 occurrences in 5 MB, incl. repaint", timing.medianMs);
    std::printf("%-60s %10d\n", "  paints of the text during the worst run", timing.worstPaints);
    setPlatform(nullptr);
    return 0;
}
