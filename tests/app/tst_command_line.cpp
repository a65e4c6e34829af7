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
        QTest::addColumn<QString>("error");

        QTest::newRow("nothing") << QStringList{} << Action::Run << QString() << QString();
        QTest::newRow("plain path") << QStringList{"a.htm"} << Action::Run << "a.htm" << QString();
        QTest::newRow("unquoted blanks") << QStringList{"my", "home.htm"} << Action::Run << "my home.htm" << QString();
        QTest::newRow("--help") << QStringList{"--help"} << Action::ShowHelp << QString() << QString();
        QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << QString() << QString();
        QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << QString() << QString();
        QTest::newRow("-v") << QStringList{"-v"} << Action::ShowVersion << QString() << QString();
        QTest::newRow("first option decides") << QStringList{"--version", "--help"} << Action::ShowVersion
                                              << QString() << QString();
        QTest::newRow("option before a path") << QStringList{"--help", "a.htm"} << Action::ShowHelp << QString()
                                              << QString();
        QTest::newRow("unknown long option")
            << QStringList{"--bogus", "a.htm"} << Action::Fail << QString()
            << "vornel: unknown option '--bogus' (try 'vornel --help')";
        QTest::newRow("unknown short option")
            << QStringList{"-file.htm"} << Action::Fail << QString()
            << "vornel: unknown option '-file.htm' (try 'vornel --help')";
        QTest::newRow("an option glued to a value is unknown")
            << QStringList{"--help=x"} << Action::Fail << QString()
            << "vornel: unknown option '--help=x' (try 'vornel --help')";
        QTest::newRow("-- before a dash name") << QStringList{"--", "-file.htm"} << Action::Run << "-file.htm"
                                               << QString();
        QTest::newRow("-- before an option's name") << QStringList{"--", "--help"} << Action::Run << "--help"
                                                    << QString();
        QTest::newRow("-- alone") << QStringList{"--"} << Action::Run << QString() << QString();
        QTest::newRow("-- twice") << QStringList{"--", "--", "a"} << Action::Run << "-- a" << QString();
        QTest::newRow("a lone dash is a name") << QStringList{"-"} << Action::Run << "-" << QString();
        QTest::newRow("dash words inside a path")
            << QStringList{"my", "-draft-", "page.htm"} << Action::Run << "my -draft- page.htm" << QString();
    }
    void parse()
    {
        QFETCH(QStringList, words);
        QFETCH(Action, action);
        QFETCH(QString, path);
        QFETCH(QString, error);
        const CommandLine line = parseCommandLine(QStringList{QStringLiteral("vornel")} + words);
        QCOMPARE(line.action, action);
        QCOMPARE(line.path, path);
        QCOMPARE(line.error, error);
        QVERIFY(!line.error.contains(QLatin1Char('\n')));
    }

    void startUpTakesThePathAfterTheOptions()
    {
        QCOMPARE(commandLineOf({"vornel", "--", "-a.htm"}, QStringLiteral("/home/user")),
                 QStringLiteral("/home/user/-a.htm"));
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
