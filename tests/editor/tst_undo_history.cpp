#include "editor/undo_history.h"

#include <QtTest>

using namespace vornel;

namespace {

void record(UndoHistory &history, int pos, const QString &removed, const QString &inserted, bool typing = true)
{
    history.record({pos, {removed, {}}, {inserted, {}}}, typing);
}

// The edits of the step the next undo takes back, as "pos-removed+inserted" in the order made.
QString undo(UndoHistory &history)
{
    QStringList edits;
    if (const auto *step = history.undo()) {
        for (const UndoHistory::Edit &e : *step)
            edits << QStringLiteral("%1-%2+%3").arg(e.pos).arg(e.removed.doc, e.inserted.doc);
    }
    return edits.join(u' ');
}

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typingRunsJoinUntilTheCaretMovesOrACommandRuns()
    {
        UndoHistory history;
        history.record({0, {}, {"a\u2029", {LineEnd::Lf}}}, true);
        history.record({2, {}, {"b\u2029", {LineEnd::Cr}}}, true);
        QCOMPARE(history.undo()->front().inserted.ends, (std::vector{LineEnd::Lf, LineEnd::Cr}));
        record(history, 0, {}, "ab");
        record(history, 1, "b", {}); // backspace
        record(history, 1, {}, "c");
        record(history, 0, {}, "x");
        record(history, 1, {}, "<B>", false);
        record(history, 4, {}, "y");
        QCOMPARE(undo(history), "4-+y");
        QCOMPARE(undo(history), "1-+<B>");
        QCOMPARE(undo(history), "0-+x");
        QCOMPARE(undo(history), "0-+ab 1-b+c");
        QCOMPARE(undo(history), QString());
    }

    void groupsNestIntoOneStepThatTypingDoesNotExtend()
    {
        UndoHistory history;
        record(history, 0, {}, "a");
        history.beginGroup();
        history.endGroup(); // empty, so the run goes on
        record(history, 1, {}, "b");
        history.beginGroup();
        record(history, 2, {}, "c");
        history.beginGroup();
        record(history, 3, {}, "d", false);
        history.endGroup();
        record(history, 4, {}, "e");
        history.endGroup();
        record(history, 5, {}, "f");
        QCOMPARE(undo(history), "5-+f");
        QCOMPARE(undo(history), "2-+c 3-+d 4-+e");
        QCOMPARE(undo(history), "0-+ab");
    }

    void redoGivesBackUndoneStepsUntilANewEdit()
    {
        UndoHistory history;
        record(history, 0, {}, "ab");
        record(history, 0, "a", "x", false);
        undo(history);
        undo(history);
        QCOMPARE(history.redo()->front().inserted.doc, "ab");
        QCOMPARE(history.redo()->front().removed.doc, "a");
        undo(history);
        record(history, 2, {}, "c"); // a redone step takes no more typing
        QVERIFY(!history.redo());
        QCOMPARE(undo(history), "2-+c");
        QCOMPARE(undo(history), "0-+ab");
    }

    void theOldestStepsAreDropped()
    {
        UndoHistory history;
        for (int i = 0; i <= 1000; ++i)
            record(history, i, {}, "x", false);
        for (int i = 1000; i > 1; --i)
            undo(history);
        QCOMPARE(undo(history), "1-+x");
        QVERIFY(!history.canUndo());
    }
};

QTEST_APPLESS_MAIN(TestUndoHistory)
#include "tst_undo_history.moc"
