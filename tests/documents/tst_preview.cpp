#include "app/main_window.h"
#include "documents/document_files.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QString kNotSaved = QStringLiteral("You must save the file to disk before viewing");
const QString kNoViewerQuestion = QStringLiteral("HTML Viewer has not been confiured. Do you want to configure it now?");
const QString kStartFailed = QStringLiteral(
    "Viewer not found, or only one instance of this viewer can run. Verify viewer path, close HTML viewer or "
    "switch to running viewer and open the file");

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_page;   // a saved page whose path has blanks

    ScriptedPlatform &platform() { return m_app->platform(); }

    // A document saved as m_page, with a change not saved yet.
    DocumentWindow *savedDocument()
    {
        DocumentWindow *document = m_app->newDocument();
        document->textArea()->setSelText(QStringLiteral("<P>Hello"));
        if (!saveDocument(*document, m_page, fileNameOf(m_page)))
            return nullptr;
        document->textArea()->setSelText(QStringLiteral(" again"));
        return document;
    }
    void preview(DocumentWindow *document) { document->action(QStringLiteral("mnuDocPreview"))->trigger(); }
    int started() const { return int(m_app->platform().callsOf(PlatformCall::Kind::StartProgram).size()); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_app->isValid() && m_dir->isValid());
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("my site"))));
        m_page = m_dir->filePath(QStringLiteral("my site/page one.html"));
        QVERIFY(m_app->showMain());
    }
    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    void menuEntry()
    {
        DocumentWindow *document = m_app->newDocument();
        const QList<QAction *> entries = document->menu(QStringLiteral("mnuDocument"))->actions();
        QCOMPARE(entries.constLast()->objectName(), QStringLiteral("mnuDocPreview"));
        QCOMPARE(entries.constLast()->text(), QStringLiteral("&Preview"));
        QVERIFY(entries.value(entries.size() - 2)->isSeparator());
    }

    void viewerGetsTheSavedPathAsOneArgument_data()
    {
        QTest::addColumn<QString>("viewer");   // "<dir>" stands for the test's folder
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("leading");
        QTest::newRow("program with blanks") << "<dir>/my viewer" << "<dir>/my viewer" << QStringList();
        QTest::newRow("command line") << "firefox --new-window" << "firefox" << QStringList{"--new-window"};
        QTest::newRow("quoted program") << "\"/opt/web browser/run\" -x" << "/opt/web browser/run"
                                        << QStringList{"-x"};
    }
    void viewerGetsTheSavedPathAsOneArgument()
    {
        QFETCH(QString, viewer);
        QFETCH(QString, program);
        QFETCH(QStringList, leading);
        viewer.replace(QStringLiteral("<dir>"), m_dir->path());
        program.replace(QStringLiteral("<dir>"), m_dir->path());
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("my viewer")), "#!/bin/sh\n"));
        prefs().Viewer = viewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        platform().expectStartProgram(true, program, leading << m_page);
        preview(document);
        // Saved first, through the Save command.
        QCOMPARE(readFile(m_page), QByteArray("<P>Hello again\r\n"));
        QVERIFY(platform().callsOf(PlatformCall::Kind::MessageBox).isEmpty());
    }

    void newDocumentIsSavedUnderAName()
    {
        prefs().Viewer = QStringLiteral("firefox");
        DocumentWindow *document = m_app->newDocument();
        platform().expectSaveDialog(m_page);
        platform().expectStartProgram(true, QStringLiteral("firefox"), QStringList{m_page});
        preview(document);
        QVERIFY(QFile::exists(m_page));
    }

    void untitledDocumentIsNotPreviewed()
    {
        prefs().Viewer = QStringLiteral("firefox");
        DocumentWindow *document = m_app->newDocument();
        platform().expectSaveDialogCancel();
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("File not saved"), kNotSaved);
        preview(document);
        QCOMPARE(platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().icon, MsgIcon::Critical);
        QCOMPARE(started(), 0);
    }

    void noViewerAnsweredNo_data()
    {
        QTest::addColumn<QString>("viewer");
        QTest::newRow("*.exe") << kNoViewer;
        QTest::newRow("empty") << QString();
    }
    void noViewerAnsweredNo()
    {
        QFETCH(QString, viewer);
        prefs().Viewer = viewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        platform().expectMessageBox(MsgResult::No, QStringLiteral("No HTML Viewer"), kNoViewerQuestion);
        preview(document);
        QCOMPARE(platform().calls().constFirst().icon, MsgIcon::Exclamation);
        QCOMPARE(prefs().Viewer, viewer);
        QCOMPARE(started(), 0);
    }

    void noViewerAnsweredYes()
    {
        prefs().Viewer = kNoViewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        CommonDialog &shared = m_app->main()->commonDialog();
        shared.initDir = QStringLiteral("/docs");
        platform().expectMessageBox(MsgResult::Yes, QStringLiteral("No HTML Viewer"), kNoViewerQuestion);
        platform().expectOpenDialog(QStringLiteral("/usr/bin/browser"));
        platform().expectStartProgram(true, QStringLiteral("/usr/bin/browser"), QStringList{m_page});
        preview(document);
        const CommonDialog shown = platform().callsOf(PlatformCall::Kind::OpenDialog).constFirst().dialog;
        QCOMPARE(shown.dialogTitle, QStringLiteral("Locate HTML Viewer"));
        QCOMPARE(shown.filter, QStringLiteral("Program Files (*.exe)|*.exe|All Files (*.*)|*.*"));
        QCOMPARE(shown.filterIndex, 2);
        QCOMPARE(shown.initDir, QStringLiteral("/usr/bin"));
        QCOMPARE(shown.flags, FileDialogFlags::HideReadOnly | FileDialogFlags::PathMustExist
                                  | FileDialogFlags::FileMustExist);
        QCOMPARE(prefs().Viewer, QStringLiteral("/usr/bin/browser"));
        QCOMPARE(shared.dialogTitle, QString());
        QCOMPARE(shared.initDir, QStringLiteral("/docs"));
    }

    void noViewerChoiceCancelled()
    {
        prefs().Viewer = kNoViewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        platform().expectMessageBox(MsgResult::Yes);
        platform().expectOpenDialogCancel();
        preview(document);
        QCOMPARE(prefs().Viewer, kNoViewer);
        QCOMPARE(started(), 0);
    }

    void viewerThatCannotStart()
    {
        prefs().Viewer = QStringLiteral("no-such-viewer");
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        platform().expectStartProgram(false);
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Error starting HTML Viewer/Browser"), kStartFailed);
        preview(document);
        QCOMPARE(platform().calls().constLast().icon, MsgIcon::Exclamation);
    }

    void manualFromBothHelpMenus()
    {
        // The build puts the manual next to the program.
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
        const QString manual = QDir::cleanPath(folder + QStringLiteral("/VORNL500.html"));
        const QString guide = QDir::cleanPath(folder + QStringLiteral("/MANUAL.html"));
        QVERIFY(QFile::exists(manual) && QFile::exists(guide));
        TemporaryProgramFolder programFolder;
        QVERIFY(writeFile(programFolder.filePath(QStringLiteral("VORNL500.html")), readFile(manual)));
        QVERIFY(writeFile(programFolder.filePath(QStringLiteral("MANUAL.html")), readFile(guide)));

        platform().expectOpenWithDesktop(true, programFolder.filePath(QStringLiteral("VORNL500.html")));
        m_app->main()->action(QStringLiteral("mnuManual(1)"))->trigger();
        DocumentWindow *document = m_app->newDocument();
        QVERIFY(!document->action(QStringLiteral("mnuManual(0)"))->isVisible());
        platform().expectOpenWithDesktop(true, programFolder.filePath(QStringLiteral("MANUAL.html")));
        document->action(QStringLiteral("mnuManual(0)"))->trigger();
        platform().expectOpenWithDesktop(false);
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Could not locate program"),
                                    QStringLiteral("Could not find WordPad or Write. Please make sure that it is in "
                                                   "your default path."));
        document->action(QStringLiteral("mnuManual(1)"))->trigger();
        QCOMPARE(platform().calls().constLast().icon, MsgIcon::Question);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
