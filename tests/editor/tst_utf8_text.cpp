#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "editor/text_encoding.h"
#include "search/text_search.h"
#include "support/scripted_platform.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::Encoding)

namespace {

const QByteArray kBom = codec::kUtf8Bom.toByteArray();

QString chars(std::initializer_list<char32_t> codes)
{
    return QString::fromUcs4(codes.begin(), qsizetype(codes.size()));
}

// Pieces of random UTF-8 texts: every kind of line end, C0 and C1 controls, every plane, and
// the characters the screen uses as marks or as line breaks.
const QStringList kPieces = {
    QStringLiteral("ab"), QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
    QStringLiteral("\r\r\n"), QString(QChar(0)), QString(QChar(0x85)), QStringLiteral(u"é"),
    QStringLiteral(u"中文"), QStringLiteral(u"😀"), chars({0x10FFFD}), chars({0xFEFF}),
    chars({0x2400}), chars({0xF781}), chars({0x2028}), chars({0x2029}), chars({0xFDD0}),
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
    for (qsizetype i = 0; i < text.size(); i += text[i].isHighSurrogate() ? 2 : 1)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, text[i].isHighSurrogate() ? 2 : 1),
                            Qt::NoModifier);
}

// An edit of the plain-string model: a boundary inside a surrogate pair moves out of it.
void replaceInModel(QString &model, int &start, int &count, const QString &text)
{
    const auto inPair = [&](int at) { return at > 0 && at < model.size() && model[at].isLowSurrogate(); };
    const int end = start + count + (inPair(start + count) ? 1 : 0);
    start -= inPair(start) ? 1 : 0;
    count = end - start;
    model.replace(start, count, text);
}

} // namespace

