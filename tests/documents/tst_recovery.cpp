#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/recovery.h"
#include "documents/recovery_copy.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cstdio>

using namespace vornel;

namespace {

const char *const kChildRoot = "VORNEL_TEST_RECOVERY_ROOT";

QByteArray everyByteValue()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

// What the other instance started by a test keeps.
RecoveryCopy otherInstanceCopy()
{
    return {QStringLiteral("/web/other page.htm"), QStringLiteral("OTHER PAGE.HTM"), kDefaultEncodingName,
            everyByteValue() + "\r\n<B>typed</B>"};
}

// The other instance: keeps one copy, says so, and runs until it is killed.
int runOtherInstance(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    RecoverySession session(qEnvironmentVariable(kChildRoot));
    session.write(session.newCopyFile(), otherInstanceCopy());
    session.waitForWrites();
    std::fputs(session.isValid() ? "ready\n" : "failed\n", stdout);
    std::fflush(stdout);
    std::getchar();
    return 0;
}

// A folder left by an instance that is gone: a copy written minutesAgo, and no lock held.
QString leaveOrphan(const QString &root, const QString &name, const RecoveryCopy &copy, int minutesAgo)
{
    const QString folder = QDir(root).filePath(QStringLiteral("gone-") + name);
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".copy"));
    writeRecoveryCopy(file, copy);
    QFile written(file);
    written.open(QIODevice::ReadWrite);
    written.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo), QFileDevice::FileModificationTime);
    return file;
}

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.copy")}, QDir::Files);
}

} // namespace

Q_DECLARE_METATYPE(RecoveryCopy)

