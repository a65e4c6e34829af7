// A minified page: 10 MB of HTML on one line, against the same bytes broken into lines of
// about 100 characters. Loading, keys and insertions at the start, middle and end of the line,
// a large paste, Find Next, Replace All, saving, and what the idle editor costs.
#include "bench_support.h"
#include "benchutil.h"

#include "editor/insertion.h"
#include "editor/text_area.h"
#include "platform/file_io.h"
#include "search/search_state.h"
#include "search/text_search.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vornel;
using namespace vornel::bench;

namespace {

void sendKey(QWidget *target, Qt::Key key, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// The same bytes with a CR LF after every `every` bytes.
QByteArray withLineEnds(const QByteArray &oneLine, qsizetype every)
{
    QByteArray out;
    out.reserve(oneLine.size() + 2 * (oneLine.size() / every + 1));
    for (qsizetype at = 0; at < oneLine.size(); at += every) {
        out.append(oneLine.mid(at, every));
        out.append("\r\n");
    }
    return out;
}

void reportRatio(const char *name, double ratio)
{
    std::printf("%-60s %10.2f x\n", name, ratio);
    std::fflush(stdout);
}

void reportCount(const char *name, qint64 count)
{
    std::printf("%-60s %10lld\n", name, static_cast<long long>(count));
    std::fflush(stdout);
}

// Median of the timed edit alone: before (placing the caret) and after (taking the edit back)
// run outside the clock, so that every run starts from the same text.
double medianEditMs(int runs, const std::function<void()> &before, const std::function<void()> &edit,
                    const std::function<void()> &after)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer timer;
        timer.start();
        edit();
        times.append(timer.nsecsElapsed() / 1e6);
        after();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for `seconds` with the area shown and focused; prints the process CPU
// time used as a share of that time and how often the text was painted.
void idle(TextArea &area, const char *name, int seconds)
{
    area.activateWindow();
    area.setFocus();
    QCoreApplication::processEvents();
    PaintCounter counter;
    area.viewport()->installEventFilter(&counter);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double cpuBefore = cpuSeconds();
    wall.start();
    loop.exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    area.viewport()->removeEventFilter(&counter);
    std::printf("%-60s %10.3f %% CPU (%.3f s of %.2f s, %d paints, focus %s)\n", name, 100.0 * cpu / elapsed, cpu,
                elapsed, counter.paints, area.hasFocus() ? "yes" : "no");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SilentPlatform silent;
    setPlatform(&silent);
    constexpr qsizetype tenMB = 10 * 1024 * 1024;
    constexpr int loadRuns = 5;
    constexpr int editRuns = 21;
    constexpr int pasteRuns = 3;
    constexpr int searchRuns = 7;
    constexpr int replaceRuns = 5;
    constexpr int saveRuns = 5;
    constexpr int idleSeconds = 10;

    const QByteArray oneLine = htmlOneLine(tenMB);
    const QByteArray lines = withLineEnds(oneLine, 100);

    TextArea area;
    // The soft-break limit can be given, to compare limits.
    if (argc > 1)
        area.setSoftBreakLimit(QByteArray(argv[1]).toInt());
    reportCount("soft-break limit", area.softBreakLimit());
    area.resize(800, 600);
    area.show();
    QCoreApplication::processEvents();

    // ---- loading ----
    const double loadOne = medianMs(loadRuns, [&] { area.loadBytes(oneLine); });
    report("load 10 MB, one line", loadOne);
    const double loadLines = medianMs(loadRuns, [&] { area.loadBytes(lines); });
    report("load 10 MB, CR LF every 100 characters", loadLines);
    reportRatio("  one line / lines of 100", loadOne / loadLines);
    // As the window sees it: the load and then the layout and paint of the first screen.
    const double shownOne = medianMs(loadRuns, [&] {
        area.loadBytes(oneLine);
        QCoreApplication::processEvents();
    });
    report("load 10 MB + repaint, one line", shownOne);
    const double shownLines = medianMs(loadRuns, [&] {
        area.loadBytes(lines);
        QCoreApplication::processEvents();
    });
    report("load 10 MB + repaint, CR LF every 100 characters", shownLines);
    reportRatio("  one line / lines of 100, incl. repaint", shownOne / shownLines);

    // ---- keys and insertions on the one line ----
    area.loadBytes(oneLine);
    area.clearUndoHistory();
    QCoreApplication::processEvents();
    if (area.length() != oneLine.size())
        qFatal("the one line did not load whole");
    reportCount("  paragraphs on screen for the one line", area.document()->blockCount());

    struct Operation {
        const char *name;
        std::function<void()> edit;
        // Backspace at the very start deletes nothing, so it starts after the first character.
        bool backspace = false;
    };
    const std::vector<Operation> operations = {
        {"type one character", [&] { sendKey(&area, Qt::Key_A, QStringLiteral("a")); }},
        {"Enter", [&] { sendKey(&area, Qt::Key_Return, QStringLiteral("\r")); }},
        {"Backspace", [&] { sendKey(&area, Qt::Key_Backspace, QStringLiteral("\b")); }, true},
        {"InsertInlineTag B", [&] { insertInlineTag(area, QStringLiteral("B"), true); }},
        {"InsertBlockTag H1", [&] { insertBlockTag(area, QStringLiteral("H1"), true); }},
        {"InsertBeforeSelection &amp;", [&] { insertBeforeSelection(area, QStringLiteral("&amp;")); }},
    };
    const int fullLength = area.length();
    const char *const places[] = {"start", "middle", "end"};
    auto placeAt = [&](int place, bool backspace) {
        const int at = place == 0 ? (backspace ? 1 : 0) : place == 1 ? fullLength / 2 : fullLength;
        area.setSelStart(at);
        QCoreApplication::processEvents();
    };
    // Each edit is taken back afterwards, so that every run meets the same one line.
    auto takeBack = [&] {
        if (area.length() == fullLength)
            qFatal("the edit changed nothing");
        area.undo();
        QCoreApplication::processEvents();
        if (area.length() != fullLength || area.canUndo())
            qFatal("undo did not restore the one line");
    };
    for (const Operation &op : operations) {
        for (int place = 0; place < 3; ++place) {
            const QString where = QStringLiteral("%1, one line 10 MB, %2").arg(QLatin1String(op.name),
                                                                              QLatin1String(places[place]));
            report(qPrintable(where),
                   medianEditMs(editRuns, [&] { placeAt(place, op.backspace); }, op.edit, takeBack));
            report(qPrintable(where + QStringLiteral(" + repaint")), medianEditMs(
                       editRuns, [&] { placeAt(place, op.backspace); },
                       [&] {
                           op.edit();
                           QCoreApplication::processEvents();
                       },
                       takeBack));
        }
    }

    const QString fiveMB = QString::fromLatin1(htmlOneLine(5 * 1024 * 1024));
    for (int place = 0; place < 3; ++place) {
        report(qPrintable(QStringLiteral("paste 5 MB without line ends (SelText) + repaint, %1")
                              .arg(QLatin1String(places[place]))),
               medianEditMs(pasteRuns, [&] { placeAt(place, false); },
                            [&] {
                                area.setSelText(fiveMB);
                                QCoreApplication::processEvents();
                            },
                            takeBack));
    }

    // ---- Find Next over the whole line: the only occurrence is at its very end ----
    {
        QByteArray withNeedle = oneLine;
        withNeedle.append("<NEEDLE>");
        area.loadBytes(withNeedle);
        area.clearUndoHistory();
        QCoreApplication::processEvents();
        for (const bool matchCase : {true, false}) {
            report(matchCase ? "Find Next, one line 10 MB, match case, found at the end"
                             : "Find Next, one line 10 MB, any case, found at the end",
                   timeFindNextToEnd(area, matchCase, searchRuns));
        }
    }

    // ---- Replace All of 100,000 occurrences in one line, then the repaint ----
    {
        QByteArray sentences;
        for (int i = 0; i < 100000; ++i)
            sentences.append("<P>The quick <B>brown</B> fox jumps over the lazy dog.");
        const ReplaceAllTiming timing = timeReplaceAll(area, silent, sentences, replaceRuns);
        report("Replace All, 100,000 in one line of 5 MB, incl. repaint", timing.medianMs);
        reportCount("  paints of the text during the worst run", timing.worstPaints);
    }

    // ---- saving ----
    {
        area.loadBytes(oneLine);
        area.clearUndoHistory();
        QCoreApplication::processEvents();
        QTemporaryDir dir;
        if (!dir.isValid())
            qFatal("no temporary folder");
        const QString safePath = dir.filePath(QStringLiteral("safe.htm"));
        const QString plainPath = dir.filePath(QStringLiteral("plain.htm"));
        if (area.toBytes() != oneLine)
            qFatal("the one line does not come back unchanged");
        const double toBytes = medianMs(saveRuns, [&] { (void)area.toBytes(); });
        report("toBytes, one line 10 MB", toBytes);
        const double safe = medianMs(saveRuns, [&] {
            if (!writeFileSafely(safePath, area.toBytes()).isEmpty())
                qFatal("writeFileSafely failed");
        });
        report("toBytes + writeFileSafely, one line 10 MB", safe);
        const double safeOnly = medianMs(saveRuns, [&] {
            if (!writeFileSafely(safePath, oneLine).isEmpty())
                qFatal("writeFileSafely failed");
        });
        report("writeFileSafely alone, 10 MB", safeOnly);
        const double plain = medianMs(saveRuns, [&] {
            QSaveFile file(plainPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(oneLine) != oneLine.size() || !file.commit())
                qFatal("QSaveFile failed");
        });
        report("plain QSaveFile (open, write, commit), 10 MB", plain);
        reportRatio("  toBytes + writeFileSafely / QSaveFile", safe / plain);
        reportRatio("  writeFileSafely / QSaveFile", safeOnly / plain);
    }

    // ---- idle, shown and focused ----
    area.loadBytes(oneLine);
    area.clearUndoHistory();
    area.setSelStart(area.length() / 2);
    idle(area, "idle 10 s, one line 10 MB, shown and focused", idleSeconds);
    area.loadBytes(lines);
    area.clearUndoHistory();
    area.setSelStart(area.length() / 2);
    idle(area, "idle 10 s, CR LF every 100 characters, shown and focused", idleSeconds);

    setPlatform(nullptr);
    return 0;
}
