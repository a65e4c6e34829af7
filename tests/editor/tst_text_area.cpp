#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "support/scripted_platform.h"

#include <QMimeData>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace vornel;

namespace {

QString crlf(const char *latin)
{
    return QString::fromLatin1(latin);
}

// Pieces random texts are made of: every kind of line end, controls, code-page characters.
const QStringList kPieces = {
    QStringLiteral("ab"), QStringLiteral("x"), QStringLiteral("\r\n"), QStringLiteral("\n"),
    QStringLiteral("\r"), QStringLiteral("\r\r\n"), QStringLiteral("\n\r"), QString(QChar(0)),
    QString(QChar(0xA0)), QString(QChar(0x20AC)), QString(QChar(0x81)), QStringLiteral("\t"),
    QStringLiteral("<B>"), QStringLiteral("  "),
};

QString randomText(QRandomGenerator &rng, int pieces)
{
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += kPieces[rng.bounded(int(kPieces.size()))];
    return text;
}

QByteArray randomBytes(QRandomGenerator &rng, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        // Line-end bytes often, so that every combination of them turns up.
        const int r = int(rng.bounded(8));
        bytes[i] = r == 0 ? '\r' : r == 1 ? '\n' : char(rng.bounded(256));
    }
    return bytes;
}

} // namespace

// Opens the text area's mime hooks, as a drag or the X11 selection uses them.
class MimeTextArea : public TextArea {
public:
    using TextArea::createMimeDataFromSelection;
    using TextArea::insertFromMimeData;
};

