#include "dialogs/form_markup.h"

#include <QtTest>

using namespace vornel;

namespace {

const QString kHundredNines = QString(100, u'9');

} // namespace

class TestFormMarkup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every type gets the same values; each writes only the attributes that belong to it.
    void inputFieldTags_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("tag");
        QTest::newRow("TEXT") << "TEXT" << "" << true
                              << R"(INPUT NAME="q" TYPE="TEXT" SIZE="20" MAXLENGTH="40")";
        QTest::newRow("TEXT, value") << "TEXT" << "hi" << false
                                     << R"(INPUT NAME="q" TYPE="TEXT" VALUE="hi" SIZE="20" MAXLENGTH="40")";
        QTest::newRow("PASSWORD") << "PASSWORD" << "" << true
                                  << R"(INPUT NAME="q" TYPE="PASSWORD" SIZE="20" MAXLENGTH="40")";
        QTest::newRow("CHECKBOX") << "CHECKBOX" << "v" << false << R"(INPUT NAME="q" TYPE="CHECKBOX" VALUE="v")";
        QTest::newRow("CHECKBOX, checked") << "CHECKBOX" << "v" << true
                                           << R"(INPUT NAME="q" TYPE="CHECKBOX" VALUE="v" CHECKED)";
        QTest::newRow("RADIO, checked") << "RADIO" << "v" << true << R"(INPUT NAME="q" TYPE="RADIO" VALUE="v" CHECKED)";
        QTest::newRow("SUBMIT") << "SUBMIT" << "" << true << R"(INPUT NAME="q" TYPE="SUBMIT")";
        QTest::newRow("SUBMIT, value") << "SUBMIT" << "Send" << true << R"(INPUT NAME="q" TYPE="SUBMIT" VALUE="Send")";
        QTest::newRow("RESET, value") << "RESET" << "Clear" << true << R"(INPUT NAME="q" TYPE="RESET" VALUE="Clear")";
        QTest::newRow("HIDDEN, value") << "HIDDEN" << "42" << true << R"(INPUT NAME="q" TYPE="HIDDEN" VALUE="42")";
        QTest::newRow("IMAGE") << "IMAGE" << "" << true << R"(INPUT NAME="q" TYPE="IMAGE" SRC="b.gif")";
        QTest::newRow("IMAGE never has a value") << "IMAGE" << "v" << true << R"(INPUT NAME="q" TYPE="IMAGE" SRC="b.gif")";
        QTest::newRow("another type, verbatim") << "file" << "v" << true << R"(INPUT NAME="q" TYPE="file" VALUE="v")";
    }
    void inputFieldTags()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(bool, checked);
        QFETCH(QString, tag);
        InputFieldValues values;
        values.fieldType = type;
        values.name = QStringLiteral("q");
        values.value = value;
        values.width = QStringLiteral("20");
        values.maxLength = QStringLiteral("40");
        values.checked = checked;
        values.image = QStringLiteral("b.gif");
        QCOMPARE(inputFieldTag(values), tag);
    }

    void valuesGoInAsTyped()
    {
        const QString typed = QStringLiteral(R"(a "b" & <c>)");
        InputFieldValues values;
        values.fieldType = QStringLiteral("TEXT");
        values.name = typed;
        values.value = typed;
        values.width = QStringLiteral("-3");
        values.maxLength = QStringLiteral("12abc");
        QCOMPARE(inputFieldTag(values), R"(INPUT NAME="a "b" & <c>" TYPE="TEXT" VALUE="a "b" & <c>" SIZE="-3" MAXLENGTH="12abc")");
        QCOMPARE(selectTag(QString(), typed, QStringLiteral("6")), R"(SELECT NAME="a "b" & <c>" SIZE="6")");
        QCOMPARE(textAreaTag(typed, QStringLiteral("1"), QStringLiteral("20")),
                 R"(TEXTAREA NAME="a "b" & <c>" ROWS="1" COLS="20")");
    }

    void selectAndTextArea()
    {
        QCOMPARE(selectTag(QStringLiteral(" MULTIPLE "), QStringLiteral("col"), QStringLiteral("6")),
                 R"(SELECT MULTIPLE  NAME="col" SIZE="6")");
        QCOMPARE(selectTag(QString(), QStringLiteral("col"), QStringLiteral("6")), R"(SELECT NAME="col" SIZE="6")");
        QCOMPARE(selectTail(QStringLiteral("Red")), QStringLiteral("\r\n<OPTION>Red\r\n<OPTION>\r\n</SELECT>"));
        QCOMPARE(textAreaTag(QStringLiteral("t"), QStringLiteral("1"), QStringLiteral("20")),
                 R"(TEXTAREA NAME="t" ROWS="1" COLS="20")");
        QCOMPARE(textAreaTail(QStringLiteral("a\r\nb")), QStringLiteral("a\r\nb</TEXTAREA>"));
        QCOMPARE(inputFieldTail(QStringLiteral("cd")), QStringLiteral("cd<BR>\r\n"));
    }

    void readsAsZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("zero");
        QTest::newRow("0") << "0" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("letters") << "abc" << true;
        QTest::newRow("zeros") << "000" << true;
        QTest::newRow("minus 0") << "-0" << true;
        QTest::newRow("0.0") << "0.0" << true;
        QTest::newRow("letters before digits") << "x5" << true;
        QTest::newRow("5") << "5" << false;
        QTest::newRow("negative") << "-3" << false;
        QTest::newRow("a sign being typed") << "-" << false;
        QTest::newRow("fraction") << "0.5" << false;
        QTest::newRow("digits before letters") << "12abc" << false;
        QTest::newRow("blank before digits") << " 7" << false;
        QTest::newRow("a hundred digits") << kHundredNines << false;
        QTest::newRow("past the integers") << "10000000000000000000000" << false;
    }
    void readsAsZero()
    {
        QFETCH(QString, text);
        QFETCH(bool, zero);
        QCOMPARE(vornel::readsAsZero(text), zero);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        QTest::newRow("inside") << "20" << 49 << "21" << "19";
        QTest::newRow("top") << "49" << 49 << "1" << "48";
        QTest::newRow("bottom") << "1" << 49 << "2" << "49";
        QTest::newRow("top of 120") << "120" << 120 << "1" << "119";
        QTest::newRow("above") << "60" << 49 << "1" << "59";
        QTest::newRow("negative") << "-3" << 49 << "-2" << "49";
        QTest::newRow("empty") << "" << 120 << "1" << "120";
        QTest::newRow("letters") << "abc" << 20 << "1" << "20";
        QTest::newRow("digits before letters") << "7abc" << 20 << "8" << "6";
        QTest::newRow("written plainly") << " +0005" << 49 << "6" << "4";
        QTest::newRow("fraction") << "2.5" << 49 << "3" << "1";
        QTest::newRow("ten digits") << "1000000000" << 49 << "1" << "999999999";
        QTest::newRow("past the integers") << "2147483648" << 49 << "1" << "2147483647";
        QTest::newRow("a hundred digits") << kHundredNines << 49 << "1" << QString(99, u'9') + u'8';
        QTest::newRow("a hundred digits, borrowing") << u'1' + QString(99, u'0') << 49 << "1" << QString(99, u'9');
        QTest::newRow("far below") << "-99999999999" << 49 << "-99999999998" << "49";
    }
    void steps()
    {
        QFETCH(QString, text);
        QFETCH(int, top);
        QFETCH(QString, up);
        QFETCH(QString, down);
        QCOMPARE(vornel::stepUp(text, top), up);
        QCOMPARE(vornel::stepDown(text, top), down);
    }
};

QTEST_APPLESS_MAIN(TestFormMarkup)
#include "tst_form_markup.moc"
