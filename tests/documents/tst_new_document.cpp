#include "app/main_window.h"
#include "documents/new_document.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/program_folder.h"
#include "platform/version.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QString kTitlePrompt = QStringLiteral("Enter\r\nthe title for this HTML document");
const QString kTitleCaption = QStringLiteral("Create New Document");

} // namespace

class TestNewDocument : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_templates;

    QString templatePath(const QString &name) const { return m_templates->filePath(name); }

    void expectMessage(const QString &title, const QString &text)
    {
        m_app->platform().expectMessageBox(MsgResult::Ok, title, text);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_templates = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_templates->isValid());
        QVERIFY(m_app->showMain());
    }

    void cleanup()
    {
        m_app.reset();
        m_templates.reset();
    }

    void skeletonText()
    {
        QCOMPARE(defaultTemplateText(QStringLiteral("Home")),
                 QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Home</TITLE>\r\n<!-- Comment Here -->\r\n</HEAD>\r\n"
                                "<BODY>\r\n\r\nYour Document Here\r\n\r\n</BODY>\r\n</HTML>"));
    }

    void defaultTemplateAsksForTheTitle()
    {
        m_app->platform().expectInputBox(QStringLiteral("Home"), kTitleCaption, kTitlePrompt);
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), QStringLiteral("Vornel Default"));
        QVERIFY(document);
        QCOMPARE(document->textArea()->toBytes(),
                 QByteArray("<HTML>\r\n<HEAD>\r\n<TITLE>Home</TITLE>\r\n<!-- Comment Here -->\r\n</HEAD>\r\n"
                            "<BODY>\r\n\r\nYour Document Here\r\n\r\n</BODY>\r\n</HTML>"));
        QCOMPARE(m_app->platform().calls().first().defaultText, QStringLiteral("Untitled"));
        QCOMPARE(document->caption(), QStringLiteral("Untitled:1"));
        QCOMPARE(document->slot(), 1);
        QVERIFY(document->realFileName().isEmpty());
        QCOMPARE(m_app->main()->activeDocument(), document);
        QVERIFY(document->textArea()->isVisible());
        // A new document counts as changed from the start.
        QVERIFY(document->isChanged());
        QVERIFY(!documentTable().isFree(1));
    }

    void titleIsTakenAsTyped()
    {
        const QString title = QStringLiteral("Tom & \"Jerry\" <b>");
        m_app->platform().expectInputBox(title);
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), kDefaultTemplateName);
        QVERIFY(document);
        QCOMPARE(document->textArea()->text(), defaultTemplateText(title));
        QVERIFY(document->textArea()->text().contains(QStringLiteral("<TITLE>Tom & \"Jerry\" <b></TITLE>")));
    }

    void cancelledTitleCreatesNothing()
    {
        m_app->platform().expectInputBox(QString());
        QCOMPARE(newDocumentFromTemplate(*m_app->main(), kDefaultTemplateName), nullptr);
        QVERIFY(m_app->main()->documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
    }

    void templateFileTakenOverUnchanged()
    {
        // Every byte value, NUL included, and every kind of line end.
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        bytes.append("a\r\nb\nc\rd\r\r\n\n\0e", 15);
        const QString path = templatePath(QStringLiteral("page.htt"));
        QVERIFY(writeFile(path, bytes));
        const QDateTime modified = QFileInfo(path).lastModified();

        // A file template asks nothing.
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), QStringLiteral("page.htt"));
        QVERIFY(document);
        QCOMPARE(document->textArea()->toBytes(), bytes);
        QCOMPARE(document->textArea()->length(), int(bytes.size()));
        QCOMPARE(document->caption(), QStringLiteral("Untitled:1"));
        QVERIFY(document->isChanged());
        QVERIFY(m_app->platform().calls().isEmpty());
        // The template itself is left alone.
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }

    void randomTemplatesRoundTrip()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 20; ++round) {
            QByteArray bytes(int(random.bounded(0, 3000)), Qt::Uninitialized);
            for (char &b : bytes)
                b = char(random.bounded(256));
            const QString name = QStringLiteral("r%1.htt").arg(round);
            QVERIFY(writeFile(templatePath(name), bytes));
            DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), name);
            QVERIFY(document);
            QCOMPARE(document->textArea()->toBytes(), bytes);
        }
    }

    void emptyTemplateStillCountsAsChanged()
    {
        QVERIFY(writeFile(templatePath(QStringLiteral("empty.htt")), QByteArray()));
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), QStringLiteral("empty.htt"));
        QVERIFY(document);
        QCOMPARE(document->textArea()->length(), 0);
        QVERIFY(document->isChanged());
    }

    void missingTemplate_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("gone") << "gone.htt" << "No such file or directory";
        QTest::newRow("empty name") << "" << "Is a directory";
        QTest::newRow("a folder") << "folder.htt" << "Is a directory";
        QTest::newRow("in a missing folder") << "nowhere/x.htt" << "No such file or directory";
    }
    void missingTemplate()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_templates->path()).mkdir(QStringLiteral("folder.htt")));
        expectMessage(kProductName, QStringLiteral("Can't open template file: ") + name + QStringLiteral("\n\n") + reason);
        QCOMPARE(newDocumentFromTemplate(*m_app->main(), name), nullptr);
        QVERIFY(m_app->main()->documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
    }

    void unreadableTemplate()
    {
        const QString path = templatePath(QStringLiteral("locked.htt"));
        QVERIFY(writeFile(path, "x"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
        expectMessage(kProductName, QStringLiteral("Can't open template file: locked.htt\n\nPermission denied"));
        QCOMPARE(newDocumentFromTemplate(*m_app->main(), QStringLiteral("locked.htt")), nullptr);
        QVERIFY(!documentTable().anyOpen());
    }

    void shortReadKeepsWhatWasRead()
    {
        // A kernel attribute file reports a full page as its size but holds only a few bytes.
        const QString source = QStringLiteral("/sys/devices/system/cpu/online");
        const QByteArray content = readFile(source);
        if (content.isEmpty() || QFileInfo(source).size() <= content.size())
            QSKIP("no file here that is shorter than its reported size");
        QVERIFY(QFile::link(source, templatePath(QStringLiteral("short.htt"))));
        expectMessage(QStringLiteral("Error Reading File"),
                      QStringLiteral("Cannot read all of the characters in short.htt"));
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), QStringLiteral("short.htt"));
        QVERIFY(document);
        QCOMPARE(document->textArea()->toBytes(), content);
        QCOMPARE(m_app->platform().calls().first().icon, MsgIcon::Information);
    }

    void slotsAreReused()
    {
        QVERIFY(writeFile(templatePath(QStringLiteral("a.htt")), "a"));
        DocumentWindow *first = newDocumentFromTemplate(*m_app->main(), QStringLiteral("a.htt"));
        DocumentWindow *second = newDocumentFromTemplate(*m_app->main(), QStringLiteral("a.htt"));
        QVERIFY(first && second);
        QCOMPARE(second->caption(), QStringLiteral("Untitled:2"));
        first->setChanged(false);
        QPointer<QWidget> window = first->parentWidget();
        window->close();
        QTRY_VERIFY(window.isNull());
        DocumentWindow *third = newDocumentFromTemplate(*m_app->main(), QStringLiteral("a.htt"));
        QVERIFY(third);
        QCOMPARE(third->caption(), QStringLiteral("Untitled:1"));
    }

    void closingAnUntouchedNewDocumentAsks()
    {
        m_app->platform().expectInputBox(QStringLiteral("T"));
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), kDefaultTemplateName);
        QVERIFY(document);
        m_app->platform().expectMessageBox(MsgResult::Cancel, kProductName,
                                        QStringLiteral("Do you want to save changes to the file [Untitled:1]?"));
        QPointer<QWidget> window = document->parentWidget();
        window->close();
        QVERIFY(!window.isNull());
    }

    void newDocumentShowsTheRecentFiles()
    {
        const QString recent = m_templates->filePath(QStringLiteral("RECENT.HTM"));
        QVERIFY(saveSetting(QStringLiteral("RecentFile1"), recent));
        QVERIFY(writeFile(templatePath(QStringLiteral("a.htt")), "a"));
        DocumentWindow *document = newDocumentFromTemplate(*m_app->main(), QStringLiteral("a.htt"));
        QVERIFY(document);
        QAction *first = recentFileEntries(document->actions()).at(1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->data().toString(), recent);
    }

    void programFolderDefaultsToTheExecutablesFolder()
    {
        setProgramFolder(QString());
        QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
        setProgramFolder(m_templates->path());
        QCOMPARE(programFolder(), m_templates->path());
        QCOMPARE(historyFilePath(QStringLiteral("gif-list.qvl")), m_templates->path() + QStringLiteral("/gif-list.qvl"));
    }
};

QTEST_MAIN(TestNewDocument)
#include "tst_new_document.moc"