class TestTextArea : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_area = new TextArea; }
    void cleanup()
    {
        delete m_area;
        m_area = nullptr;
    }

    void filesRoundTripByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("crlf") << QByteArray("one\r\ntwo\r\n");
        QTest::newRow("lf only") << QByteArray("one\ntwo\nthree");
        QTest::newRow("cr only") << QByteArray("one\rtwo\r");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n\re\r\r\nf");
        QTest::newRow("leading breaks") << QByteArray("\n\r\r\n\nx");
        QTest::newRow("nul and controls") << QByteArray("a\0b\x01\x7f\x1b", 7);
        QTest::newRow("no-break space") << QByteArray("a\xa0\xa0 b");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("every byte") << all;
    }
    void filesRoundTripByteForByte()
    {
        QFETCH(QByteArray, bytes);
        m_area->loadBytes(bytes);
        QCOMPARE(m_area->toBytes(), bytes);
        QCOMPARE(m_area->text(), codec::decode(bytes));
        QCOMPARE(m_area->length(), bytes.size());
    }

    void randomFilesRoundTrip()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 200; ++round) {
            const QByteArray bytes = randomBytes(rng, int(rng.bounded(400)));
            m_area->loadBytes(bytes);
            QVERIFY2(m_area->toBytes() == bytes, qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
            // A short one may happen to be UTF-8, with fewer characters than bytes.
            if (m_area->encoding() == Encoding::Windows1252)
                QCOMPARE(m_area->length(), bytes.size());
        }
    }

    void veryLargeTextLoadsInPartsWithProgress()
    {
        QByteArray unit;
        for (int b = 0; b < 256; ++b)
            unit.append(char(b));
        unit.append("line\r\nlf\ncr\r");
        QByteArray bytes;
        while (bytes.size() < 17 * 1024 * 1024)
            bytes.append(unit);
        QList<int> percents;
        m_area->loadBytes(bytes, [&percents](int percent) { percents.append(percent); });
        QVERIFY(percents.size() >= 3);
        QVERIFY(std::is_sorted(percents.begin(), percents.end()));
        QCOMPARE(percents.last(), 100);
        QCOMPARE(m_area->length(), bytes.size());
        QVERIFY(m_area->toBytes() == bytes);
        QCOMPARE(m_area->selStart(), 0);
        QVERIFY(!m_area->canUndo());
    }

    void everyLineEndShowsAsALine()
    {
        m_area->loadBytes("a\nb\rc\r\nd");
        QCOMPARE(m_area->document()->blockCount(), 4);
        QCOMPARE(m_area->document()->findBlockByNumber(2).text(), QStringLiteral("c"));
    }

    void controlsShowAsMarks()
    {
        m_area->loadBytes(QByteArray("a\0b", 3));
        const QString shown = m_area->document()->toRawText();
        QCOMPARE(shown, QString(QStringLiteral("a") + QChar(0x2400) + QStringLiteral("b")));
        QCOMPARE(m_area->text(), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    }

    void charAtAndRangesAgreeWithText()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 40; ++round) {
            const QString text = randomText(rng, 30);
            m_area->setText(text);
            QCOMPARE(m_area->text(), text);
            for (int i = 0; i < text.size(); ++i)
                QCOMPARE(m_area->charAt(i), text[i]);
            QVERIFY(m_area->charAt(text.size()).isNull());
            for (int k = 0; k < 20; ++k) {
                const int start = int(rng.bounded(text.size() + 1));
                const int count = int(rng.bounded(text.size() - start + 1));
                QCOMPARE(m_area->textRange(start, count), text.mid(start, count));
            }
        }
    }

    void selectionCountsCrLfAsTwo()
    {
        m_area->setText(crlf("ab\r\ncd\r\nef"));
        m_area->setSelStart(2);
        m_area->setSelLength(4);
        QCOMPARE(m_area->selStart(), 2);
        QCOMPARE(m_area->selLength(), 4);
        QCOMPARE(m_area->selText(), crlf("\r\ncd"));
        m_area->setSelStart(6);
        QCOMPARE(m_area->selStart(), 6);
        QCOMPARE(m_area->selLength(), 0);
    }

    void selectionInsideAPairRounds()
    {
        m_area->setText(crlf("ab\r\ncd"));
        m_area->setSelStart(3); // between CR and LF
        QCOMPARE(m_area->selStart(), 2);
        m_area->setSelLength(1); // one character from the CR takes the whole pair
        QCOMPARE(m_area->selLength(), 2);
        QCOMPARE(m_area->selText(), crlf("\r\n"));
    }

    void assigningSelTextLeavesCaretAfter()
    {
        m_area->setText(crlf("hello world"));
        m_area->setSelStart(6);
        m_area->setSelLength(5);
        m_area->setSelText(crlf("there\r\nnow"));
        QCOMPARE(m_area->text(), crlf("hello there\r\nnow"));
        QCOMPARE(m_area->selStart(), 16);
        QCOMPARE(m_area->selLength(), 0);
    }

    void replaceRangeSplitsPairsExactly()
    {
        m_area->setText(crlf("ab\r\ncd"));
        m_area->replaceRange(3, 0, QStringLiteral("X"));
        QCOMPARE(m_area->text(), crlf("ab\rX\ncd"));
        QCOMPARE(m_area->toBytes(), QByteArray("ab\rX\ncd"));
        m_area->replaceRange(3, 1, QString());
        QCOMPARE(m_area->text(), crlf("ab\r\ncd"));
    }

    // The text area and a plain string take the same random edits and must stay equal;
    // undo and redo walk the same history.
    void randomEditsAgreeWithString()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        const QString where = QStringLiteral("seed %1").arg(seed);
        QString model = randomText(rng, 20);
        m_area->setText(model);
        QStringList history{model};
        QStringList undone;
        for (int step = 0; step < 600; ++step) {
            const int op = int(rng.bounded(10));
            bool edited = false; // every edit that replaces or inserts something is one step
            if (op == 3) {
                // Several places at once, ascending and apart.
                QList<int> starts;
                const int count = int(rng.bounded(3));
                for (int at = int(rng.bounded(4)); at + count <= model.size(); at += count + int(rng.bounded(1, 6)))
                    starts.append(at);
                const QString piece = randomText(rng, int(rng.bounded(3)));
                if (!starts.isEmpty() && (count > 0 || !piece.isEmpty())) {
                    m_area->replaceEach(starts, count, piece);
                    for (qsizetype i = starts.size() - 1; i >= 0; --i)
                        model.replace(starts[i], count, piece);
                    const int caret = starts.back() + int(starts.size()) * int(piece.size() - count) + count;
                    QVERIFY2(m_area->selStart() == caret || model.mid(caret - 1, 2) == QStringLiteral("\r\n"),
                             qPrintable(where));
                    edited = true;
                }
            } else if (op < 4) {
                const int start = int(rng.bounded(model.size() + 1));
                const int count = int(rng.bounded(std::min<qsizetype>(model.size() - start, 12) + 1));
                const QString piece = randomText(rng, int(rng.bounded(3)));
                m_area->replaceRange(start, count, piece);
                model.replace(start, count, piece);
                edited = count > 0 || !piece.isEmpty();
            } else if (op < 7) {
                m_area->setSelStart(int(rng.bounded(model.size() + 1)));
                m_area->setSelLength(int(rng.bounded(10)));
                const int s = m_area->selStart();
                const int n = m_area->selLength();
                QVERIFY2(s >= 0 && s + n <= model.size(), qPrintable(where));
                QCOMPARE(m_area->selText(), model.mid(s, n));
                const QString piece = randomText(rng, int(rng.bounded(3)));
                m_area->setSelText(piece);
                model.replace(s, n, piece);
                edited = n > 0 || !piece.isEmpty();
            } else if (op < 9) {
                if (history.size() > 1) {
                    m_area->undo();
                    undone.append(history.takeLast());
                    model = history.last();
                }
            } else if (!undone.isEmpty()) {
                m_area->redo();
                model = undone.takeLast();
                history.append(model);
            }
            if (edited) {
                history.append(model);
                undone.clear();
            }
            QVERIFY2(m_area->text() == model, qPrintable(where + QStringLiteral(" step %1").arg(step)));
            QCOMPARE(m_area->length(), model.size());
            QCOMPARE(m_area->toBytes(), codec::encode(model));
        }
    }

    void typingEnterAndBackspace()
    {
        m_area->show();
        m_area->setFocus();
        QTest::keyClicks(m_area, QStringLiteral("abc"));
        QTest::keyClick(m_area, Qt::Key_Return);
        QTest::keyClicks(m_area, QStringLiteral("d"));
        QCOMPARE(m_area->text(), crlf("abc\r\nd"));
        QTest::keyClick(m_area, Qt::Key_Backspace);
        QTest::keyClick(m_area, Qt::Key_Backspace);
        QCOMPARE(m_area->text(), crlf("abc"));
        QCOMPARE(m_area->selStart(), 3);
    }

    void typingRunIsOneUndoStep()
    {
        m_area->setText(crlf("x"));
        m_area->show();
        m_area->setFocus();
        m_area->setSelStart(1);
        QTest::keyClicks(m_area, QStringLiteral("hello"));
        QCOMPARE(m_area->text(), crlf("xhello"));
        m_area->undo();
        QCOMPARE(m_area->text(), crlf("x"));
        m_area->redo();
        QCOMPARE(m_area->text(), crlf("xhello"));
        QVERIFY(!m_area->canRedo());
    }

    void enterIsAnnouncedBeforeItsLineBreak()
    {
        m_area->show();
        m_area->setFocus();
        connect(m_area, &TextArea::enterPressed, this, [this] { m_area->setSelText(QStringLiteral("<BR>")); });
        QTest::keyClicks(m_area, QStringLiteral("abc"));
        QTest::keyClick(m_area, Qt::Key_Return);
        QCOMPARE(m_area->text(), crlf("abc<BR>\r\n"));
        m_area->undo(); // the tag and the line break are one step
        QCOMPARE(m_area->text(), crlf("abc"));
    }

    void clipboardCarriesTheModelText()
    {
        ScopedPlatform platform;
        platform->setClipboardText(QStringLiteral("unchanged"));
        m_area->setText(crlf("ab\ncd\r\nef"));
        m_area->copyToClipboard(); // nothing selected
        m_area->cutToClipboard();
        QCOMPARE(platform->clipboardText(), QStringLiteral("unchanged"));

        m_area->setSelStart(1);
        m_area->setSelLength(7);
        m_area->copyToClipboard();
        QCOMPARE(platform->clipboardText(), crlf("b\ncd\r\ne"));
        m_area->cutToClipboard();
        QCOMPARE(m_area->text(), crlf("af"));

        platform->setClipboardText(QStringLiteral("1\n2\r3\r\n4") + QChar(0x2029) + QStringLiteral("5"));
        m_area->pasteFromClipboard();
        QCOMPARE(m_area->text(), crlf("a1\r\n2\r\n3\r\n4\r\n5f"));
    }

    void charactersWithoutByteAreSavedAsReferences()
    {
        ScopedPlatform platform;
        m_area->setText(crlf("a"));
        m_area->setSelStart(1);
        platform->setClipboardText(QString::fromUtf8("\xce\xb1\xf0\x9f\x98\x80"));
        m_area->pasteFromClipboard();
        QCOMPARE(m_area->toBytes(), QByteArray("a&#945;&#128512;"));
        // A character the screen uses as a mark is entered as what a save would write.
        m_area->setSelText(QString(QChar(0x2400)));
        QCOMPARE(m_area->toBytes(), QByteArray("a&#945;&#128512;&#9216;"));
    }

    void draggedTextKeepsEveryCharacter()
    {
        MimeTextArea area;
        area.loadBytes(QByteArray("a\xa0" "b\0c\x81\r\nd", 9));
        area.setSelStart(0);
        area.setSelLength(area.length());
        const std::unique_ptr<QMimeData> data(area.createMimeDataFromSelection());
        QCOMPARE(data->text(), area.text());
        area.setSelStart(area.length());
        area.insertFromMimeData(data.get());
        QCOMPARE(area.toBytes(), QByteArray("a\xa0" "b\0c\x81\r\nd" "a\xa0" "b\0c\x81\r\nd", 18));
    }

    void deleteTakesAWholePair()
    {
        m_area->setText(crlf("ab\r\ncd"));
        m_area->setSelStart(2);
        m_area->deleteForward();
        QCOMPARE(m_area->text(), crlf("abcd"));
        m_area->setSelStart(4);
        m_area->deleteForward();
        QCOMPARE(m_area->text(), crlf("abcd"));
    }

    void noBreakSpaceSurvivesEditing()
    {
        m_area->loadBytes("a\xa0z");
        m_area->setSelStart(1);
        m_area->setSelText(QStringLiteral("-"));
        QCOMPARE(m_area->toBytes(), QByteArray("a-\xa0z"));
    }

    void everyChangeIsSignalled()
    {
        int changes = 0;
        connect(m_area, &TextArea::textEdited, this, [&changes] { ++changes; });
        m_area->setText(crlf("abc"));
        m_area->setSelText(QStringLiteral("x"));
        m_area->undo();
        QCOMPARE(changes, 3);
    }

private:
    TextArea *m_area = nullptr;
};

QTEST_MAIN(TestTextArea)
#include "tst_text_area.moc"
