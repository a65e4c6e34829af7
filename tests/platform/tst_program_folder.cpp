#include "dialogs/history_file.h"
#include "platform/program_folder.h"
#include "prefs/settings_store.h"
#include "support/test_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

using namespace vornel;

// Where the program keeps its own files: an unpacked copy in its folder, an installed one per user.
class TestProgramFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(kSettingsApplication);
        QCoreApplication::setApplicationName(kSettingsSection);
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        QFile::setPermissions(m_dir->filePath(QStringLiteral("app")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setProgramFolder(QString());
        QDir(perUser()).removeRecursively();
    }

    void foldersFollowTheLayout_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("shipped");  // the second template folder
        QTest::newRow("unpacked copy") << "app" << true << QString();
        QTest::newRow("installation's bin") << "bin" << false << "share/vornel";
        QTest::newRow("read-only copy") << "read-only" << false << "app";
        QTest::newRow("missing folder") << "missing" << false << "app";
    }
    void foldersFollowTheLayout()
    {
        QFETCH(QString, layout);
        QFETCH(bool, own);
        QFETCH(QString, shipped);
        if (layout == QLatin1String("read-only") && geteuid() == 0)
            QSKIP("root may write in a read-only folder");
        const QString program = makeLayout(layout);
        QCOMPARE(programFolderIsOwn(), own);
        QCOMPARE(userDataFolder(), own ? program : perUser());
        QVERIFY(QFileInfo(userDataFolder()).isDir());
        const QStringList folders = own ? QStringList{program} : QStringList{perUser(), m_dir->filePath(shipped)};
        QCOMPARE(templateFolders(), folders);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString expected = own ? program : QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(defaultDocumentFolder(), expected);
    }

    void historyIsKeptPerUser_data()
    {
        QTest::addColumn<QByteArray>("inProgramFolder");
        QTest::addColumn<QByteArray>("perUserBefore");
        QTest::addColumn<QByteArray>("perUserAfter");
        QTest::newRow("earlier history taken over") << QByteArray("a.gif\r\n") << QByteArray() << QByteArray("a.gif\r\n");
        QTest::newRow("user's copy kept") << QByteArray("a.gif\r\n") << QByteArray("c.gif\r\n") << QByteArray("c.gif\r\n");
        QTest::newRow("nothing yet") << QByteArray() << QByteArray() << QByteArray();
    }
    void historyIsKeptPerUser()
    {
        QFETCH(QByteArray, inProgramFolder);
        QFETCH(QByteArray, perUserBefore);
        QFETCH(QByteArray, perUserAfter);
        const QString earlier = makeLayout(QStringLiteral("bin")) + QStringLiteral("/gif-list.qvl");
        const QString path = perUser() + QStringLiteral("/gif-list.qvl");
        QVERIFY(QDir().mkpath(perUser()));
        QVERIFY(inProgramFolder.isEmpty() || writeFile(earlier, inProgramFolder));
        QVERIFY(perUserBefore.isEmpty() || writeFile(path, perUserBefore));

        QCOMPARE(historyFilePath(QStringLiteral("gif-list.qvl")), path);
        QCOMPARE(QFileInfo::exists(path), !perUserAfter.isEmpty());
        QCOMPARE(readFile(path), perUserAfter);
        QCOMPARE(readFile(earlier), inProgramFolder);
        // What this run adds, the next run finds.
        appendHistoryEntry(path, QStringLiteral("new.gif"));
        QCOMPARE(readHistory(historyFilePath(QStringLiteral("gif-list.qvl"))).entries.constLast(), QStringLiteral("new.gif"));
    }

    void templatesFromBothFolders_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("shipped");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("both") << QStringList{"b.htt", "Mine.htt", "notes.txt"} << QStringList{"Home Page.htt", "a.HTT"}
                              << QStringList{"a.HTT", "b.htt", "Home Page.htt", "Mine.htt"};
        QTest::newRow("same name once, the user's") << QStringList{"x.htt"} << QStringList{"x.htt"} << QStringList{"x.htt"};
        QTest::newRow("none") << QStringList{} << QStringList{} << QStringList{};
    }
    void templatesFromBothFolders()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, shipped);
        QFETCH(QStringList, listed);
        makeLayout(QStringLiteral("bin"));
        const QStringList folders = templateFolders();
        for (const QString &name : user)
            QVERIFY(writeFile(folders[0] + QLatin1Char('/') + name, "user"));
        for (const QString &name : shipped)
            QVERIFY(writeFile(folders[1] + QLatin1Char('/') + name, "shipped"));
        QCOMPARE(templateNames(folders), listed);
        for (const QString &name : listed)
            QCOMPARE(readFile(templateFile(name, folders)), user.contains(name) ? "user" : "shipped");
        QCOMPARE(templateFile(QStringLiteral("gone.htt"), folders), folders[0] + QStringLiteral("/gone.htt"));
    }

private:
    static QString perUser() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

    // "app" an unpacked copy, "read-only" one the user cannot write in, "missing" none at all,
    // "bin" an installation's bin folder with share/vornel beside it. The program folder is set to it.
    QString makeLayout(const QString &layout)
    {
        const bool installed = layout == QLatin1String("bin");
        const QString program = m_dir->filePath(installed ? layout : QStringLiteral("app"));
        if (installed)
            QDir().mkpath(m_dir->filePath(QStringLiteral("share/vornel")));
        if (layout != QLatin1String("missing"))
            QDir().mkpath(program);
        if (layout == QLatin1String("read-only"))
            QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        setProgramFolder(program);
        return program;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_program_folder.moc"
