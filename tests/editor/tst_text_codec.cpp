#include "editor/text_codec.h"

#include <QtTest>

using namespace vornel;

class TestTextCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = codec::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(codec::encode(text), all);
        QSet<char16_t> distinct;
        for (QChar c : text)
            distinct.insert(c.unicode());
        QCOMPARE(distinct.size(), 256);
    }

    void codePage_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("code");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x81;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
        QTest::newRow("no-break space") << 0xA0 << 0xA0;
        QTest::newRow("NUL") << 0x00 << 0x00;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void codePage()
    {
        QFETCH(int, byte);
        QFETCH(int, code);
        QCOMPARE(int(codec::charOfByte(uchar(byte)).unicode()), code);
        QCOMPARE(codec::byteOfChar(char16_t(code)), byte);
    }

    void charactersWithoutByteBecomeReferences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("greek") << QString::fromUtf8("a\xce\xb1z") << QByteArray("a&#945;z");
        QTest::newRow("emoji, one code point")
            << QString::fromUtf8("\xf0\x9f\x98\x80") << QByteArray("&#128512;");
        QTest::newRow("C1 control the code page lacks") << QString(QChar(0x80)) << QByteArray("&#128;");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("&#55296;");
        QTest::newRow("euro has a byte") << QString(QChar(0x20AC)) << QByteArray("\x80");
    }
    void charactersWithoutByteBecomeReferences()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(codec::encode(text), bytes);
    }

    void displayMarksAreReversible()
    {
        for (int b = 0; b < 256; ++b) {
            const char16_t ch = codec::charOfByte(uchar(b)).unicode();
            const char16_t shown = codec::displayOf(ch);
            QCOMPARE(codec::textOf(shown), ch);
            if (ch != u'\r' && ch != u'\n')
                QVERIFY2(!codec::isReserved(ch), qPrintable(QString::number(b)));
            if (shown != ch)
                QVERIFY(codec::isReserved(shown));
        }
        // Controls get a visible mark; ordinary characters and tabs show as themselves.
        QCOMPARE(codec::displayOf(0), char16_t(0x2400));
        QCOMPARE(codec::displayOf(0x7F), char16_t(0x2421));
        QVERIFY(codec::displayOf(0x81) != 0x81);
        QCOMPARE(codec::displayOf(u'\t'), u'\t');
        QCOMPARE(codec::displayOf(u'A'), u'A');
        QVERIFY(!codec::isReserved(0x2409)); // the tab picture is not used as a mark
        QVERIFY(codec::isReserved(0x2029));
    }
};

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_text_codec.moc"
