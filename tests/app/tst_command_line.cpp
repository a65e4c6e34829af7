#include "app/command_line.h"
#include "app/startup.h"

#include <QtTest>

using namespace vornel;

using Action = CommandLine::Action;
Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("path");
        QTest::newRow("nothing") << QStringList{} << Action::Run << QString();
        QTest::newRow("unquoted blanks") << QStringList{"my", "home.htm"} << Action::Run << "my home.htm";
        QTest::newRow("--help") << QStringList{"--help", "a.htm"} << Action::ShowHelp << QString();
        QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << QString();
        QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << QString();
        QTest::newRow("-v, first option decides") << QStringList{"-v", "--help"} << Action::ShowVersion << QString();
        QTest::newRow("unknown long") << QStringList{"--bogus", "a.htm"} << Action::Fail << QString();
        QTest::newRow("unknown short") << QStringList{"-file.htm"} << Action::Fail << QString();
        QTest::newRow("option with a value") << QStringList{"--help=x"} << Action::Fail << QString();
        QTest::newRow("-- before a dash name") << QStringList{"--", "-file.htm"} << Action::Run << "-file.htm";
        QTest::newRow("-- before an option") << QStringList{"--", "--help"} << Action::Run << "--help";
        QTest::newRow("-- alone") << QStringList{"--"} << Action::Run << QString();
        QTest::newRow("-- twice") << QStringList{"--", "--", "a"} << Action::Run << "-- a";
        QTest::newRow("lone dash is a name") << QStringList{"-"} << Action::Run << "-";
        QTest::newRow("dashes inside a path") << QStringList{"my", "-draft-", "x.htm"} << Action::Run << "my -draft- x.htm";
    }
    void parse()
    {
        QFETCH(QStringList, words);
        QFETCH(Action, action);
        QFETCH(QString, path);
        const CommandLine line = parseCommandLine(QStringList{QStringLiteral("vornel")} + words);
        QCOMPARE(line.action, action);
        QCOMPARE(line.path, path);
        // One line that names the offending word.
        QCOMPARE(line.error.isEmpty(), action != Action::Fail);
        QVERIFY(line.error.isEmpty() || line.error.contains(QLatin1Char('\'') + words[0] + QLatin1Char('\'')));
        QVERIFY(!line.error.contains(QLatin1Char('\n')));
    }

    void startUpOpensThePathAfterTheOptions()
    {
        QCOMPARE(commandLineOf({"vornel", "--", "-a.htm"}, QStringLiteral("/home/user")), QStringLiteral("/home/user/-a.htm"));
    }

    void everyOptionTheHelpShowsIsAccepted()
    {
        const QString help = helpText();
        QVERIFY(help.startsWith(QStringLiteral("Usage: vornel ")));
        QStringList shown;
        for (const QString &row : help.split(QLatin1Char('\n'))) {
            if (row.startsWith(QStringLiteral("  -")))
                shown += row.trimmed().section(QStringLiteral("  "), 0, 0).split(QStringLiteral(", "));
        }
        QCOMPARE(shown.size(), 5);
        for (const QString &option : shown)
            QVERIFY2(parseCommandLine({"vornel", option}).action != Action::Fail, qPrintable(option));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
