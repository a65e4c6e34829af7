#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/recovery.h"
#include "documents/recovery_copy.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/end_signals.h"
#include "platform/version.h"
#include "platform/write_guard.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdio>

#include <sys/stat.h>

using namespace vornel;

namespace {

const char *const kOtherInstanceRoot = "VORNEL_TEST_RECOVERY_ROOT";
const char *const kSignalledInstanceRoot = "VORNEL_TEST_SIGNALLED_ROOT";

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

    // This test program started again as another instance of the kind mode names, on the same
    // recovery folder; true once it says it is ready.
    bool startInstance(QProcess &other, const char *mode, const QString &tempFolder = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(mode), m_root->path());
        // An instance that is killed leaves its temporary folders behind: in one of ours.
        if (!tempFolder.isEmpty())
            env.insert(QStringLiteral("TMPDIR"), tempFolder);
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        return other.waitForReadyRead(20000) && other.readLine() == "ready\n";
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
            QCOMPARE(writeRecoveryCopy(file, copy), QString());
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

    // Typing that never pauses: the first copy comes within the pause of the first change,
    // and no later than the longest wait in any case.
    void typingThatNeverPausesIsCopied_data()
    {
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("maxWaitMs");
        QTest::newRow("first copy within the pause") << 50 << 60 * 60 * 1000;
        QTest::newRow("no later than the longest wait") << 60 * 60 * 1000 << 50;
    }
    void typingThatNeverPausesIsCopied()
    {
        QFETCH(int, pauseMs);
        QFETCH(int, maxWaitMs);
        m_session->pauseMs = pauseMs;
        m_session->maxWaitMs = maxWaitMs;
        DocumentWindow *window = m_app->newDocument();
        QTimer typist;
        connect(&typist, &QTimer::timeout, window, [window] { window->textArea()->setSelText(QStringLiteral("x")); });
        typist.start(1);
        QTRY_VERIFY(ownCopy());
    }

    // A copy that cannot be written is told once, with the folder and the reason, and tried
    // again until it can be.
    void unwritableCopiesAreToldOnceAndRetried_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("reason");
        QTest::newRow("recovery folder cannot be made") << "no folder" << "Not a directory";
        QTest::newRow("disk full") << "full" << "File too large";
    }
    void unwritableCopiesAreToldOnceAndRetried()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, reason);
        resetNotKeptReports();
        // Under a plain file no folder can be made, even by root.
        const QString blocker = writeFileIn(m_root->path(), QStringLiteral("blocker"), "x");
        RecoverySession blocked(blocker + QStringLiteral("/recovery"));
        RecoverySession &session = trouble == u"full" ? *m_session : blocked;
        session.pauseMs = 5;
        session.maxWaitMs = 50;
        setRecoverySession(&session);
        auto limit = std::make_unique<FileSizeLimit>(trouble == u"full" ? 64 : RLIM_INFINITY);

        DocumentWindow *window = m_app->newDocument();
        int failures = 0;
        if (trouble == u"full") {
            const auto told = session.onWriteFailed;
            session.onWriteFailed = [&, told](const QString &file, const QString &why) {
                ++failures;
                told(file, why);
            };
        }
        m_app->platform().expectMessageBox(MsgResult::Ok, kProductName);
        window->textArea()->setText(QString(200, QLatin1Char('t')));
        QTRY_COMPARE(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).size(), 1);
        const QString told = m_app->platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().text;
        QVERIFY2(told.contains(session.root()) && told.contains(reason), qPrintable(told));
        // Tried again and again meanwhile, and said only once.
        if (trouble == u"full")
            QTRY_VERIFY(failures >= 3);

        // The trouble over, the copy is written at the next try, and nothing more is said.
        limit.reset();
        if (trouble != u"full")
            QVERIFY(QFile::remove(blocker));
        QTRY_VERIFY(session.isValid() && QDir(session.folder()).entryList({QStringLiteral("*.copy")}).size() == 1);
        QCOMPARE(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).size(), 1);
        forgetDocumentChanges();
        m_app.reset();
        setRecoverySession(m_session.get());
    }

    // A logout or a kill ends the program after its unsaved text is on the disk, and the next
    // start offers it.
    void endSignalLeavesACopyForTheNextStart_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void endSignalLeavesACopyForTheNextStart()
    {
        QFETCH(int, signal);
        QProcess other;
        const QTemporaryDir otherTemp;
        QVERIFY(startInstance(other, kSignalledInstanceRoot, otherTemp.path()));
        QVERIFY(::kill(pid_t(other.processId()), signal) == 0);
        QVERIFY(other.waitForFinished(20000));
        QCOMPARE(other.exitStatus(), QProcess::CrashExit);
        QCOMPARE(other.exitCode(), signal);

        m_app->platform().expectMessageBox(MsgResult::Yes, kProductName);
        QCOMPARE(offerRecoveredDocuments(*m_app->main(), *m_session), 1);
        QVERIFY(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().text.contains(
            QStringLiteral("an untitled document")));
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), QStringLiteral("x"));
    }

    void copyIsNeverWrittenThroughToANonFile()
    {
        const QString pipe = m_root->filePath(QStringLiteral("pipe"));
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const QString file = m_root->filePath(QStringLiteral("linked.copy"));
        QVERIFY(QFile::link(pipe, file));
        QVERIFY(writeRecoveryCopy(file, kOtherCopy).startsWith(QStringLiteral("Not a plain file")));
        QVERIFY(QFileInfo(file).isSymLink() && !QFileInfo(pipe).isFile() && QFileInfo::exists(pipe));
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
        QVERIFY(startInstance(other, kOtherInstanceRoot));
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
        QVERIFY(window->isChanged());
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
    if (qEnvironmentVariableIsSet(kSignalledInstanceRoot)) {
        // The program as it runs, with one character typed into a new document that no timer
        // would copy for an hour: only the end signal makes the copy.
        QApplication app(argc, argv);
        RecoverySession session(qEnvironmentVariable(kSignalledInstanceRoot));
        session.pauseMs = session.maxWaitMs = 60 * 60 * 1000;
        setRecoverySession(&session);
        AppFixture fixture;
        fixture.newDocument()->textArea()->setSelText(QStringLiteral("x"));
        EndSignals ends([](int signal) {
            writeRecoveryCopiesNow();
            endBySignal(signal);
        });
        std::puts(session.isValid() ? "ready" : "failed");
        std::fflush(stdout);
        return app.exec();
    }
    QApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
