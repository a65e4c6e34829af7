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

    void savedFirstThenViewerGetsThePathAsOneArgument()
    {
        // A viewer program whose own path has a blank, on a page whose path has blanks.
        const QString viewer = m_dir->filePath(QStringLiteral("my viewer"));
        QVERIFY(writeFile(viewer, "#!/bin/sh\n"));
        prefs().Viewer = viewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        const QList<QAction *> entries = document->menu(QStringLiteral("mnuDocument"))->actions();
        QCOMPARE(entries.constLast(), document->action(QStringLiteral("mnuDocPreview")));
        QCOMPARE(entries.constLast()->text(), QStringLiteral("&Preview"));
        QVERIFY(entries.value(entries.size() - 2)->isSeparator());
        platform().expectStartProgram(true, viewer, QStringList{m_page});
        preview(document);
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

    void noViewerAndNoneChosen_data()
    {
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<bool>("yes");   // Yes, then Cancel in the file dialog
        QTest::newRow("*.exe, No") << kNoViewer << false;
        QTest::newRow("empty, No") << QString() << false;
        QTest::newRow("Yes, Cancel") << kNoViewer << true;
    }
    void noViewerAndNoneChosen()
    {
        QFETCH(QString, viewer);
        QFETCH(bool, yes);
        prefs().Viewer = viewer;
        DocumentWindow *document = savedDocument();
        QVERIFY(document);
        platform().expectMessageBox(yes ? MsgResult::Yes : MsgResult::No, QStringLiteral("No HTML Viewer"),
                                    kNoViewerQuestion);
        if (yes)
            platform().expectOpenDialogCancel();
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
        // The build puts the manual next to the program, whose folder is the one tried first.
        const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../");
        TemporaryProgramFolder folder;
        for (const QString &name : {QStringLiteral("VORNL500.html"), QStringLiteral("MANUAL.html")}) {
            QVERIFY(readFile(built + name).contains("<h1>"));
            QVERIFY(writeFile(folder.filePath(name), readFile(built + name)));
        }
        platform().expectOpenWithDesktop(true, folder.filePath(QStringLiteral("VORNL500.html")));
        m_app->main()->action(QStringLiteral("mnuManual(1)"))->trigger();
        DocumentWindow *document = m_app->newDocument();
        QVERIFY(!document->action(QStringLiteral("mnuManual(0)"))->isVisible());
        platform().expectOpenWithDesktop(true, folder.filePath(QStringLiteral("MANUAL.html")));
        document->action(QStringLiteral("mnuManual(0)"))->trigger();
        // Nothing on the desktop opens it.
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