class TestUtf8Text : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_area = new TextArea; }
    void cleanup() { delete m_area; }

    void filesRoundTripByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("encoding");
        QTest::newRow("mark, line ends") << kBom + "\xC3\xA9\r\na\nb\rc\r\r\n" << Encoding::Utf8Bom;
        QTest::newRow("a second mark is text") << kBom + kBom << Encoding::Utf8Bom;
        QTest::newRow("controls") << QByteArray("\xC3\xA9\0\x1F\x7F\t\xC2\x80\xC2\x9F", 10) << Encoding::Utf8;
        QTest::newRow("lookalikes") << chars({0x2400, 0x2421, 0xF781, 0xF79F, 0x2028, 0x2029, 0xFDD0}).toUtf8()
                                    << Encoding::Utf8;
        QTest::newRow("Windows-1252") << QByteArray("\xE9 \x80\x81\0\r", 6) << Encoding::Windows1252;
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

    void controlsShowMarksAndLookalikesStandIn()
    {
        m_area->loadBytes(chars({0, 0x2400, 0x85, 0xF785, 0x2028}).toUtf8());
        const QString shown = m_area->displayText();
        QCOMPARE(shown.left(4), chars({0x2400, 0x2400, 0xF785, 0xF785}));
        QVERIFY(shown[4] != QChar(0x2028) && shown[4] != QChar(0x2029));
        QCOMPARE(m_area->textRange(1, 4), chars({0x2400, 0x85, 0xF785, 0x2028}));
        QCOMPARE(m_area->charAt(1), QChar(0x2400));
        QCOMPARE(m_area->findText(QString(QChar(0)), true, 1, true), -1);
        QCOMPARE(m_area->findText(QString(QChar(0x85)), true, 3, true), -1);
    }

    // Random valid UTF-8 files round-trip; the text area and a plain string then take the same
    // random edits and agree, in text and in bytes, and undo leads back to the file.
    void randomFilesAndEditsAgreeWithString()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int file = 0; file < 12; ++file) {
            const QString where = QStringLiteral("seed %1 file %2").arg(seed).arg(file);
            const QByteArray bom = file % 2 ? kBom : QByteArray();
            QString model = QStringLiteral(u"é") + randomText(rng, 30);
            const QByteArray original = bom + codec::encodeUtf8(model);
            m_area->loadBytes(original);
            QVERIFY2(m_area->toBytes() == original && m_area->text() == model, qPrintable(where));
            QStringList history{model};
            for (int step = 0; step < 150; ++step) {
                const QString piece = randomText(rng, int(rng.bounded(3)));
                int start = int(rng.bounded(model.size() + 1));
                int count = int(rng.bounded(std::min<qsizetype>(model.size() - start, 8) + 1));
                const int op = int(rng.bounded(8));
                if (op == 7) {
                    if (history.size() > 1) {
                        m_area->undo();
                        history.removeLast();
                        model = history.last();
                    }
                    continue;
                }
                if (op < 4) {
                    m_area->replaceRange(start, count, piece);
                } else {
                    // Selections round out of CR LF pairs and surrogate pairs alike.
                    m_area->setSelStart(start);
                    m_area->setSelLength(count);
                    start = m_area->selStart();
                    count = m_area->selLength();
                    QCOMPARE(m_area->selText(), model.mid(start, count));
                    m_area->setSelText(piece);
                }
                replaceInModel(model, start, count, piece);
                if (count > 0 || !piece.isEmpty())
                    history.append(model);
                QVERIFY2(m_area->text() == model, qPrintable(where + QStringLiteral(" step %1").arg(step)));
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
        const char bad[] = {'\x80', '\xBF', '\xC0', '\xC1', '\xF5', '\xFF', '\xE0', '\xED'};
        for (int file = 0; file < 200; ++file) {
            QByteArray bytes = randomText(rng, 10).toUtf8();
            bytes.insert(rng.bounded(bytes.size() + 1), bad[rng.bounded(8)]);
            if (codec::isStrictUtf8(bytes))
                continue; // a lead byte found its continuation
            m_area->loadBytes(bytes);
            QCOMPARE(m_area->encoding(), Encoding::Windows1252);
            QCOMPARE(m_area->toBytes(), bytes);
        }
    }

    void typedAndPastedCharactersStayCharacters()
    {
        ScopedPlatform platform;
        m_area->loadBytes("\xC3\xA9");
        m_area->setSelStart(1);
        platform->setClipboardText(chars({0x2400, 0x2028, 0xF781, '\n'}));
        m_area->pasteFromClipboard();
        m_area->show();
        m_area->setFocus();
        type(m_area, chars({0x2029, 0x4E2D, 0x1F600}));
        QTest::keyClick(m_area, Qt::Key_Backspace); // a whole character beyond the basic plane
        QCOMPARE(m_area->text(), chars({0xE9, 0x2400, 0x2028, 0xF781, '\r', '\n', 0x2029, 0x4E2D}));
        QCOMPARE(m_area->toBytes(), m_area->text().toUtf8());
        m_area->setSelStart(1);
        m_area->setSelLength(3);
        m_area->copyToClipboard();
        QCOMPARE(platform->clipboardText(), chars({0x2400, 0x2028, 0xF781}));
        // Typing right after a lookalike gives a plain character.
        m_area->setSelStart(2);
        type(m_area, QStringLiteral("z"));
        QCOMPARE(m_area->textRange(1, 3), chars({0x2400, 'z', 0x2028}));
    }

    void storedEncodingWinsOverDetection()
    {
        m_area->loadBytes("abc", Encoding::Utf8);
        m_area->setText(QStringLiteral(u"中"));
        QCOMPARE(m_area->toBytes(), QByteArray("\xE4\xB8\xAD"));
        m_area->loadBytes("\xC3\xA9", Encoding::Windows1252);
        QCOMPARE(m_area->text(), QStringLiteral(u"Ã©"));
        m_area->loadBytes("\xE9", Encoding::Utf8); // not UTF-8 after all
        QCOMPARE(m_area->encoding(), Encoding::Windows1252);
        QCOMPARE(m_area->toBytes(), QByteArray("\xE9"));
    }

private:
    TextArea *m_area = nullptr;
};

QTEST_MAIN(TestUtf8Text)
#include "tst_utf8_text.moc"
