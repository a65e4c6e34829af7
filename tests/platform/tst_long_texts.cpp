#include "platform/dialog_rules.h"

#include <QtTest>

using namespace vornel;

class TestLongTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void elided_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short enough") << "/home/a.htm" << 20 << "/home/a.htm";
        QTest::newRow("exactly the limit") << "0123456789" << 10 << "0123456789";
        QTest::newRow("keeps more of the end") << "/home/user/sites/web/index.htm" << 16 << "/hom...index.htm";
        QTest::newRow("no room for dots") << "abcdef" << 3 << "abc";
    }
    void elided()
    {
        QFETCH(QString, text);
        QFETCH(int, maxChars);
        QFETCH(QString, expected);
        QCOMPARE(elidedMiddle(text, maxChars), expected);
    }

    // What the box is given: the text itself, however long its lines, but for what no screen
    // could show. Widths here are counted in characters.
    void shownText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString sentence = QStringLiteral("There is no home page set. Configure your Home Page references in the dialog.");
        QTest::newRow("long sentence kept") << sentence << sentence;
        const QString path = QStringLiteral("/home/user/") + QStringLiteral("sites/").repeated(6) + QStringLiteral("a.htm");
        QTest::newRow("long path kept") << "Can't open file: " + path << "Can't open file: " + path;
        QTest::newRow("line ends and blanks kept") << "a  b\r\n\r\n\tc " << "a  b\r\n\r\n\tc ";
        QTest::newRow("blanks at a line's end take no room") << "abcdefghij    k" << "abcdefghij    k";
        const QString run = QStringLiteral("abcdefgh/").repeated(8);
        QTest::newRow("overlong run shortened, its neighbours kept")
            << "x " + run + " y" << "x " + elidedMiddle(run, 60) + " y";
        QTest::newRow("each overlong run on its own") << run + "\n" + run
                                                      << elidedMiddle(run, 60) + "\n" + elidedMiddle(run, 60);
        QTest::newRow("unbreakable stretch broken at the width")
            << "Can't open file: " + QString(25, QLatin1Char('x')) + " now"
            << "Can't open file: " + QString(10, QLatin1Char('x')) + "\n" + QString(10, QLatin1Char('x')) + "\n"
                   + QString(5, QLatin1Char('x')) + " now";
        const QString pair = QStringLiteral("\U0001D400");  // a letter outside the BMP
        QTest::newRow("never half a surrogate pair") << "abcdefghi" + pair + "z"
                                                     << "abcdefghi\n" + pair + "z";
    }
    void shownText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const TextWidth characters = [](QStringView stretch) { return int(stretch.size()); };
        QCOMPARE(messageBoxText(text, 10, characters, 60), expected);
    }
};

QTEST_MAIN(TestLongTexts)
#include "tst_long_texts.moc"
