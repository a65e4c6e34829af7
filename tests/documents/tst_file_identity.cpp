#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/file_io.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vornel;

namespace {

const char *const kWriteAsOther = "VORNEL_TEST_WRITE_IN_PLACE";
constexpr uid_t kNobody = 65534;

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A group this user may give files, other than the one they get anyway; 0 when there is none.
gid_t anotherGroup()
{
    if (geteuid() == 0)
        return kNobody;
    gid_t groups[64];
    const int count = getgroups(64, groups);
    for (int i = 0; i < count; ++i) {
        if (groups[i] != getegid())
            return groups[i];
    }
    return 0;
}

// Files may not grow beyond `bytes` while it lives: a write past it fails as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// Run as an unprivileged user: writes into the file named by the environment and prints the
// error text (empty on success).
int writeAsOtherUser(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString path = qEnvironmentVariable(kWriteAsOther);
    setSpareCopyFolder(QFileInfo(path).dir().filePath(QStringLiteral("../spare")));
    std::printf("%s\n", qPrintable(writeFileSafely(path, "written by another user")));
    return 0;
}

} // namespace

class TestFileIdentity : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_spare;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString fileWith(const QByteArray &bytes) { return writeFileIn(m_dir->path(), QStringLiteral("a.htm"), bytes); }

    // a.htm with a second name b.htm.
    QString hardLinked(const QByteArray &bytes)
    {
        const QString a = fileWith(bytes);
        if (::link(QFile::encodeName(a).constData(), QFile::encodeName(path(QStringLiteral("b.htm"))).constData()) != 0)
            return QString();
        return a;
    }

    void verifyNothingLeftBehind(const QStringList &files)
    {
        QCOMPARE(entriesOf(m_dir->path()), files);
        QCOMPARE(entriesOf(m_spare->path()), QStringList());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_spare = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && m_spare->isValid());
        setSpareCopyFolder(m_spare->path());
    }

    void cleanup()
    {
        setSpareCopyFolder(QString());
        m_dir.reset();
        m_spare.reset();
    }

    void bothNamesOfAHardLinkSeeTheSave()
    {
        const QString a = hardLinked("old bytes");
        QVERIFY(!a.isEmpty());
        const QString b = path(QStringLiteral("b.htm"));
        const ino_t inode = statOf(a).st_ino;

        QCOMPARE(writeFileSafely(a, "through a"), QString());
        QCOMPARE(readFile(b), QByteArray("through a"));
        QCOMPARE(writeFileSafely(b, "through b, longer than before"), QString());
        QCOMPARE(readFile(a), QByteArray("through b, longer than before"));
        QCOMPARE(writeFileSafely(a, "short"), QString());
        QCOMPARE(readFile(b), QByteArray("short"));
        // A symbolic link keeps pointing at the file.
        const QString c = path(QStringLiteral("c.htm"));
        QVERIFY(QFile::link(a, c));
        QCOMPARE(writeFileSafely(c, "through the symbolic link"), QString());
        QVERIFY(QFileInfo(c).isSymLink());
        QCOMPARE(readFile(b), QByteArray("through the symbolic link"));
        QCOMPARE(statOf(a).st_ino, inode);
        QCOMPARE(statOf(a).st_nlink, nlink_t(2));
        verifyNothingLeftBehind({QStringLiteral("a.htm"), QStringLiteral("b.htm"), QStringLiteral("c.htm")});
    }

    void saveThroughTheSecondNameOfALink()
    {
        const QString a = hardLinked("<HTML>");
        QVERIFY(!a.isEmpty());
        DocumentFolderFixture folder;
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, path(QStringLiteral("b.htm")), QStringLiteral("b.htm"));
        window->textArea()->setSelText(QStringLiteral("new "));
        saveCommand(main, *window);
        QCOMPARE(readFile(a), QByteArray("new <HTML>\r\n"));
    }

    void ownerGroupAndModeAreKept_data()
    {
        QTest::addColumn<bool>("linked");
        QTest::newRow("replaced") << false;
        QTest::newRow("written in place") << true;
    }

    void ownerGroupAndModeAreKept()
    {
        QFETCH(bool, linked);
        const gid_t group = anotherGroup();
        if (group == 0)
            QSKIP("this user belongs to one group only");
        const QString a = linked ? hardLinked("old") : fileWith("old");
        QVERIFY(!a.isEmpty());
        const uid_t owner = geteuid() == 0 ? kNobody : geteuid();
        QVERIFY(::chown(QFile::encodeName(a).constData(), owner, group) == 0);
        QVERIFY(::chmod(QFile::encodeName(a).constData(), 02640) == 0);

        QCOMPARE(writeFileSafely(a, "new"), QString());
        QCOMPARE(readFile(a), QByteArray("new"));
        const struct stat after = statOf(a);
        QCOMPARE(after.st_uid, owner);
        QCOMPARE(after.st_gid, group);
        QCOMPARE(after.st_mode & 07777, mode_t(02640));
    }

    void fullDiskDuringAnInPlaceWriteLeavesTheOldBytes()
    {
        const QByteArray old = QByteArray("old line\r\n").repeated(100);
        const QString a = hardLinked(old);
        QVERIFY(!a.isEmpty());
        QString error;
        {
            FileSizeLimit limit(50000);
            QVERIFY(limit.active());
            error = writeFileSafely(a, QByteArray(100000, 'n'));
        }
        QVERIFY2(error.contains(QStringLiteral("File too large")), qPrintable(error));
        QCOMPARE(readFile(a), old);
        QCOMPARE(readFile(path(QStringLiteral("b.htm"))), old);
        verifyNothingLeftBehind({QStringLiteral("a.htm"), QStringLiteral("b.htm")});
    }

    void noRoomForTheOldBytesLeavesTheFileAlone()
    {
        const QByteArray old(100000, 'o');
        const QString a = hardLinked(old);
        QVERIFY(!a.isEmpty());
        QString error;
        {
            FileSizeLimit limit(50000);
            QVERIFY(limit.active());
            error = writeFileSafely(a, "new");
        }
        QVERIFY2(error.startsWith(QStringLiteral("Cannot keep a copy")), qPrintable(error));
        QCOMPARE(readFile(a), old);
        verifyNothingLeftBehind({QStringLiteral("a.htm"), QStringLiteral("b.htm")});
    }

    // A writable file in a folder that takes no new files. Permissions do not stop root, so as
    // root the write runs in a copy of this test as an unprivileged user.
    void writableFileInAReadOnlyFolder()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ro")) && QDir(m_dir->path()).mkdir(QStringLiteral("spare")));
        const QString file = writeFileIn(path(QStringLiteral("ro")), QStringLiteral("doc.htm"), "old");
        const QByteArray folder = QFile::encodeName(path(QStringLiteral("ro")));
        QString error;
        if (geteuid() == 0) {
            for (const QString &own : {m_dir->path(), path(QStringLiteral("ro")), path(QStringLiteral("spare")), file})
                QVERIFY(::chown(QFile::encodeName(own).constData(), kNobody, kNobody) == 0);
            QVERIFY(::chmod(folder.constData(), 0555) == 0);
            QProcess other;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QString::fromLatin1(kWriteAsOther), file);
            other.setProcessEnvironment(env);
            other.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                    ::_exit(3);
            });
            other.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(other.waitForFinished(20000));
            if (other.exitCode() != 0)
                QSKIP("cannot run this test as an unprivileged user");
            error = QString::fromLocal8Bit(other.readAllStandardOutput()).trimmed();
        } else {
            QVERIFY(::chmod(folder.constData(), 0555) == 0);
            setSpareCopyFolder(path(QStringLiteral("spare")));
            error = writeFileSafely(file, "written by another user");
        }
        ::chmod(folder.constData(), 0755);
        QCOMPARE(error, QString());
        QCOMPARE(readFile(file), QByteArray("written by another user"));
        QCOMPARE(entriesOf(path(QStringLiteral("ro"))), QStringList{QStringLiteral("doc.htm")});
        QCOMPARE(entriesOf(path(QStringLiteral("spare"))), QStringList());
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kWriteAsOther))
        return writeAsOtherUser(argc, argv);
    QApplication app(argc, argv);
    TestFileIdentity test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_identity.moc"
