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

#include <QProcess>
#include <QtTest>

#include <cstdio>

using namespace vornel;

namespace {

const char *const kOtherInstanceRoot = "VORNEL_TEST_RECOVERY_ROOT";

QByteArray everyByteValue()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

// What the other instance that a test starts keeps.
const RecoveryCopy kOtherCopy{QStringLiteral("/web/other page.htm"), QStringLiteral("OTHER PAGE.HTM"),
                              kDefaultEncodingName, everyByteValue() + "\r\n<B>typed</B>"};

// A folder left by an instance that is gone: a copy written minutesAgo, and no lock held.
QString leaveOrphan(const QString &root, const RecoveryCopy &copy, int minutesAgo)
{
    const QString folder = root + QStringLiteral("/gone-%1").arg(minutesAgo);
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("/old.copy");
    writeRecoveryCopy(file, copy);
    QFile written(file);
    written.open(QIODevice::ReadWrite);
    written.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo), QFileDevice::FileModificationTime);
    return file;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<RecoverySession> m_session;
    std::unique_ptr<AppFixture> m_app;

    QStringList ownCopies() const { return QDir(m_session->folder()).entryList({QStringLiteral("*.copy")}); }
    // The one copy in this instance's folder, once written.
    std::optional<RecoveryCopy> ownCopy()
    {
        m_session->waitForWrites();
        const QStringList files = ownCopies();
        return files.size() == 1 ? readRecoveryCopy(m_session->folder() + QLatin1Char('/') + files.first()) : std::nullopt;
    }

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        m_session = std::make_unique<RecoverySession>(m_root->path());
        QVERIFY(m_session->isValid());
        m_session->pauseMs = 5;
        m_session->maxWaitMs = 50;
        setRecoverySession(m_session.get());
        m_app = std::make_unique<AppFixture>();
    }

    void cleanup()
    {
        m_app.reset();
        m_session.reset();
    }

    void copyFileKeepsEverythingOrNothing()
    {
        const QString file = m_root->filePath(QStringLiteral("one.copy"));
        for (const RecoveryCopy &copy : {kOtherCopy, RecoveryCopy{QStringLiteral("/a=b\n\nc%20\u00e9.htm"), {}, QStringLiteral("UTF-8"), "x\n\ny"}}) {
            QVERIFY(writeRecoveryCopy(file, copy));
            const std::optional<RecoveryCopy> back = readRecoveryCopy(file);
            QVERIFY(back && back->path == copy.path && back->caption == copy.caption && back->encoding == copy.encoding);
            QCOMPARE(back->bytes, copy.bytes);
        }
        // A copy cut short, or a file that is none, is not offered.
        QVERIFY(writeFile(file, readFile(file).chopped(1)));
        QVERIFY(!readRecoveryCopy(file));
        QVERIFY(writeFile(file, "<HTML>\n\n</HTML>"));
        QVERIFY(!readRecoveryCopy(file));
    }

    void copyFollowsUnsavedChanges()
    {
        DocumentWindow *window = m_app->newDocument();
        window->textArea()->setText(QStringLiteral("first\r\ntext\x01"));
        QTRY_VERIFY(ownCopy());
        QCOMPARE(ownCopy()->bytes, window->textArea()->toBytes());
        QVERIFY(ownCopy()->caption == window->caption() && ownCopy()->path.isEmpty());
        QCOMPARE(QFile::permissions(m_session->folder()) & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const QString file = m_root->filePath(QStringLiteral("page.htm"));
        QVERIFY(saveDocument(*window, file, QStringLiteral("page.htm")));
        QVERIFY(!ownCopy());
        window->textArea()->setSelText(QStringLiteral("more"));
        QTRY_VERIFY(ownCopy());
        QVERIFY(ownCopy()->path == file && ownCopy()->caption == QStringLiteral("PAGE.HTM"));
        QCOMPARE(readFile(file), QByteArray("first\r\ntext\x01\r\n"));

        m_app->platform().expectMessageBox(MsgResult::No, kProductName);
        QVERIFY(window->parentWidget()->close());
        QTRY_COMPARE(ownCopies(), QStringList());
    }

    // A UTF-8 page's copy says so, and its text comes back decoded the same way.
    void encodingTravelsWithTheCopy()
    {
        DocumentWindow *window = m_app->newDocument();
        window->textArea()->loadBytes("Caf\xC3\xA9");
        window->textArea()->setSelText(QStringLiteral("\u4E2D"));
        QTRY_VERIFY(ownCopy());
        QCOMPARE(ownCopy()->encoding, QStringLiteral("UTF-8"));
        const RecoveryCopy copy = *ownCopy();
        forgetDocumentChanges();

        leaveOrphan(m_root->path(), copy, 1);
        m_app->platform().expectMessageBox(MsgResult::Yes, kProductName);
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), QStringLiteral("\u4E2DCaf\u00E9"));
        QVERIFY(isUtf8(m_app->main()->activeDocument()->textArea()->encoding()));
    }

    void typingThatNeverPausesIsCopiedAfterTheLongestWait()
    {
        m_session->pauseMs = 60000;
        DocumentWindow *window = m_app->newDocument();
        QTimer typist;
        connect(&typist, &QTimer::timeout, window, [window] { window->textArea()->setSelText(QStringLiteral("x")); });
        typist.start(1);
        QTRY_VERIFY(ownCopy());
    }

    void endOfSessionLeavesNothing()
    {
        m_app.reset();
        m_session.reset();
        QCOMPARE(QDir(m_root->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void copiesOfARunningInstanceAreLeftToIt()
    {
        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kOtherInstanceRoot), m_root->path());
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine(), QByteArray("ready\n"));
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 0);

        // Killed: its copy is offered, and recovered byte for byte into a changed window.
        other.kill();
        QVERIFY(other.waitForFinished(10000));
        m_app->platform().expectMessageBox(MsgResult::Yes, kProductName,
                                           QStringLiteral("Vornel ended without saving the changes to OTHER PAGE.HTM "
                                                          "(/web/other page.htm).\r\n\r\nDo you want to recover them?\r\n"
                                                          "Yes opens them in a new window, No discards them, Cancel keeps "
                                                          "them for the next start."));
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);
        DocumentWindow *window = m_app->main()->activeDocument();
        QVERIFY(window);
        QCOMPARE(window->textArea()->toBytes(), kOtherCopy.bytes);
        QVERIFY(window->caption() == kOtherCopy.caption && window->realFileName() == kOtherCopy.path);
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Edit OTHER PAGE.HTM"));
        QVERIFY(documentTable().isChanged(window->slot()));
        // Kept by this instance from now on; the other's folder is gone.
        QCOMPARE(ownCopy()->bytes, kOtherCopy.bytes);
        QCOMPARE(QDir(m_root->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QFileInfo(m_session->folder()).fileName()});
    }

    void eachCopyIsRecoveredDiscardedOrKept()
    {
        // Offered oldest first: recovered, discarded, kept.
        const QString kept = leaveOrphan(m_root->path(), {QStringLiteral("/k.htm"), QStringLiteral("K.HTM"), kDefaultEncodingName, "k"}, 1);
        const QString discarded = leaveOrphan(m_root->path(), {QStringLiteral("/d.htm"), QStringLiteral("D.HTM"), kDefaultEncodingName, "d"}, 2);
        const QString untitled = leaveOrphan(m_root->path(), {{}, QStringLiteral("Untitled:4"), kDefaultEncodingName, "unsaved"}, 3);
        const QString cutShort = writeFileIn(QFileInfo(untitled).path(), QStringLiteral("old.copy.Ab12Cd"), "vornel-recovery");
        m_app->newDocument();
        for (MsgResult answer : {MsgResult::Yes, MsgResult::No, MsgResult::Cancel})
            m_app->platform().expectMessageBox(answer, kProductName);

        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);
        QVERIFY(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().text.contains(QStringLiteral("an untitled document")));
        DocumentWindow *window = m_app->main()->activeDocument();
        QVERIFY(window->caption() == QStringLiteral("Untitled:2") && window->realFileName().isEmpty());
        QCOMPARE(window->textArea()->text(), QStringLiteral("unsaved"));
        m_session->waitForWrites();
        QVERIFY(!QFileInfo::exists(untitled) && !QFileInfo::exists(discarded) && QFileInfo::exists(kept));
        QVERIFY(!QFileInfo::exists(QFileInfo(cutShort).path()));

        // The kept one comes again at the next start.
        RecoverySession next(m_root->path());
        const QList<RecoverySession::Orphan> again = next.claimOrphans();
        QVERIFY(again.size() == 1 && again.first().copy.bytes == "k");
    }
};

// Started by a test as the other instance: keeps one copy, says so, and runs until killed.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kOtherInstanceRoot)) {
        QCoreApplication app(argc, argv);
        RecoverySession session(qEnvironmentVariable(kOtherInstanceRoot));
        session.write(session.newCopyFile(), kOtherCopy);
        session.waitForWrites();
        std::puts(session.isValid() ? "ready" : "failed");
        std::fflush(stdout);
        return std::getchar();
    }
    QApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
