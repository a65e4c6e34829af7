#include "app/main_window.h"
#include "documents/disk_watch.h"
#include "documents/document_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

// Another program's ways of changing a file.
void changeOnDisk(const QString &path, const QString &how)
{
    if (how == u"append") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("more");
    } else if (how == u"replace") {
        const QString other = path + QStringLiteral(".new");
        QVERIFY(writeFileIn(QFileInfo(other).path(), QFileInfo(other).fileName(), "other") == other);
        QFile::remove(path);
        QVERIFY(QFile::rename(other, path));
    } else if (how == u"same size, new time") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-60),
                                 QFileDevice::FileModificationTime));
    } else if (how == u"delete") {
        QVERIFY(QFile::remove(path));
    }
}

} // namespace

class TestDiskWatch : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DocumentFolderFixture> m_folder;
    std::unique_ptr<ScopedPlatform> m_platform;
    std::unique_ptr<MainWindow> m_main;
    QString m_path;

    ScriptedPlatform &platform() { return **m_platform; }
    DocumentWindow *load() { return loadDocument(*m_main, m_path, QStringLiteral("page.htm")); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<DocumentFolderFixture>();
        QVERIFY(m_folder->isValid());
        documentTable().reset();
        m_platform = std::make_unique<ScopedPlatform>();
        m_main = std::make_unique<MainWindow>();
        m_path = writeFileIn(m_folder->path(), QStringLiteral("page.htm"), "first");
    }

    void cleanup()
    {
        forgetDocumentChanges();
        m_main.reset();
        m_platform.reset();
        m_folder.reset();
    }

    void changesAreNoticed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<DiskChange>("expected");
        QTest::newRow("appended to") << "append" << DiskChange::Changed;
        QTest::newRow("replaced by another file") << "replace" << DiskChange::Changed;
        QTest::newRow("same size, other time") << "same size, new time" << DiskChange::Changed;
        QTest::newRow("deleted") << "delete" << DiskChange::Deleted;
        QTest::newRow("left alone") << "none" << DiskChange::None;
    }
    void changesAreNoticed()
    {
        QFETCH(QString, how);
        QFETCH(DiskChange, expected);
        DocumentWindow *window = load();
        changeOnDisk(m_path, how);
        QCOMPARE(diskWatch().changeOf(*window), expected);
    }

    void ownSaveIsNotAChange()
    {
        DocumentWindow *window = load();
        window->textArea()->setText(QStringLiteral("edited"));
        QVERIFY(saveDocument(*window, m_path, QStringLiteral("page.htm")));
        QCOMPARE(diskWatch().changeOf(*window), DiskChange::None);
        diskWatch().check(*window);
        window->textArea()->setText(QStringLiteral("edited again"));
        QVERIFY(saveDocument(*window, m_path, QStringLiteral("page.htm")));
        QVERIFY(platform().calls().isEmpty());
    }

    void reloadOrKeep_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("unchanged window, reload") << false << MsgResult::Yes;
        QTest::newRow("unchanged window, keep") << false << MsgResult::No;
        QTest::newRow("changed window, reload") << true << MsgResult::Yes;
        QTest::newRow("changed window, keep") << true << MsgResult::No;
    }
    void reloadOrKeep()
    {
        QFETCH(bool, unsaved);
        QFETCH(MsgResult, answer);
        DocumentWindow *window = load();
        if (unsaved)
            window->textArea()->setText(QStringLiteral("typed"));
        const QString before = window->textArea()->text();
        changeOnDisk(m_path, QStringLiteral("append"));
        platform().expectMessageBox(answer, kProductName);

        diskWatch().check(*window);

        const PlatformCall asked = platform().callsOf(PlatformCall::Kind::MessageBox).constLast();
        QVERIFY(asked.text.startsWith(QStringLiteral("The file ") + m_path + QStringLiteral(" changed on disk.")));
        QCOMPARE(asked.text.contains(QStringLiteral("lose the changes")), unsaved);
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        const bool reloaded = answer == MsgResult::Yes;
        QCOMPARE(window->textArea()->text(), reloaded ? QStringLiteral("firstmore") : before);
        QCOMPARE(window->isChanged(), !reloaded);
        // Asked once per change. Keeping the window's text is no leave to overwrite the file:
        // every save asks until the user says yes.
        diskWatch().check(*window);
        QCOMPARE(platform().calls().size(), 1);
        if (!reloaded) {
            for (MsgResult overwrite : {MsgResult::No, MsgResult::No, MsgResult::Yes}) {
                platform().expectMessageBox(overwrite, kProductName);
                QCOMPARE(saveDocument(*window, m_path, QStringLiteral("page.htm")), overwrite == MsgResult::Yes);
                QVERIFY(platform().callsOf(PlatformCall::Kind::MessageBox).constLast().text.contains(
                    QStringLiteral("Overwrite it")));
            }
        }
        QVERIFY(saveDocument(*window, m_path, QStringLiteral("page.htm")));
        QCOMPARE(readFile(m_path), window->textArea()->toBytes() + "\r\n");
    }

    void deletedFileIsToldAndKept()
    {
        DocumentWindow *window = load();
        changeOnDisk(m_path, QStringLiteral("delete"));
        platform().expectMessageBox(MsgResult::Ok, kProductName,
                                    QStringLiteral("The file ") + m_path +
                                        QStringLiteral(" was deleted on disk.\n\nThe window keeps its text; save it "
                                                       "to write the file again."));
        diskWatch().check(*window);
        QCOMPARE(window->textArea()->text(), QStringLiteral("first"));
        QVERIFY(window->isChanged());
        QVERIFY(!QFile::exists(m_path));
    }

    void saveOverAChangedFileAsksFirst_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MsgResult>("answer");
        QTest::addColumn<QString>("question");
        QTest::newRow("changed, keep the file") << "append" << MsgResult::No << "changed on disk since it was loaded";
        QTest::newRow("changed, overwrite") << "replace" << MsgResult::Yes << "changed on disk since it was loaded";
        QTest::newRow("deleted, leave it") << "delete" << MsgResult::No << "was deleted on disk since it was loaded";
        QTest::newRow("deleted, write again") << "delete" << MsgResult::Yes << "was deleted on disk since it was loaded";
    }
    void saveOverAChangedFileAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(MsgResult, answer);
        QFETCH(QString, question);
        DocumentWindow *window = load();
        window->textArea()->setText(QStringLiteral("mine"));
        changeOnDisk(m_path, how);
        const QByteArray onDisk = QFile::exists(m_path) ? readFile(m_path) : QByteArray();
        platform().expectMessageBox(answer, kProductName);

        const bool saved = saveDocument(*window, m_path, QStringLiteral("page.htm"));

        const PlatformCall asked = platform().callsOf(PlatformCall::Kind::MessageBox).constLast();
        QVERIFY2(asked.text.contains(m_path + QLatin1Char(' ') + question), qPrintable(asked.text));
        QCOMPARE(saved, answer == MsgResult::Yes);
        if (saved)
            QCOMPARE(readFile(m_path), QByteArrayLiteral("mine\r\n"));
        else
            QCOMPARE(QFile::exists(m_path) ? readFile(m_path) : QByteArray(), onDisk);
        QCOMPARE(window->isChanged(), !saved);
    }

    void deleteFileCommandIsTheProgramsOwnChange()
    {
        DocumentWindow *window = load();
        platform().expectOpenDialog(m_path);
        platform().expectMessageBox(MsgResult::Yes, QStringLiteral("Deleting File"));
        deleteFileCommand(*m_main);
        QVERIFY(!QFile::exists(m_path));
        QCOMPARE(diskWatch().changeOf(*window), DiskChange::None);
    }

    void saveAsElsewhereDoesNotAsk()
    {
        DocumentWindow *window = load();
        changeOnDisk(m_path, QStringLiteral("append"));
        const QString other = m_folder->filePath(QStringLiteral("other.htm"));
        QVERIFY(saveDocument(*window, other, QStringLiteral("other.htm")));
        QVERIFY(platform().calls().isEmpty());
        QCOMPARE(diskWatch().changeOf(*window), DiskChange::None);
    }

    void focusBringsTheQuestion()
    {
        m_main->resize(800, 600);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_main->activateWindow();
        DocumentWindow *window = load();
        auto *elsewhere = new QLineEdit(m_main.get());
        elsewhere->show();
        elsewhere->setFocus();
        QTRY_VERIFY(elsewhere->hasFocus());
        changeOnDisk(m_path, QStringLiteral("append"));
        platform().expectMessageBox(MsgResult::Yes, kProductName);

        window->textArea()->setFocus();

        QTRY_COMPARE(window->textArea()->text(), QStringLiteral("firstmore"));
        QVERIFY(platform().verifyAllUsed());
    }

    // The window in use hears of a change at once, also after its own saves replaced the file.
    void changeWhileInUseIsToldAtOnce()
    {
        m_main->resize(800, 600);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        DocumentWindow *window = load();
        window->textArea()->setFocus();
        QTRY_VERIFY(window->textArea()->hasFocus());
        QVERIFY(saveDocument(*window, m_path, QStringLiteral("page.htm")));
        QCoreApplication::processEvents();
        QVERIFY(platform().calls().isEmpty());

        platform().expectMessageBox(MsgResult::No, kProductName);
        changeOnDisk(m_path, QStringLiteral("append"));
        QTRY_COMPARE(platform().callsOf(PlatformCall::Kind::MessageBox).size(), 1);
    }
};

QTEST_MAIN(TestDiskWatch)
#include "tst_disk_watch.moc"
