#include "editor/text_codec.h"
#include "editor/text_encoding.h"

#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::Encoding)

class TestTextEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void detection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("expected");
        const auto w = Encoding::Windows1252;
        const auto u = Encoding::Utf8;
        // Sixteen ASCII bytes first: the sequence after them is met past the skipping of ASCII.
        const QByteArray ascii = "0123456789abcdef";
        QTest::newRow("empty") << QByteArray() << w;
        QTest::newRow("pure ASCII, controls, NUL") << QByteArray("<P>\r\n\x01\x7F\0", 8) << w;
        QTest::newRow("two-byte letter") << QByteArray("Caf\xC3\xA9") << u;
        QTest::newRow("after ASCII") << ascii + "\xE4\xB8\xAD" << u;
        QTest::newRow("four bytes, NUL") << QByteArray("\xF0\x9F\x98\x80\0", 5) << u;
        QTest::newRow("U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << u;
        QTest::newRow("U+D7FF, U+E000, U+FFFF") << QByteArray("\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF") << u;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") << Encoding::Utf8Bom;
        QTest::newRow("mark and ASCII") << QByteArray("\xEF\xBB\xBF<P>") << Encoding::Utf8Bom;
        QTest::newRow("mark not first") << QByteArray("a\xEF\xBB\xBF") << u;
        QTest::newRow("Windows-1252 letter") << QByteArray("Caf\xE9") << w;
        QTest::newRow("cut off at the end") << QByteArray("\xE4\xB8") << w;
        QTest::newRow("lone continuation") << ascii + "\x80" << w;
        QTest::newRow("continuation missing") << QByteArray("\xE4\xB8(") << w;
        QTest::newRow("overlong C0 AF") << QByteArray("\xC0\xAF") << w;
        QTest::newRow("overlong C1 BF") << QByteArray("\xC1\xBF") << w;
        QTest::newRow("overlong E0 9F BF") << QByteArray("\xE0\x9F\xBF") << w;
        QTest::newRow("overlong F0 8F BF BF") << QByteArray("\xF0\x8F\xBF\xBF") << w;
        QTest::newRow("surrogate ED A0 80") << QByteArray("\xED\xA0\x80") << w;
        QTest::newRow("surrogate ED BF BF") << QByteArray("\xED\xBF\xBF") << w;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << w;
        QTest::newRow("F5 and FF") << QByteArray("\xC3\xA9\xF5\x80\xFF") << w;
        QTest::newRow("mark, then invalid") << QByteArray("\xEF\xBB\xBF\xE9") << w;
        QTest::newRow("invalid far on") << QByteArray("\xC3\xA9") + ascii + "\xA9" << w;
    }
    void detection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Encoding, expected);
        QCOMPARE(codec::detectEncoding(bytes), expected);
        // Windows-1252 files are the invalid ones and the pure-ASCII ones.
        const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; });
        QCOMPARE(codec::isStrictUtf8(bytes), isUtf8(expected) || ascii);
    }

    void loneSurrogatesAndNames()
    {
        QCOMPARE(codec::encodeUtf8(QStringLiteral(u"a") + QChar(0xD800) + u'b'), QByteArray("a&#55296;b"));
        for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8Bom})
            QCOMPARE(encodingNamed(encodingName(encoding)), encoding);
        QCOMPARE(encodingNamed(QStringLiteral("nonsense")), Encoding::Windows1252);
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
