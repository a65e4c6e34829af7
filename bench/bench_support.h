#pragma once

#include "benchutil.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "search/search_state.h"
#include "search/text_search.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QVector>

#include <algorithm>

namespace vornel::bench {

// Answers every question with its first button and never shows anything.
class SilentPlatform : public Platform {
public:
    int messages = 0;
    MsgResult messageBox(const QString &, const QString &, MsgButtons buttons, MsgIcon) override
    {
        ++messages;
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
    }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void beep() override {}
    QString clipboardText() override { return {}; }
    void setClipboardText(const QString &) override {}
    bool showOpenDialog(CommonDialog &) override { return false; }
    bool showSaveDialog(CommonDialog &) override { return false; }
    bool startProgram(const QString &, const QStringList &) override { return false; }
    bool openWithDesktop(const QString &) override { return false; }
    bool showColorDialog(QColor &) override { return false; }
    bool showFontDialog(QFont &) override { return false; }
    KeyLockState keyLockState() override { return {}; }
    bool showPrintDialog(PrintDialogOptions &) override { return false; }
    bool showPrintSetupDialog() override { return false; }
    bool printText(const QString &) override { return false; }
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Find Next from the start of a text whose only "<NEEDLE>" is at its very end, so that the
// whole text is searched: the median of runs.
inline double timeFindNextToEnd(TextArea &area, bool matchCase, int runs)
{
    SearchState state;
    // Typed as it stands in the text when the case must match.
    state.SearchText = matchCase ? QStringLiteral("<NEEDLE>") : QStringLiteral("<needle>");
    state.MatchCase = matchCase;
    state.SearchDirection = 1;
    const int end = area.length() - int(state.SearchText.size());
    return medianMs(runs, [&] {
        area.setSelStart(0);
        state.NewSearch = true;
        if (!findStep(area, state) || area.selStart() != end)
            qFatal("not found at the end");
    });
}

// Replace All of "<b>" by "<STRONG>" in bytes that hold 100,000 of them, with the repaint
// after it, as the median of runs; each run is checked and taken back with one undo.
struct ReplaceAllTiming {
    double medianMs;
    int worstPaints;
};

inline ReplaceAllTiming timeReplaceAll(TextArea &area, SilentPlatform &silent, const QByteArray &bytes, int runs)
{
    PaintCounter counter;
    area.viewport()->installEventFilter(&counter);
    int worstPaints = 0;
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        area.loadBytes(bytes);
        area.clearUndoHistory();
        area.setSelStart(0);
        QCoreApplication::processEvents();
        counter.paints = 0;
        SearchState state;
        state.SearchText = QStringLiteral("<b>");
        state.ReplaceText = QStringLiteral("<STRONG>");
        const int before = silent.messages;
        QElapsedTimer timer;
        timer.start();
        replaceRun(area, ReplaceMode::ReplaceAll, state);
        QCoreApplication::processEvents();
        times.append(timer.nsecsElapsed() / 1e6);
        worstPaints = std::max(worstPaints, counter.paints);
        if (silent.messages != before + 1 || area.text().count(QStringLiteral("<STRONG>")) != 100000)
            qFatal("replace all did not replace 100,000 occurrences");
        area.undo();
        if (area.canUndo() || area.text().count(QStringLiteral("<B>")) != 100000)
            qFatal("replace all was not one undo step");
    }
    area.viewport()->removeEventFilter(&counter);
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], worstPaints};
}

} // namespace vornel::bench
