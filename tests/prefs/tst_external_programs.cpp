#include "platform/program_folder.h"
#include "prefs/external_programs.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::ProgramCall)

class TestExternalPrograms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void viewerCall_data()
    {
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<ProgramCall>("call");
        const QString page = QStringLiteral("/home/ann/my site/a b.html");
        QTest::newRow("plain") << "firefox" << ProgramCall{"firefox", {page}};
        QTest::newRow("with options") << "firefox --new-window" << ProgramCall{"firefox", {"--new-window", page}};
        QTest::newRow("quoted blanks") << "\"/opt/my browser/run\"" << ProgramCall{"/opt/my browser/run", {page}};
        QTest::newRow("existing file with blanks") << "<file>" << ProgramCall{"<file>", {page}};
        QTest::newRow("nothing") << "  " << ProgramCall{"", {page}};
    }
    void viewerCall()
    {
        QFETCH(QString, viewer);
        QFETCH(ProgramCall, call);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("web viewer --x"));
        QVERIFY(writeFile(file, "x"));
        viewer.replace(QStringLiteral("<file>"), file);
        call.program.replace(QStringLiteral("<file>"), file);
        QCOMPARE(vornel::viewerCall(viewer, QStringLiteral("/home/ann/my site/a b.html")), call);
    }

    void manualIsFoundInTheFirstFolderThatHasIt()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        QVERIFY(writeFile(second.filePath(QStringLiteral("VORNL500.html")), "<HTML>"));
        const QStringList folders{first.path(), second.path()};
        QCOMPARE(findManual(manualFileName(1), folders), second.filePath(QStringLiteral("VORNL500.html")));
        QCOMPARE(findManual(manualFileName(0), folders), QString());
        QVERIFY(writeFile(first.filePath(QStringLiteral("VORNL500.html")), "<HTML>"));
        QCOMPARE(findManual(manualFileName(1), folders), first.filePath(QStringLiteral("VORNL500.html")));
    }

    void missingManualIsReported()
    {
        TemporaryProgramFolder program;
        ScopedPlatform platform;
        platform->expectMessageBox(MsgResult::Ok, QStringLiteral("Could not locate program"));
        openManual(0);
        QVERIFY(platform->callsOf(PlatformCall::Kind::OpenWithDesktop).isEmpty());
    }
};

QTEST_MAIN(TestExternalPrograms)
#include "tst_external_programs.moc"
