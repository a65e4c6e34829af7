// Find Next in a large document and Replace All of many occurrences, through the document's
// text area as the commands use it.
#include "benchutil.h"

#include "editor/text_area.h"
#include "platform/platform.h"
#include "search/search_state.h"
#include "search/text_area_target.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>

using namespace vornel;
using namespace vornel::bench;

namespace {

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

} // namespace

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
    TextAreaSearchTarget target(area);
    for (const int matchCase : {1, 0}) {
        SearchState state;
        // Typed as it stands in the text when the case must match.
        state.SearchText = matchCase ? QStringLiteral("<NEEDLE>") : QStringLiteral("<needle>");
        state.MatchCase = matchCase;
        state.SearchDirection = 1;
        const double down = medianMs(runs, [&] {
            area.setSelStart(0);
            state.NewSearch = true;
            if (!findStep(target, state))
                qFatal("not found");
        });
        report(matchCase ? "Find Next, 10 MB, match case, found at the end" : "Find Next, 10 MB, any case, found at the end",
               down);
        state.SearchDirection = 0;
        const double up = medianMs(runs, [&] {
            area.setSelStart(8);
            state.NewSearch = true;
            state.SearchText = QStringLiteral("<html>");
            state.LastSearchPos = -1;
            findStep(target, state);
        });
        report(matchCase ? "Find Previous, 10 MB, match case, not found" : "Find Previous, 10 MB, any case, not found", up);
    }

    // Replace All: 100,000 occurrences in 5 MB (one on each line), then the repaint.
    QByteArray fiveMB;
    for (int line = 0; line < 100000; ++line)
        fiveMB.append("<P>The quick <B>brown</B> fox jumps over the lazy dog.\r\n");
    PaintCounter counter;
    area.viewport()->installEventFilter(&counter);
    double total = 0;
    int worstPaints = 0;
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        area.loadBytes(fiveMB);
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
        replaceRun(target, ReplaceMode::ReplaceAll, state);
        QCoreApplication::processEvents();
        times.append(timer.nsecsElapsed() / 1e6);
        worstPaints = std::max(worstPaints, counter.paints);
        if (silent.messages != before + 1 || area.text().count(QStringLiteral("<STRONG>")) != 100000)
            qFatal("replace all did not replace 100,000 occurrences");
        area.undo();
        if (area.canUndo())
            qFatal("replace all was more than one undo step");
        total += times.back();
    }
    std::sort(times.begin(), times.end());
    report("Replace All, 100,000 occurrences in 5 MB, incl. repaint", times[times.size() / 2]);
    std::printf("%-60s %10d\n", "  paints of the text during the worst run", worstPaints);
    setPlatform(nullptr);
    return 0;
}
