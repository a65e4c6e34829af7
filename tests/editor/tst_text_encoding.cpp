#include "editor/text_codec.h"
#include "editor/text_encoding.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::Encoding)

namespace {

// Sixteen ASCII bytes: a sequence after them is met past the eight-byte skipping of ASCII.
const QByteArray kAsciiRun = QByteArrayLiteral("0123456789abcdef");

} // namespace

class TestTextEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void detection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("expected");
        const auto w = Encoding::Windows1252;
        const auto u = Encoding::Utf8;
        const auto bom = Encoding::Utf8Bom;
        QTest::newRow("empty") << QByteArray() << w;
        QTest::newRow("pure ASCII") << QByteArray("<P>Hello</P>\r\n") << w;
        QTest::newRow("ASCII controls and NUL") << QByteArray("a\0\x01\x7F z", 6) << w;
        QTest::newRow("two-byte letter") << QByteArray("Caf\xC3\xA9") << u;
        QTest::newRow("after a long ASCII run") << kAsciiRun + "\xC3\xA9" << u;
        QTest::newRow("three-byte CJK") << QByteArray("\xE4\xB8\xAD\xE6\x96\x87") << u;
        QTest::newRow("four-byte emoji") << QByteArray("\xF0\x9F\x98\x80") << u;
        QTest::newRow("NUL among multi-byte") << QByteArray("\xC3\xA9\0x", 4) << u;
        QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << u;
        QTest::newRow("last before surrogates") << QByteArray("\xED\x9F\xBF") << u;
        QTest::newRow("first after surrogates") << QByteArray("\xEE\x80\x80") << u;
        QTest::newRow("noncharacter U+FFFF") << QByteArray("\xEF\xBF\xBF") << u;
        QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << bom;
        QTest::newRow("byte-order mark and ASCII") << QByteArray("\xEF\xBB\xBF<P>") << bom;
        QTest::newRow("byte-order mark not first") << QByteArray("a\xEF\xBB\xBF") << u;
        QTest::newRow("Windows-1252 letter") << QByteArray("Caf\xE9") << w;
        QTest::newRow("letter cut off at the end") << QByteArray("Caf\xC3") << w;
        QTest::newRow("CJK cut off") << QByteArray("\xE4\xB8") << w;
        QTest::newRow("lone continuation byte") << kAsciiRun + "\x80" << w;
        QTest::newRow("continuation missing") << QByteArray("\xC3(") << w;
        QTest::newRow("third byte no continuation") << QByteArray("\xE4\xB8(") << w;
        QTest::newRow("overlong slash C0 AF") << QByteArray("\xC0\xAF") << w;
        QTest::newRow("overlong C1 BF") << QByteArray("\xC1\xBF") << w;
        QTest::newRow("overlong E0 80 AF") << QByteArray("\xE0\x80\xAF") << w;
        QTest::newRow("overlong E0 9F BF") << QByteArray("\xE0\x9F\xBF") << w;
        QTest::newRow("overlong F0 80 80 AF") << QByteArray("\xF0\x80\x80\xAF") << w;
        QTest::newRow("overlong F0 8F BF BF") << QByteArray("\xF0\x8F\xBF\xBF") << w;
        QTest::newRow("high surrogate ED A0 80") << QByteArray("\xED\xA0\x80") << w;
        QTest::newRow("low surrogate ED BF BF") << QByteArray("\xED\xBF\xBF") << w;
        QTest::newRow("surrogate pair as two") << QByteArray("\xED\xA0\xBD\xED\xB8\x80") << w;
        QTest::newRow("beyond U+10FFFF F4 90") << QByteArray("\xF4\x90\x80\x80") << w;
        QTest::newRow("F5 lead byte") << QByteArray("\xF5\x80\x80\x80") << w;
        QTest::newRow("FF byte") << QByteArray("\xC3\xA9\xFF") << w;
        QTest::newRow("byte-order mark, then invalid") << QByteArray("\xEF\xBB\xBF\xE9") << w;
        QTest::newRow("valid, then invalid far on") << QByteArray("\xC3\xA9") + kAsciiRun + "\xA9" << w;
    }
    void detection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Encoding, expected);
        QCOMPARE(codec::detectEncoding(bytes), expected);
        // Windows-1252 files are the invalid ones, and the valid ones without a multi-byte
        // sequence: pure ASCII.
        const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; });
        QCOMPARE(codec::isStrictUtf8(bytes), expected != Encoding::Windows1252 || ascii);
    }

    // Every file decodes as its detected encoding says; UTF-8 decodes to the code points the
    // bytes hold, which encode back to the same bytes.
    void decodingFollowsDetection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9 \xE4\xB8\xAD") << QStringLiteral(u"Café 中");
        QTest::newRow("byte-order mark is not text") << QByteArray("\xEF\xBB\xBFx\xC3\xA9") << QStringLiteral(u"xé");
        QTest::newRow("second mark is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << QStringLiteral(u"\uFEFF");
        QTest::newRow("beyond the basic plane") << QByteArray("\xF0\x9F\x98\x80!") << QStringLiteral(u"😀!");
        QTest::newRow("Windows-1252") << QByteArray("Caf\xE9 \x80") << QStringLiteral(u"Café €");
        QTest::newRow("ASCII") << QByteArray("a\r\nb") << QStringLiteral(u"a\r\nb");
    }
    void decodingFollowsDetection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(codec::decodeFile(bytes), text);
        const Encoding encoding = codec::detectEncoding(bytes);
        if (isUtf8(encoding))
            QCOMPARE(codec::encodeUtf8(text), codec::withoutBom(bytes, encoding).toByteArray());
    }

    void randomValidUtf8RoundTrips()
    {
        QRandomGenerator random(17);
        for (int round = 0; round < 200; ++round) {
            QString text;
            const int length = int(random.bounded(60));
            for (int i = 0; i < length; ++i) {
                char32_t code;
                do {
                    const int plane = int(random.bounded(4));
                    code = plane == 0 ? char32_t(random.bounded(0x80))
                         : plane == 1 ? char32_t(random.bounded(0x10000))
                                      : char32_t(random.bounded(0x110000));
                } while (code >= 0xD800 && code < 0xE000);
                text += QString::fromUcs4(&code, 1);
            }
            const QByteArray bytes = codec::encodeUtf8(text);
            QCOMPARE(bytes, text.toUtf8());
            QVERIFY(codec::isStrictUtf8(bytes));
            QCOMPARE(codec::decodeUtf8(bytes), text);
        }
    }

    void loneSurrogatesBecomeReferences()
    {
        QCOMPARE(codec::encodeUtf8(QStringLiteral(u"a") + QChar(0xD800) + u'b'), QByteArray("a&#55296;b"));
        QCOMPARE(codec::encodeUtf8(QString(QChar(0xDC00))), QByteArray("&#56320;"));
    }

    void encodingNamesRoundTrip()
    {
        for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8Bom})
            QCOMPARE(encodingNamed(encodingName(encoding)), encoding);
        QCOMPARE(encodingName(Encoding::Utf8), QStringLiteral("UTF-8"));
        QCOMPARE(encodingNamed(QStringLiteral("nonsense")), Encoding::Windows1252);
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
