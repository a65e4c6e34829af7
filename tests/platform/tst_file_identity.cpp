#include "platform/file_io.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vornel;

namespace {

const char *const kWriteAsNobody = "VORNEL_TEST_WRITE_AS_NOBODY";
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

// A group this user may give files besides their own; 0 when there is none.
gid_t anotherGroup()
{
    gid_t groups[64];
    const int count = geteuid() == 0 ? 0 : getgroups(64, groups);
    for (int i = 0; i < count; ++i) {
        if (groups[i] != getegid())
            return groups[i];
    }
    return geteuid() == 0 ? kNobody : 0;
}

} // namespace

class TestFileIdentity : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // a.htm, and b.htm as its second name.
    QString hardLinked(const QByteArray &bytes)
    {
        const QString a = writeFileIn(m_dir->path(), QStringLiteral("a.htm"), bytes);
        return ::link(QFile::encodeName(a).constData(), QFile::encodeName(path(QStringLiteral("b.htm"))).constData()) == 0 ? a : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkdir(QStringLiteral("spare")));
        setSpareCopyFolder(path(QStringLiteral("spare")));
    }

    void cleanup() { setSpareCopyFolder(QString()); }

    void everyNameSeesTheSave()
    {
        const QString a = hardLinked("old bytes");
        const QString c = path(QStringLiteral("c.htm"));
        QVERIFY(!a.isEmpty() && QFile::link(a, c));
        const ino_t inode = statOf(a).st_ino;
        for (const char *name : {"a.htm", "b.htm", "c.htm", "a.htm"}) {
            const QByteArray bytes = QByteArray("through ") + name;
            QCOMPARE(writeFileSafely(path(QString::fromLatin1(name)), bytes), QString());
            for (const char *other : {"a.htm", "b.htm", "c.htm"})
                QCOMPARE(readFile(path(QString::fromLatin1(other))), bytes);
        }
        QCOMPARE(statOf(a).st_ino, inode);
        QCOMPARE(statOf(a).st_nlink, nlink_t(2));
        QVERIFY(QFileInfo(c).isSymLink());
        QCOMPARE(entriesOf(m_dir->path()), QStringList({"a.htm", "b.htm", "c.htm", "spare"}));
        QCOMPARE(entriesOf(path(QStringLiteral("spare"))), QStringList());
    }

    // A name up to the file system's limit of 255 bytes saves in place: the new bytes go to a
    // file of a short name first, never to the name plus a suffix.
    void namesUpToTheLimitSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("255 single-byte letters") << QString(251, QLatin1Char('a')) + QStringLiteral(".htm");
        QTest::newRow("255 bytes of two-byte letters") << QString(125, QChar(0xE9)) + QStringLiteral("a.htm");
        QTest::newRow("short") << QStringLiteral("a.htm");
    }
    void namesUpToTheLimitSave()
    {
        QFETCH(QString, name);
        QVERIFY(QFile::encodeName(name).size() <= 255);
        const QString file = writeFileIn(m_dir->path(), name, "old");
        QCOMPARE(writeFileSafely(file, "new"), QString());
        QCOMPARE(readFile(file), QByteArray("new"));
        const QStringList entries = entriesOf(m_dir->path());
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()), QSet<QString>({name, "spare"}));
    }

    void newFileGetsTheModeOfTheUmask_data()
    {
        QTest::addColumn<int>("umask");
        QTest::newRow("022") << 022;
        QTest::newRow("077") << 077;
    }
    void newFileGetsTheModeOfTheUmask()
    {
        QFETCH(int, umask);
        const mode_t old = ::umask(mode_t(umask));
        const QString file = path(QStringLiteral("new.htm"));
        const QString error = writeFileSafely(file, "new");
        ::umask(old);
        QCOMPARE(error, QString());
        QCOMPARE(statOf(file).st_mode & 07777, mode_t(0666 & ~umask));
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
        const QString a = linked ? hardLinked("old") : writeFileIn(m_dir->path(), QStringLiteral("a.htm"), "old");
        const uid_t owner = geteuid() == 0 ? kNobody : geteuid();
        QVERIFY(::chown(QFile::encodeName(a).constData(), owner, group) == 0);
        QVERIFY(::chmod(QFile::encodeName(a).constData(), 02640) == 0);

        QCOMPARE(writeFileSafely(a, "new"), QString());
        QCOMPARE(readFile(a), QByteArray("new"));
        QCOMPARE(statOf(a).st_uid, owner);
        QCOMPARE(statOf(a).st_gid, group);
        QCOMPARE(statOf(a).st_mode & 07777, mode_t(02640));
    }

    void failedInPlaceWriteLeavesTheOldBytes_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<QString>("error");
        QTest::newRow("disk full while writing") << 1000 << 100000 << "File too large";
        QTest::newRow("no room for the old bytes") << 100000 << 3 << "Cannot keep a copy";
    }

    void failedInPlaceWriteLeavesTheOldBytes()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(QString, error);
        const QByteArray old(oldSize, 'o');
        const QString a = hardLinked(old);
        QVERIFY(!a.isEmpty());
        QString reported;
        {
            FileSizeLimit limit(50000);
            QVERIFY(limit.active());
            reported = writeFileSafely(a, QByteArray(newSize, 'n'));
        }
        QVERIFY2(reported.contains(error), qPrintable(reported));
        QCOMPARE(readFile(path(QStringLiteral("b.htm"))), old);
        QCOMPARE(entriesOf(m_dir->path()), QStringList({"a.htm", "b.htm", "spare"}));
        QCOMPARE(entriesOf(path(QStringLiteral("spare"))), QStringList());
    }

    // A writable file in a folder that takes no new files. Permissions do not stop root, so as
    // root the write runs in a copy of this test as the unprivileged user nobody.
    void writableFileInAReadOnlyFolder()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ro")));
        const QString file = writeFileIn(path(QStringLiteral("ro")), QStringLiteral("doc.htm"), "old");
        QString error;
        if (geteuid() == 0) {
            for (const QString &own : {m_dir->path(), path(QStringLiteral("ro")), path(QStringLiteral("spare")), file})
                QVERIFY(::chown(QFile::encodeName(own).constData(), kNobody, kNobody) == 0);
            QVERIFY(QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner));
            QProcess nobody;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QString::fromLatin1(kWriteAsNobody), file);
            nobody.setProcessEnvironment(env);
            nobody.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                    ::_exit(3);
            });
            nobody.start(QCoreApplication::applicationFilePath(), {});
            if (!nobody.waitForFinished(20000) || nobody.exitCode() != 0)
                QSKIP("cannot run as an unprivileged user here");
            error = QString::fromLocal8Bit(nobody.readAllStandardOutput()).trimmed();
        } else {
            QVERIFY(QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner));
            error = writeFileSafely(file, "new bytes");
        }
        QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(error, QString());
        QCOMPARE(readFile(file), QByteArray("new bytes"));
        QCOMPARE(entriesOf(path(QStringLiteral("ro"))), QStringList{QStringLiteral("doc.htm")});
        QCOMPARE(entriesOf(path(QStringLiteral("spare"))), QStringList());
    }
};

// Started as nobody by the test above: writes the file and prints the error text, if any.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kWriteAsNobody)) {
        QCoreApplication app(argc, argv);
        const QString file = qEnvironmentVariable(kWriteAsNobody);
        setSpareCopyFolder(QFileInfo(file).dir().filePath(QStringLiteral("../spare")));
        std::printf("%s\n", qPrintable(writeFileSafely(file, "new bytes")));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestFileIdentity test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_identity.moc"
