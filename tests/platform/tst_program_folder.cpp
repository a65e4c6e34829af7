#include "dialogs/history_file.h"
#include "platform/program_folder.h"
#include "prefs/settings_store.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

using namespace vornel;

namespace {

enum class Layout { UnpackedCopy, InstalledBin, ReadOnlyCopy, MissingFolder };

} // namespace

Q_DECLARE_METATYPE(Layout)

// Where the program keeps its own files, for an unpacked copy and for an installed one.
class TestProgramFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(kSettingsApplication);
        QCoreApplication::setApplicationName(kSettingsSection);
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QDir(perUser()).removeRecursively();
    }

    void cleanup()
    {
        if (QFileInfo(m_dir->filePath(QStringLiteral("app"))).isDir())
            QFile::setPermissions(m_dir->filePath(QStringLiteral("app")), QFileDevice::ReadOwner
                                      | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setProgramFolder(QString());
        m_dir.reset();
        QDir(perUser()).removeRecursively();
    }

    void foldersFollowTheLayout_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<bool>("own");
        QTest::newRow("unpacked copy") << Layout::UnpackedCopy << true;
        QTest::newRow("installed bin") << Layout::InstalledBin << false;
        QTest::newRow("read-only copy") << Layout::ReadOnlyCopy << false;
        QTest::newRow("missing folder") << Layout::MissingFolder << false;
    }
    void foldersFollowTheLayout()
    {
        QFETCH(Layout, layout);
        QFETCH(bool, own);
        if (layout == Layout::ReadOnlyCopy && geteuid() == 0)
            QSKIP("root may write in a read-only folder");
        const QString program = makeLayout(layout);

        QCOMPARE(programFolderIsOwn(), own);
        if (own) {
            QCOMPARE(userDataFolder(), program);
            QCOMPARE(templateFolders(), QStringList{program});
            QCOMPARE(defaultDocumentFolder(), program);
            return;
        }
        QCOMPARE(userDataFolder(), perUser());
        QVERIFY(QFileInfo(perUser()).isDir());
        const QString shipped = layout == Layout::InstalledBin ? m_dir->filePath(QStringLiteral("share/vornel"))
                                                               : program;
        QCOMPARE(templateFolders(), (QStringList{perUser(), shipped}));
        const QString documents = defaultDocumentFolder();
        QVERIFY(documents == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                || documents == QDir::homePath());
        QVERIFY(QFileInfo(documents).isDir());
    }

    void installedHistoryIsKeptBetweenRuns()
    {
        makeLayout(Layout::InstalledBin);
        const QString path = historyFilePath(QStringLiteral("url-list.qvl"));
        QCOMPARE(QFileInfo(path).absolutePath(), perUser());
        appendHistoryEntry(path, QStringLiteral("http://a.example/"));

        // The next start finds the same file with the entry in it.
        setProgramFolder(QString());
        makeLayout(Layout::InstalledBin);
        QCOMPARE(historyFilePath(QStringLiteral("url-list.qvl")), path);
        QCOMPARE(readHistory(path).entries, QStringList{"http://a.example/"});
    }

    void historyIsTakenOverOnce_data()
    {
        QTest::addColumn<QByteArray>("inProgramFolder");
        QTest::addColumn<QByteArray>("perUserBefore");
        QTest::addColumn<QByteArray>("perUserAfter");
        QTest::newRow("taken over") << QByteArray("a.gif\r\nb.gif\r\n") << QByteArray() << QByteArray("a.gif\r\nb.gif\r\n");
        QTest::newRow("user's copy kept") << QByteArray("a.gif\r\n") << QByteArray("c.gif\r\n") << QByteArray("c.gif\r\n");
        QTest::newRow("nothing to take") << QByteArray() << QByteArray() << QByteArray();
    }
    void historyIsTakenOverOnce()
    {
        QFETCH(QByteArray, inProgramFolder);
        QFETCH(QByteArray, perUserBefore);
        QFETCH(QByteArray, perUserAfter);
        const QString program = makeLayout(Layout::InstalledBin);
        const QString name = QStringLiteral("gif-list.qvl");
        if (!inProgramFolder.isEmpty())
            QVERIFY(writeFile(program + QLatin1Char('/') + name, inProgramFolder));
        QVERIFY(QDir().mkpath(perUser()));
        if (!perUserBefore.isEmpty())
            QVERIFY(writeFile(perUser() + QLatin1Char('/') + name, perUserBefore));

        const QString path = historyFilePath(name);
        QCOMPARE(path, perUser() + QLatin1Char('/') + name);
        QCOMPARE(QFileInfo::exists(path), !perUserAfter.isEmpty());
        QCOMPARE(readFile(path), perUserAfter);
        // The program folder's copy is left as it was.
        QCOMPARE(readFile(program + QLatin1Char('/') + name), inProgramFolder);
    }

    void ownFolderKeepsItsHistory()
    {
        const QString program = makeLayout(Layout::UnpackedCopy);
        QCOMPARE(historyFilePath(QStringLiteral("gif-list.qvl")), program + QStringLiteral("/gif-list.qvl"));
        QVERIFY(!QFileInfo::exists(perUser()));
    }

    void templatesFromBothFolders_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("shipped");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("both") << QStringList{"b.htt", "Mine.htt", "notes.txt"} << QStringList{"Home Page.htt", "a.HTT"}
                              << QStringList{"a.HTT", "b.htt", "Home Page.htt", "Mine.htt"};
        QTest::newRow("same name listed once") << QStringList{"Home Page.htt"} << QStringList{"Home Page.htt"}
                                               << QStringList{"Home Page.htt"};
        QTest::newRow("only shipped") << QStringList{} << QStringList{"Home Page.htt"} << QStringList{"Home Page.htt"};
        QTest::newRow("none") << QStringList{} << QStringList{} << QStringList{};
    }
    void templatesFromBothFolders()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, shipped);
        QFETCH(QStringList, listed);
        makeLayout(Layout::InstalledBin);
        const QStringList folders = templateFolders();
        for (const QString &name : user)
            QVERIFY(writeFile(folders[0] + QLatin1Char('/') + name, "user " + name.toLatin1()));
        for (const QString &name : shipped)
            QVERIFY(writeFile(folders[1] + QLatin1Char('/') + name, "shipped " + name.toLatin1()));

        QCOMPARE(templateNames(folders), listed);
        for (const QString &name : listed) {
            const QByteArray origin = user.contains(name) ? "user " : "shipped ";
            QCOMPARE(readFile(templateFile(name, folders)), origin + name.toLatin1());
        }
    }

    void missingTemplateIsLookedForInTheFirstFolder()
    {
        QCOMPARE(templateFile(QStringLiteral("gone.htt"), {"/a", "/b"}), QStringLiteral("/a/gone.htt"));
    }

private:
    static QString perUser() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

    // Builds the layout in the temporary folder and points the program folder at it.
    QString makeLayout(Layout layout)
    {
        QString program = m_dir->filePath(QStringLiteral("app"));
        if (layout == Layout::InstalledBin) {
            program = m_dir->filePath(QStringLiteral("bin"));
            QDir().mkpath(m_dir->filePath(QStringLiteral("share/vornel")));
        }
        if (layout != Layout::MissingFolder)
            QDir().mkpath(program);
        if (layout == Layout::ReadOnlyCopy)
            QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        setProgramFolder(program);
        return program;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_program_folder.moc"
