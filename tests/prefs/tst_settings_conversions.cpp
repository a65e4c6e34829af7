#include "prefs/color_number.h"
#include "prefs/number_text.h"

#include <QColor>
#include <QPalette>
#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::ConversionError)

// Number and colour conversions of the settings store; no store, no widgets.
class TestSettingsConversions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- number conversions ---

    void numberToText_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("positive") << qint64(8) << " 8";
        QTest::newRow("zero") << qint64(0) << " 0";
        QTest::newRow("true flag") << qint64(-1) << "-1";
        QTest::newRow("system window text") << qint64(-2147483640) << "-2147483640";
        QTest::newRow("16-bit max") << qint64(32767) << " 32767";
        QTest::newRow("16-bit min") << qint64(-32768) << "-32768";
    }
    void numberToText()
    {
        QFETCH(qint64, number);
        QFETCH(QString, text);
        QCOMPARE(vornel::numberToText(number), text);
    }

    void textToInt32_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<ConversionError>("error");
        const auto ok = ConversionError::None;
        const auto mismatch = ConversionError::TypeMismatch;
        const auto overflow = ConversionError::Overflow;
        QTest::newRow("leading blank") << " 8" << 8 << ok;
        QTest::newRow("blanks around") << " 8 " << 8 << ok;
        QTest::newRow("tab and blank") << "\t 42\t" << 42 << ok;
        QTest::newRow("minus") << "-1" << -1 << ok;
        QTest::newRow("plus") << "+7" << 7 << ok;
        QTest::newRow("negative zero") << "-0" << 0 << ok;
        QTest::newRow("decimal system colour") << "-2147483640" << -2147483640 << ok;
        QTest::newRow("hex window text") << "&H80000008" << -2147483640 << ok;
        QTest::newRow("hex window background") << "&H80000005" << -2147483643 << ok;
        QTest::newRow("hex lower case") << "&hff" << 255 << ok;
        QTest::newRow("hex mixed digits") << "&HaBc" << 0xABC << ok;
        QTest::newRow("hex blanks around") << "  &H10  " << 16 << ok;
        QTest::newRow("hex all ones") << "&HFFFFFFFF" << -1 << ok;
        QTest::newRow("hex 16-bit width stays positive") << "&HFFFF" << 65535 << ok;
        QTest::newRow("hex leading zeros") << "&H0000000000FF" << 255 << ok;
        QTest::newRow("hex too wide") << "&H100000000" << 0 << overflow;
        QTest::newRow("hex no digits") << "&H" << 0 << mismatch;
        QTest::newRow("hex bad digit") << "&Hzz" << 0 << mismatch;
        QTest::newRow("hex bad digit after overflow") << "&H1000000000g" << 0 << mismatch;
        QTest::newRow("hex blank inside") << "&H 10" << 0 << mismatch;
        QTest::newRow("max") << "2147483647" << 2147483647 << ok;
        QTest::newRow("min") << "-2147483648" << int(-2147483647 - 1) << ok;
        QTest::newRow("above max") << "2147483648" << 0 << overflow;
        QTest::newRow("below min") << "-2147483649" << 0 << overflow;
        QTest::newRow("many digits") << "99999999999999999999" << 0 << overflow;
        QTest::newRow("fraction rounds up") << "8.6" << 9 << ok;
        QTest::newRow("fraction rounds down") << "8.4" << 8 << ok;
        QTest::newRow("half to even down") << "8.5" << 8 << ok;
        QTest::newRow("half to even up") << "9.5" << 10 << ok;
        QTest::newRow("negative half to even") << "-2.5" << -2 << ok;
        QTest::newRow("half below one") << "0.5" << 0 << ok;
        QTest::newRow("leading point") << ".7" << 1 << ok;
        QTest::newRow("trailing point") << "8." << 8 << ok;
        QTest::newRow("exponent") << "1e3" << 1000 << ok;
        QTest::newRow("negative exponent") << "25E-1" << 2 << ok;
        QTest::newRow("exponent beyond double") << "1e400" << 0 << overflow;
        QTest::newRow("exponent below double") << "1e-400" << 0 << ok;
        QTest::newRow("negative exponent below double") << "-5e-400" << 0 << ok;
        QTest::newRow("max plus half rounds out") << "2147483647.5" << 0 << overflow;
        QTest::newRow("empty") << "" << 0 << mismatch;
        QTest::newRow("blanks only") << "   " << 0 << mismatch;
        QTest::newRow("trailing letters") << "12abc" << 0 << mismatch;
        QTest::newRow("word") << "abc" << 0 << mismatch;
        QTest::newRow("thousands separator") << "1,000" << 0 << mismatch;
        QTest::newRow("blank inside") << "1 000" << 0 << mismatch;
        QTest::newRow("C hex") << "0x10" << 0 << mismatch;
        QTest::newRow("infinity") << "inf" << 0 << mismatch;
        QTest::newRow("not a number") << "nan" << 0 << mismatch;
        QTest::newRow("sign only") << "-" << 0 << mismatch;
        QTest::newRow("point only") << "." << 0 << mismatch;
        QTest::newRow("exponent only") << "e3" << 0 << mismatch;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0663") << 0 << mismatch;
    }
    void textToInt32()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(ConversionError, error);
        const Converted<qint32> converted = vornel::textToInt32(text);
        QCOMPARE(converted.error, error);
        QCOMPARE(converted.ok(), error == ConversionError::None);
        QCOMPARE(converted.value, value);
    }

    void textToInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<ConversionError>("error");
        const auto ok = ConversionError::None;
        const auto mismatch = ConversionError::TypeMismatch;
        const auto overflow = ConversionError::Overflow;
        QTest::newRow("size") << " 8" << 8 << ok;
        QTest::newRow("true flag") << "-1" << -1 << ok;
        QTest::newRow("false flag") << " 0" << 0 << ok;
        QTest::newRow("max") << "32767" << 32767 << ok;
        QTest::newRow("min") << "-32768" << -32768 << ok;
        QTest::newRow("above max") << "32768" << 0 << overflow;
        QTest::newRow("below min") << "-32769" << 0 << overflow;
        QTest::newRow("twips of a wide screen") << " 38400" << 0 << overflow;
        QTest::newRow("max plus half rounds out") << "32767.5" << 0 << overflow;
        QTest::newRow("min minus half rounds to even") << "-32768.5" << -32768 << ok;
        QTest::newRow("hex all ones") << "&HFFFF" << -1 << ok;
        QTest::newRow("hex top bit") << "&H8000" << -32768 << ok;
        QTest::newRow("hex max") << "&H7FFF" << 32767 << ok;
        QTest::newRow("hex too wide") << "&H10000" << 0 << overflow;
        QTest::newRow("32-bit colour") << "&H80000008" << 0 << overflow;
        QTest::newRow("exponent") << "1e3" << 1000 << ok;
        QTest::newRow("exponent too big") << "1e5" << 0 << overflow;
        QTest::newRow("fraction") << "8.6" << 9 << ok;
        QTest::newRow("trailing letters") << "12abc" << 0 << mismatch;
        QTest::newRow("empty") << "" << 0 << mismatch;
    }
    void textToInt16()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(ConversionError, error);
        const Converted<qint16> converted = vornel::textToInt16(text);
        QCOMPARE(converted.error, error);
        QCOMPARE(int(converted.value), value);
    }

    void numberTextRoundTrip()
    {
        for (qint64 n : {qint64(-32768), qint64(-1), qint64(0), qint64(1), qint64(32767)})
            QCOMPARE(vornel::textToInt16(vornel::numberToText(n)).value, qint16(n));
        for (qint64 n : {qint64(INT32_MIN), qint64(-2147483640), qint64(0), qint64(INT32_MAX)})
            QCOMPARE(vornel::textToInt32(vornel::numberToText(n)).value, qint32(n));
    }

    // --- colours ---

    void colorFromNumber_data()
    {
        QTest::addColumn<qint32>("number");
        QTest::addColumn<QColor>("color");
        QTest::newRow("window text") << qint32(0x80000008) << QColor(1, 2, 3);
        QTest::newRow("window background") << qint32(0x80000005) << QColor(4, 5, 6);
        QTest::newRow("highlight") << qint32(0x8000000D) << QColor(7, 8, 9);
        QTest::newRow("button face") << qint32(0x8000000F) << QColor(10, 11, 12);
        QTest::newRow("grey text") << qint32(0x80000011) << QColor(13, 14, 15);
        QTest::newRow("tool-tip background") << qint32(0x80000018) << QColor(16, 17, 18);
        QTest::newRow("unknown system index") << qint32(0x80000019) << QColor(Qt::black);
        QTest::newRow("red") << qint32(0x000000FF) << QColor(255, 0, 0);
        QTest::newRow("green") << qint32(0x0000FF00) << QColor(0, 255, 0);
        QTest::newRow("blue") << qint32(0x00FF0000) << QColor(0, 0, 255);
        QTest::newRow("mixed") << qint32(0x00123456) << QColor(0x56, 0x34, 0x12);
        QTest::newRow("palette flags ignored") << qint32(0x02123456) << QColor(0x56, 0x34, 0x12);
    }
    void colorFromNumber()
    {
        QFETCH(qint32, number);
        QFETCH(QColor, color);
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
        palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
        palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 11, 12));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(13, 14, 15));
        palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(16, 17, 18));
        QCOMPARE(vornel::colorFromNumber(number, palette), color);
    }

    void numberFromColor()
    {
        QCOMPARE(vornel::numberFromColor(QColor(0x56, 0x34, 0x12)), qint32(0x00123456));
        QCOMPARE(vornel::numberFromColor(QColor(Qt::white)), qint32(0x00FFFFFF));
        const qint32 number = 0x00ABCDEF;
        QCOMPARE(vornel::numberFromColor(vornel::colorFromNumber(number, QPalette())), number);
    }
};

QTEST_GUILESS_MAIN(TestSettingsConversions)
#include "tst_settings_conversions.moc"
