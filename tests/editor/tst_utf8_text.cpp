#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "editor/text_encoding.h"
#include "search/text_area_target.h"
#include "support/scripted_platform.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::Encoding)

namespace {

const QByteArray kBom = codec::kUtf8Bom.toByteArray();

QString chars(std::initializer_list<char32_t> codes)
{
    QString text;
    for (const char32_t code : codes)
        text += QString::fromUcs4(&code, 1);
    return text;
}

// The characters the screen uses as marks or as its own structure, which a UTF-8 file may hold.
const QString kLookalikes = chars({0x2400, 0x2409, 0x2421, 0xF781, 0xF780, 0xF79F, 0x2028, 0x2029, 0xFDD0, 0xFDD1});

// Pieces random UTF-8 texts are made of: every kind of line end, controls (C0 and C1),
// characters from every plane, and the lookalikes.
const QStringList kPieces = {
    QStringLiteral("ab"), QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
    QStringLiteral("\r\r\n"), QString(QChar(0)), QString(QChar(0x85)), QString(QChar(0x7F)),
    QStringLiteral("\t"), QStringLiteral(u"é"), QStringLiteral(u"中文"), QStringLiteral(u"😀"),
    chars({0x10FFFD}), chars({0xFEFF}), QString(QChar(0x2400)), QString(QChar(0xF781)),
    QString(QChar(0x2028)), QString(QChar(0x2029)), QString(QChar(0xFDD0)), QStringLiteral("<B>"),
};

QString randomText(QRandomGenerator &rng, int pieces)
{
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += kPieces[rng.bounded(int(kPieces.size()))];
    return text;
}

// Types each character (a surrogate pair as one key) as the keyboard would.
void type(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

// The plain-string model of an edit: a range boundary inside a surrogate pair moves out of
// it, so that no character is split.
void replaceInModel(QString &model, int &start, int &count, const QString &text)
{
    int end = start + count;
    if (start > 0 && start < model.size() && model[start].isLowSurrogate() && model[start - 1].isHighSurrogate())
        --start;
    if (end > 0 && end < model.size() && model[end].isLowSurrogate() && model[end - 1].isHighSurrogate())
        ++end;
    count = end - start;
    model.replace(start, count, text);
}

} // namespace

class TestUtf8Text : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_area = new TextArea; }
    void cleanup()
    {
        delete m_area;
        m_area = nullptr;
    }

    void utf8FileShowsItsCharacters()
    {
        m_area->loadBytes("<P>Caf\xC3\xA9 \xE4\xB8\xAD</P>\r\n");
        QCOMPARE(m_area->encoding(), Encoding::Utf8);
        QCOMPARE(m_area->text(), QStringLiteral(u"<P>Café 中</P>\r\n"));
        QCOMPARE(m_area->displayText(), QStringLiteral(u"<P>Café 中</P>\u2029"));
        QCOMPARE(m_area->length(), 15);

        m_area->loadBytes("<P>Caf\xE9</P>");
        QCOMPARE(m_area->encoding(), Encoding::Windows1252);
        QCOMPARE(m_area->text(), QStringLiteral(u"<P>Café</P>"));
    }

    void filesRoundTripByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("encoding");
        QTest::newRow("letters") << QByteArray("Caf\xC3\xA9") << Encoding::Utf8;
        QTest::newRow("byte-order mark") << kBom + "x" << Encoding::Utf8Bom;
        QTest::newRow("byte-order mark only") << kBom << Encoding::Utf8Bom;
        QTest::newRow("line ends of every kind")
            << QByteArray("\xC3\xA9\r\na\nb\rc\r\r\n\n\r") << Encoding::Utf8;
        QTest::newRow("NUL and controls") << QByteArray("\xC3\xA9\0\x01\x1F\x7F\t", 8) << Encoding::Utf8;
        QTest::newRow("C1 controls") << QByteArray("\xC2\x80\xC2\x81\xC2\x85\xC2\x9F") << Encoding::Utf8;
        QTest::newRow("beyond the basic plane") << QByteArray("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF") << Encoding::Utf8;
        QTest::newRow("lookalikes") << kLookalikes.toUtf8() << Encoding::Utf8;
        QTest::newRow("lookalikes beside their originals")
            << QByteArray("\0\xE2\x90\x80\xC2\x81\xEF\x9E\x81\r\n\xE2\x80\xA8\r\n", 17) << Encoding::Utf8;
        QTest::newRow("Windows-1252 stays as it was") << QByteArray("\xE9 \x80\x81\0\r", 6) << Encoding::Windows1252;
        QTest::newRow("invalid UTF-8 too") << QByteArray("\xC3\xA9\xC0\xAF") << Encoding::Windows1252;
    }
    void filesRoundTripByteForByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Encoding, encoding);
        m_area->loadBytes(bytes);
        QCOMPARE(m_area->encoding(), encoding);
        QCOMPARE(m_area->text(), codec::decodeFile(bytes));
        QCOMPARE(m_area->toBytes(), bytes);
    }

    void controlsAndLookalikesShowDistinctly()
    {
        m_area->loadBytes(QString(QChar(0)).toUtf8() + chars({0x2400, 0x85, 0xF785, 0x2028, 0x263A}).toUtf8());
        const QString shown = m_area->displayText();
        QCOMPARE(shown.size(), 6);
        QCOMPARE(shown[0], QChar(0x2400));       // NUL's mark
        QCOMPARE(shown[2], QChar(0xF785));       // a C1 control's mark
        QVERIFY(shown[4] != QChar(0x2028));      // never a line break on screen
        QCOMPARE(shown[5], QChar(0x263A));
        const QString text = m_area->text();
        for (int i = 0; i < text.size(); ++i)
            QCOMPARE(m_area->charAt(i), text[i]);
        QCOMPARE(text, chars({0, 0x2400, 0x85, 0xF785, 0x2028, 0x263A}));
        QCOMPARE(m_area->textRange(1, 4), chars({0x2400, 0x85, 0xF785, 0x2028}));
    }

    // Random valid UTF-8 files round-trip; then the text area and a plain string take the same
    // random edits and stay equal, in text and in saved bytes, through undo and redo.
    void randomFilesRoundTripAndEditsAgreeWithString()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int file = 0; file < 12; ++file) {
            const QString where = QStringLiteral("seed %1 file %2").arg(seed).arg(file);
            const QByteArray bom = file % 2 ? kBom : QByteArray();
            // Not starting with U+FEFF, which would read as a byte-order mark.
            QString model = QStringLiteral(u"é") + randomText(rng, 30);
            const QByteArray original = bom + codec::encodeUtf8(model);
            m_area->loadBytes(original);
            QVERIFY2(isUtf8(m_area->encoding()), qPrintable(where));
            QVERIFY2(m_area->toBytes() == original, qPrintable(where));
            QCOMPARE(m_area->text(), model);
            QStringList history{model};
            for (int step = 0; step < 150; ++step) {
                const int op = int(rng.bounded(8));
                const QString piece = randomText(rng, int(rng.bounded(3)));
                int start = int(rng.bounded(model.size() + 1));
                int count = int(rng.bounded(std::min<qsizetype>(model.size() - start, 8) + 1));
                if (op < 4) {
                    m_area->replaceRange(start, count, piece);
                } else if (op < 7) {
                    // The selection rounds out of CR LF pairs and surrogate pairs alike.
                    m_area->setSelStart(start);
                    m_area->setSelLength(count);
                    start = m_area->selStart();
                    count = m_area->selLength();
                    QCOMPARE(m_area->selText(), model.mid(start, count));
                    m_area->setSelText(piece);
                } else {
                    if (history.size() > 1) {
                        m_area->undo();
                        history.removeLast();
                        model = history.last();
                    }
                    continue;
                }
                replaceInModel(model, start, count, piece);
                // Every edit that replaces or inserts something is one undo step.
                if (count > 0 || !piece.isEmpty())
                    history.append(model);
                QVERIFY2(m_area->text() == model, qPrintable(where + QStringLiteral(" step %1").arg(step)));
                QCOMPARE(m_area->length(), model.size());
                QCOMPARE(m_area->toBytes(), bom + codec::encodeUtf8(model));
            }
            while (m_area->canUndo())
                m_area->undo();
            QVERIFY2(m_area->toBytes() == original, qPrintable(where));
        }
    }

    void randomInvalidFilesStayWindows1252()
    {
        QRandomGenerator rng(1252);
        for (int file = 0; file < 200; ++file) {
            QByteArray bytes = QString(randomText(rng, 10)).toUtf8();
            // One byte that cannot stand where it is put.
            const char bad[] = {'\x80', '\xBF', '\xC0', '\xC1', '\xF5', '\xFF', '\xE0', '\xED'};
            bytes.insert(rng.bounded(bytes.size() + 1), bad[rng.bounded(8)]);
            if (codec::isStrictUtf8(bytes))
                continue; // a lead byte may have found its continuation
            m_area->loadBytes(bytes);
            QCOMPARE(m_area->encoding(), Encoding::Windows1252);
            QCOMPARE(m_area->text(), codec::decode(bytes));
            QCOMPARE(m_area->toBytes(), bytes);
        }
    }

    void typedCharactersAreSavedAsUtf8()
    {
        m_area->loadBytes("<P>Caf</P>\xE2\x82\xAC");
        m_area->show();
        m_area->setFocus();
        m_area->setSelStart(6);
        type(m_area, QStringLiteral(u"é中"));
        QCOMPARE(m_area->toBytes(), QByteArray("<P>Caf\xC3\xA9\xE4\xB8\xAD</P>\xE2\x82\xAC"));
        // A character beyond the basic plane is removed whole.
        type(m_area, QStringLiteral(u"😀"));
        QTest::keyClick(m_area, Qt::Key_Backspace);
        QTest::keyClick(m_area, Qt::Key_Backspace);
        QCOMPARE(m_area->text(), QStringLiteral(u"<P>Café</P>€"));
    }

    void typedAndPastedLookalikesStayCharacters()
    {
        ScopedPlatform platform;
        m_area->loadBytes("\xC3\xA9");
        m_area->setSelStart(1);
        platform->setClipboardText(chars({0x2400, 0x2028, 0xF781}) + QStringLiteral("\n"));
        m_area->pasteFromClipboard();
        m_area->show();
        m_area->setFocus();
        type(m_area, chars({0x2029, 0x2421}));
        QCOMPARE(m_area->text(), chars({0xE9, 0x2400, 0x2028, 0xF781, '\r', '\n', 0x2029, 0x2421}));
        QCOMPARE(m_area->toBytes(), m_area->text().toUtf8());
        // Copying them out gives the characters themselves.
        m_area->setSelStart(1);
        m_area->setSelLength(3);
        m_area->copyToClipboard();
        QCOMPARE(platform->clipboardText(), chars({0x2400, 0x2028, 0xF781}));
        // Typing right after a lookalike gives a plain character.
        m_area->setSelStart(2);
        type(m_area, QStringLiteral("z"));
        QCOMPARE(m_area->textRange(1, 3), chars({0x2400, 'z', 0x2028}));
    }

    void searchTellsLookalikesFromControls()
    {
        m_area->loadBytes(QByteArray("a\xE2\x90\x80") + '\0' + "b");
        TextAreaSearchTarget target(*m_area);
        QCOMPARE(target.find(QString(QChar(0)), true, 0, true), 2);
        QCOMPARE(target.find(QString(QChar(0x2400)), true, 0, true), 1);
        QCOMPARE(target.find(QStringLiteral("b"), true, 0, true), 3);
    }

    void encodingChangesOnlyWithALoad()
    {
        QSignalSpy changed(m_area, &TextArea::encodingChanged);
        m_area->setText(QStringLiteral(u"中"));
        QCOMPARE(m_area->encoding(), Encoding::Windows1252);
        QCOMPARE(m_area->toBytes(), QByteArray("&#20013;"));
        m_area->loadBytes(kBom);
        QCOMPARE(m_area->encoding(), Encoding::Utf8Bom);
        m_area->setText(QStringLiteral(u"中"));
        QCOMPARE(m_area->toBytes(), kBom + "\xE4\xB8\xAD");
        m_area->loadBytes("abc");
        QCOMPARE(m_area->encoding(), Encoding::Windows1252);
        QCOMPARE(changed.count(), 2);
        // A stored encoding wins over detection: pure ASCII read back as UTF-8.
        m_area->loadBytes("abc", Encoding::Utf8);
        QCOMPARE(m_area->encoding(), Encoding::Utf8);
        m_area->loadBytes("\xC3\xA9", Encoding::Windows1252);
        QCOMPARE(m_area->text(), QStringLiteral(u"Ã©"));
    }

private:
    TextArea *m_area = nullptr;
};

QTEST_MAIN(TestUtf8Text)
#include "tst_utf8_text.moc"
