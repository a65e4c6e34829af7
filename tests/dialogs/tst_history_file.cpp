#include "dialogs/history_file.h"
#include "editor/text_codec.h"
#include "platform/version.h"
#include "platform/write_guard.h"
#include "support/scripted_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace vornel;

namespace {

// The line rule spelt out the slow way: every CR LF, LF or lone CR ends a line.
QStringList linesOf(QByteArray bytes)
{
    bytes.replace("\r\n", "\n").replace('\r', '\n');
    QStringList lines;
    for (const QByteArray &line : bytes.split('\n'))
        lines << codec::decode(line);
    // What follows the last line end is a line only when it is not empty.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray randomBytes(QRandomGenerator &random, int size)
{
    static const char lineBytes[] = {'\r', '\n', 'a', '\0'};
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = random.bounded(3) == 0 ? lineBytes[random.bounded(4)] : char(random.bounded(256));
    return bytes;
}

} // namespace

class TestHistoryFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("gif-list.qvl")); }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void readsEveryKindOfLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("CR LF") << QByteArray("a.gif\r\nb.gif\r\n") << QStringList{"a.gif", "b.gif"};
        QTest::newRow("LF") << QByteArray("a.gif\nb.gif\n") << QStringList{"a.gif", "b.gif"};
        QTest::newRow("no final end") << QByteArray("a.gif\r\nb.gif") << QStringList{"a.gif", "b.gif"};
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("empty line") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("single-byte text") << QByteArray("caf\xe9\x80\r\n") << QStringList{QStringLiteral("caf\u00e9\u20ac")};
    }
    void readsEveryKindOfLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QVERIFY(writeFile(path(), bytes));
        const HistoryContents contents = readHistory(path());
        QCOMPARE(contents.entries, entries);
        QCOMPARE(contents.unreadFrom, -1);
    }

    // Binary files give their lines and no entry keeps a CR; a file read in part and written
    // back after its shown entries keeps every line it had, wherever the limits cut it.
    void binaryFilesSurviveLimitsAndRewrites()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 200; ++round) {
            const QByteArray bytes = randomBytes(random, random.bounded(1, 400));
            QVERIFY(writeFile(path(), bytes));
            const QStringList all = linesOf(bytes);
            QCOMPARE(readHistory(path()).entries, all);

            const HistoryLimits limits{random.bounded(0, 20), random.bounded(1, 200), random.bounded(0, 300)};
            const HistoryContents shown = readHistory(path(), limits);
            QVERIFY(shown.entries.size() <= limits.maxEntries);
            QCOMPARE(shown.entries, all.mid(0, shown.entries.size()));
            QCOMPARE(shown.unreadFrom == -1, shown.entries.size() == all.size());
            rewriteHistory(path(), shown.entries, shown.unreadFrom);
            QCOMPARE(readHistory(path()).entries, all);
        }
    }

    void hugeFileShowsItsStartAndKeepsTheRest()
    {
        QByteArray bytes;
        bytes.reserve(50 * 1024 * 1024 + 16);
        int lines = 0;
        while (bytes.size() < 50 * 1024 * 1024)
            bytes += "image-" + QByteArray::number(lines++) + ".gif\r\n";
        QVERIFY(writeFile(path(), bytes));
        HistoryContents contents = readHistory(path());
        QVERIFY(contents.entries.size() > 100);
        QVERIFY(contents.entries.size() < lines);
        QCOMPARE(contents.entries.first(), QStringLiteral("image-0.gif"));
        contents.entries.removeFirst();
        rewriteHistory(path(), contents.entries, contents.unreadFrom);
        const QByteArray after = readFile(path());
        QCOMPARE(after.size(), bytes.size() - qsizetype(sizeof("image-0.gif\r\n") - 1));
        QVERIFY(bytes.endsWith(after));
    }

    void appendEndsEveryEntryWithCrLf_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray() << QByteArray("new\r\n");
        QTest::newRow("ended line") << QByteArray("a\r\n") << QByteArray("a\r\nnew\r\n");
        QTest::newRow("unended line") << QByteArray("a") << QByteArray("a\r\nnew\r\n");
        QTest::newRow("LF line") << QByteArray("a\n") << QByteArray("a\nnew\r\n");
        QTest::newRow("duplicate") << QByteArray("new\r\n") << QByteArray("new\r\nnew\r\n");
    }
    void appendEndsEveryEntryWithCrLf()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            QVERIFY(writeFile(path(), before));
        appendHistoryEntry(path(), QStringLiteral("new"));
        QCOMPARE(readFile(path()), after);
    }

    void rewriteWritesTheListWithCrLf()
    {
        QVERIFY(writeFile(path(), "a\nb\nc"));
        rewriteHistory(path(), {"c", "c", "a"});
        QCOMPARE(readFile(path()), QByteArray("c\r\nc\r\na\r\n"));
    }

    void onlyPlainFilesAreTouched_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("device") << "device";
    }
    void onlyPlainFilesAreTouched()
    {
        QFETCH(QString, kind);
        QString target = path();
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(target));
        else if (kind == u"pipe")
            QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else
            target = QStringLiteral("/dev/zero");
        // A pipe with no writer or reader would block any of these; a device would never end.
        // Writing is refused, and said once.
        resetNotKeptReports();
        ScopedPlatform platform;
        platform->expectMessageBox(MsgResult::Ok, kProductName);
        QVERIFY(readHistory(target).entries.isEmpty());
        appendHistoryEntry(target, QStringLiteral("x"));
        rewriteHistory(target, {"x"});
        QVERIFY(!QFileInfo(target).isFile());
        const QString told = platform->callsOf(PlatformCall::Kind::MessageBox).value(0).text;
        QVERIFY2(told.contains(target + QLatin1Char('.')), qPrintable(told));
    }

    void unreadableFileGivesNothingAndIsKept()
    {
        QVERIFY(writeFile(path(), "a\r\n"));
        QVERIFY(QFile::setPermissions(path(), {}));
        if (QFile file(path()); file.open(QIODevice::ReadOnly))
            QSKIP("the permissions do not stop this user");
        QVERIFY(readHistory(path()).entries.isEmpty());
        rewriteHistory(path(), {"b"}, 0);
        QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readFile(path()), QByteArray("a\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_history_file.moc"