class TestRecovery : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<RecoverySession> m_session;
    std::unique_ptr<AppFixture> m_app;

    void startSession()
    {
        m_session = std::make_unique<RecoverySession>(m_root->path());
        QVERIFY(m_session->isValid());
        m_session->pauseMs = 5;
        m_session->maxWaitMs = 50;
        setRecoverySession(m_session.get());
    }

    // The copy a window has in this session's folder, once written.
    std::optional<RecoveryCopy> ownCopy()
    {
        m_session->waitForWrites();
        const QStringList files = copiesIn(m_session->folder());
        if (files.size() != 1)
            return std::nullopt;
        return readRecoveryCopy(QDir(m_session->folder()).filePath(files.first()));
    }

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        startSession();
        m_app = std::make_unique<AppFixture>();
    }

    void cleanup()
    {
        m_app.reset();
        m_session.reset();
        m_root.reset();
    }

    // ---- the copy's file ----

    void copyRoundTrip_data()
    {
        QTest::addColumn<RecoveryCopy>("copy");
        QTest::newRow("untitled, every byte") << RecoveryCopy{{}, QStringLiteral("Untitled:3"), kDefaultEncodingName, everyByteValue()};
        QTest::newRow("odd path") << RecoveryCopy{QStringLiteral("/tmp/a=b\n\nc%20 \u00e9\u4e2d.htm"), QStringLiteral("A=B.HTM"),
                                                  QStringLiteral("UTF-8"), QByteArray("x\n\ny")};
        QTest::newRow("empty text") << RecoveryCopy{QStringLiteral("/w/i.htm"), QStringLiteral("I.HTM"), kDefaultEncodingName, {}};
    }

    void copyRoundTrip()
    {
        QFETCH(RecoveryCopy, copy);
        const QString file = m_root->filePath(QStringLiteral("one.copy"));
        QVERIFY(writeRecoveryCopy(file, copy));
        const std::optional<RecoveryCopy> back = readRecoveryCopy(file);
        QVERIFY(back);
        QCOMPARE(back->path, copy.path);
        QCOMPARE(back->caption, copy.caption);
        QCOMPARE(back->encoding, copy.encoding);
        QCOMPARE(back->bytes, copy.bytes);
    }

    void damagedCopyIsRefused_data()
    {
        const QByteArray whole = recoveryHeader({QStringLiteral("/p"), QStringLiteral("P"), kDefaultEncodingName, "text"}) + "text";
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut short") << whole.chopped(1);
        QTest::newRow("longer") << whole + "x";
        QTest::newRow("not a copy") << QByteArray("<HTML>\n\n</HTML>");
        QTest::newRow("no end of header") << whole.left(whole.indexOf("\n\n"));
        QTest::newRow("empty") << QByteArray();
    }

    void damagedCopyIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!readRecoveryCopy(writeFileIn(m_root->path(), QStringLiteral("bad.copy"), bytes)));
    }

    void copyDue_data()
    {
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("due");
        QTest::newRow("one edit: after the pause") << qint64(100) << qint64(100) << qint64(3100);
        QTest::newRow("typing went on: pause from the last edit") << qint64(100) << qint64(9000) << qint64(12000);
        QTest::newRow("typing never pauses: the longest wait") << qint64(100) << qint64(29000) << qint64(30100);
    }

    void copyDue()
    {
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(qint64, due);
        QCOMPARE(copyDueAt(first, last, 3000, 30000), due);
    }

    // ---- a document's copy follows its unsaved changes ----

    void copyFollowsUnsavedChanges()
    {
        DocumentWindow *window = m_app->newDocument();
        window->textArea()->setText(QStringLiteral("first\r\ntext\x01"));
        QTRY_VERIFY(ownCopy());
        QCOMPARE(ownCopy()->bytes, window->textArea()->toBytes());
        QCOMPARE(ownCopy()->caption, window->caption());
        QCOMPARE(ownCopy()->path, QString());
        QCOMPARE(ownCopy()->encoding, kDefaultEncodingName);

        const QString file = m_root->filePath(QStringLiteral("page.htm"));
        QVERIFY(saveDocument(*window, file, QStringLiteral("page.htm")));
        QVERIFY(!ownCopy());

        window->textArea()->setSelText(QStringLiteral("more"));
        QTRY_VERIFY(ownCopy());
        QCOMPARE(ownCopy()->path, file);
        QCOMPARE(ownCopy()->caption, QStringLiteral("PAGE.HTM"));
        QCOMPARE(readFile(file), QByteArray("first\r\ntext\x01\r\n"));

        m_app->platform().expectMessageBox(MsgResult::No, kProductName);
        QVERIFY(qobject_cast<QWidget *>(window->parent())->close());
        QTRY_COMPARE(copiesIn(m_session->folder()), QStringList());
    }

    void endOfSessionLeavesNothing()
    {
        const QString folder = m_session->folder();
        m_app.reset();
        m_session.reset();
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(QDir(m_root->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // ---- offered at the next start ----

    void copiesOfARunningInstanceAreNotTaken()
    {
        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildRoot), m_root->path());
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine(), QByteArray("ready\n"));

        QCOMPARE(m_session->claimOrphans().size(), 0);
        m_session->releaseOrphans();
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 0);

        other.kill();
        QVERIFY(other.waitForFinished(10000));

        const QString page = writeFileIn(m_root->path(), QStringLiteral("untouched.htm"), "on disk");
        m_app->platform().expectMessageBox(MsgResult::Yes, kProductName,
                                           QStringLiteral("Vornel ended without saving the changes to OTHER PAGE.HTM "
                                                          "(/web/other page.htm).\r\n\r\nDo you want to recover them?\r\n"
                                                          "Yes opens them in a new window, No discards them, Cancel keeps "
                                                          "them for the next start."));
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);

        const RecoveryCopy expected = otherInstanceCopy();
        DocumentWindow *window = m_app->main()->activeDocument();
        QVERIFY(window);
        QCOMPARE(window->textArea()->toBytes(), expected.bytes);
        QCOMPARE(window->caption(), expected.caption);
        QCOMPARE(window->realFileName(), expected.path);
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Edit OTHER PAGE.HTM"));
        QVERIFY(documentTable().isChanged(window->slot()));
        QCOMPARE(readFile(page), QByteArray("on disk"));
        // Now kept by this instance alone; the other's folder is gone.
        QVERIFY(ownCopy());
        QCOMPARE(ownCopy()->bytes, expected.bytes);
        const QStringList left = QDir(m_root->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left, QStringList{QFileInfo(m_session->folder()).fileName()});
    }

    void eachCopyIsRecoveredDiscardedOrKept()
    {
        // Offered oldest first.
        const QString kept = leaveOrphan(m_root->path(), QStringLiteral("kept"),
                                         {QStringLiteral("/k.htm"), QStringLiteral("K.HTM"), kDefaultEncodingName, "k"}, 1);
        const QString untitled = leaveOrphan(m_root->path(), QStringLiteral("untitled"),
                                             {{}, QStringLiteral("Untitled:4"), kDefaultEncodingName, "unsaved"}, 3);
        const QString discarded = leaveOrphan(m_root->path(), QStringLiteral("discarded"),
                                              {QStringLiteral("/d.htm"), QStringLiteral("D.HTM"), kDefaultEncodingName, "d"}, 2);
        DocumentWindow *open = m_app->newDocument();
        m_app->platform().expectMessageBox(MsgResult::Yes, kProductName);
        m_app->platform().expectMessageBox(MsgResult::No, kProductName);
        m_app->platform().expectMessageBox(MsgResult::Cancel, kProductName);

        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);
        const QString question = m_app->platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().text;
        QVERIFY2(question.contains(QStringLiteral("an untitled document")), qPrintable(question));
        DocumentWindow *window = m_app->main()->activeDocument();
        QVERIFY(window != open);
        QCOMPARE(window->caption(), QStringLiteral("Untitled:2"));
        QCOMPARE(window->realFileName(), QString());
        QCOMPARE(window->textArea()->text(), QStringLiteral("unsaved"));
        m_session->waitForWrites();
        QVERIFY(!QFileInfo::exists(untitled));
        QVERIFY(!QFileInfo::exists(discarded));
        QVERIFY(QFileInfo::exists(kept));

        // The kept one comes again at the next start.
        RecoverySession next(m_root->path());
        const QList<RecoverySession::Orphan> again = next.claimOrphans();
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().copy.bytes, QByteArray("k"));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kChildRoot))
        return runOtherInstance(argc, argv);
    QApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
