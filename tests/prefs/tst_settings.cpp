#include "platform/version.h"
#include "platform/write_guard.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/scripted_platform.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vornel;

namespace {

// A Unix socket bound at path, as a running server leaves one.
bool bindSocket(const QByteArray &path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

const QString kProgramDir = QStringLiteral("/opt/vornel-test/bin");

// The record an empty store gives, spelled out value by value.
Preferences firstRunRecord()
{
    Preferences p;
    p.FColor = -2147483640;
    p.BColor = -2147483643;
    p.Bold = -1;
    p.Italic = 0;
    p.Font = QStringLiteral("MS Sans Serif");
    p.Size = 8;
    p.EnterBR = 0;
    p.MID = QStringLiteral("your-id@example.invalid");
    p.Template = QStringLiteral("Vornel Default");
    p.DocPath = kProgramDir;
    p.Viewer = QStringLiteral("*.exe");
    p.HomeText = QStringLiteral("Return To Home Page");
    p.WebServerFileSystem = 2;
    p.ETB = -1;
    return p;
}

// A record in which every value differs from its default.
Preferences customRecord()
{
    Preferences p;
    p.FColor = 0x00112233;
    p.BColor = 0x00FFEEDD;
    p.Bold = 0;
    p.Italic = -1;
    p.Font = QStringLiteral("Courier New");
    p.Size = 12;
    p.EnterBR = 1;
    p.MID = QStringLiteral("someone@example.org");
    p.Template = QStringLiteral("letter.htt");
    p.DocPath = QStringLiteral("C:\\Documents\\Web, old");
    p.WebPath = QStringLiteral("/srv/www");
    p.GifPath = QStringLiteral("images/");
    p.MMedPath = QStringLiteral("media/");
    p.Viewer = QStringLiteral("C:\\Browser\\view.exe");
    p.FTPPath = QStringLiteral("ftp://example.org/pub");
    p.HomePage = QStringLiteral("index.htm");
    p.HomeGif = QStringLiteral("home.gif");
    p.HomeText = QStringLiteral("Back; home = here");
    p.WebServerFileSystem = 1;
    p.ETB = 0;
    p.EInsHTML = -1;
    p.ExtShow = 0;
    return p;
}

// Forwards to the real store and records which keys were read and written, in order.
class RecordingStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;

    QString get(const QString &application, const QString &section, const QString &key,
                const QString &defaultValue) const override
    {
        reads.append(key);
        return SettingsStore::get(application, section, key, defaultValue);
    }
    bool save(const QString &application, const QString &section, const QString &key,
              const QString &value) override
    {
        writes.append(key);
        return SettingsStore::save(application, section, key, value);
    }

    mutable QStringList reads;
    QStringList writes;
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;

    QString stored(const QString &key, const QString &absent = QStringLiteral("<absent>")) const
    {
        return m_store->get(kSettingsApplication, kSettingsSection, key, absent);
    }
    void store(const QString &key, const QString &value)
    {
        QVERIFY(m_store->save(kSettingsApplication, kSettingsSection, key, value));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Even a store that was never redirected must not reach the user's settings.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<SettingsStore>(m_dir->path());
        setSettingsStoreRootForTesting(m_dir->path());
        prefs() = Preferences();
        resetNotKeptReports();
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    // --- the store ---

    void batchedSavesReachTheFileAtTheEnd()
    {
        SettingsStore other(m_dir->path());
        {
            const SettingsBatch outer(*m_store);
            {
                const SettingsBatch inner(*m_store);
                store(QStringLiteral("Size"), QStringLiteral(" 8"));
                store(QStringLiteral("Font"), QStringLiteral("Courier"));
            }
            // Within the batch the store reads its own saves; the file is written at the end.
            QCOMPARE(stored(QStringLiteral("Font")), QStringLiteral("Courier"));
            QFile file(m_store->filePath(kSettingsApplication));
            QVERIFY(!file.open(QIODevice::ReadOnly) || !file.readAll().contains("Courier"));
        }
        QCOMPARE(other.get(kSettingsApplication, kSettingsSection, QStringLiteral("Size"), QString()), QStringLiteral(" 8"));
        QCOMPARE(other.get(kSettingsApplication, kSettingsSection, QStringLiteral("Font"), QString()), QStringLiteral("Courier"));
    }

    void storeAbsentKeyGivesDefault()
    {
        QCOMPARE(stored(QStringLiteral("Nothing"), QStringLiteral("fallback")),
                 QStringLiteral("fallback"));
        QCOMPARE(stored(QStringLiteral("Nothing"), QString()), QString());
    }

    void storeRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("leading blank") << " 8";
        QTest::newRow("trailing blank") << "8 ";
        QTest::newRow("minus") << "-1";
        QTest::newRow("empty") << "";
        QTest::newRow("comma") << "a, b";
        QTest::newRow("semicolon and equals") << "x;y=z";
        QTest::newRow("quotes") << "say \"hi\"";
        QTest::newRow("backslashes") << "C:\\WEB\\INDEX.HTM";
        QTest::newRow("at sign first") << "@Variant(junk)";
        QTest::newRow("brackets") << "[Vornel]";
        QTest::newRow("accented") << QString::fromUtf8("Café Ærø");
        QTest::newRow("line break") << "one\r\ntwo";
    }
    void storeRoundTrip()
    {
        QFETCH(QString, value);
        store(QStringLiteral("Key"), value);
        QCOMPARE(stored(QStringLiteral("Key")), value);
        // A second store object on the same folder reads the same file.
        SettingsStore other(m_dir->path());
        QCOMPARE(other.get(kSettingsApplication, kSettingsSection, QStringLiteral("Key"), QString()),
                 value);
    }

    void storeWritesThroughAtOnce()
    {
        store(QStringLiteral("RecentFile1"), QStringLiteral("C:\\WEB\\A.HTM"));
        QFile file(m_store->filePath(kSettingsApplication));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QVERIFY(contents.contains("[Vornel]"));
        QVERIFY(contents.contains("RecentFile1="));
    }

    void storeKeepsApplicationsAndSectionsApart()
    {
        QVERIFY(m_store->save(QStringLiteral("Other Maker"), kSettingsSection, QStringLiteral("Size"),
                              QStringLiteral(" 10")));
        QVERIFY(m_store->save(kSettingsApplication, QStringLiteral("Other"), QStringLiteral("Size"),
                              QStringLiteral(" 11")));
        store(QStringLiteral("Size"), QStringLiteral(" 12"));
        QCOMPARE(m_store->get(QStringLiteral("Other Maker"), kSettingsSection, QStringLiteral("Size"),
                              QString()),
                 QStringLiteral(" 10"));
        QCOMPARE(m_store->get(kSettingsApplication, QStringLiteral("Other"), QStringLiteral("Size"),
                              QString()),
                 QStringLiteral(" 11"));
        QCOMPARE(stored(QStringLiteral("Size")), QStringLiteral(" 12"));
    }

    void storeCreatesMissingRoot()
    {
        SettingsStore nested(m_dir->filePath(QStringLiteral("a/b")));
        QVERIFY(nested.save(kSettingsApplication, kSettingsSection, QStringLiteral("K"),
                            QStringLiteral("v")));
        QCOMPARE(nested.get(kSettingsApplication, kSettingsSection, QStringLiteral("K"), QString()),
                 QStringLiteral("v"));
    }

    void programStoreFollowsTestRoot()
    {
        QCOMPARE(settingsStore().rootDir(), m_dir->path());
        QVERIFY(saveSetting(QStringLiteral("RecentFile1"), QStringLiteral("X.HTM")));
        QCOMPARE(stored(QStringLiteral("RecentFile1")), QStringLiteral("X.HTM"));
        QCOMPARE(getSetting(QStringLiteral("RecentFile1"), QString()), QStringLiteral("X.HTM"));
        QCOMPARE(getSetting(QStringLiteral("RecentFile2"), QStringLiteral("Not Used")),
                 QStringLiteral("Not Used"));
    }

    // --- loading and saving the record ---

    void firstRunGivesEveryDefault()
    {
        QCOMPARE(readPreferences(*m_store, kProgramDir), firstRunRecord());
        QVERIFY(!QFile::exists(m_store->filePath(kSettingsApplication)));
    }

    void loadPreferencesUsesProgramFolder()
    {
        loadPreferences();
        QCOMPARE(prefs().DocPath, QCoreApplication::applicationDirPath());
        QCOMPARE(prefs().Font, QStringLiteral("MS Sans Serif"));
        QCOMPARE(prefs().ETB, qint16(-1));
    }

    void saveThenLoadGivesSameRecord()
    {
        const Preferences saved = customRecord();
        ExitState exit;
        exit.geometry = QRect(120, 240, 9000, 6000);
        exit.extendedToolbarChecked = false;
        writePreferences(*m_store, saved, exit);

        Preferences loaded = readPreferences(*m_store, kProgramDir);
        readToolboxSettings(*m_store, loaded);
        QCOMPARE(loaded, saved);
        QCOMPARE(readWindowGeometry(*m_store, QRect(0, 0, 1, 1)), exit.geometry);

        QCOMPARE(stored(QStringLiteral("Size")), QStringLiteral(" 12"));
        QCOMPARE(stored(QStringLiteral("Italic")), QStringLiteral("-1"));
        QCOMPARE(stored(QStringLiteral("Bold")), QStringLiteral(" 0"));
        QCOMPARE(stored(QStringLiteral("X")), QStringLiteral(" 120"));
    }

    void defaultsSurviveSaveAndLoad()
    {
        const Preferences saved = firstRunRecord();
        ExitState exit;
        exit.extendedToolbarChecked = true;
        writePreferences(*m_store, saved, exit);

        QCOMPARE(stored(QStringLiteral("Size")), QStringLiteral(" 8"));
        QCOMPARE(stored(QStringLiteral("Bold")), QStringLiteral("-1"));
        QCOMPARE(stored(QStringLiteral("ETB")), QStringLiteral("-1"));
        QCOMPARE(stored(QStringLiteral("FColor")), QStringLiteral("-2147483640"));
        QCOMPARE(stored(QStringLiteral("BColor")), QStringLiteral("-2147483643"));
        QCOMPARE(stored(QStringLiteral("WebServerFileSystem")), QStringLiteral(" 2"));
        QCOMPARE(readPreferences(*m_store, QStringLiteral("/elsewhere")), saved);
    }

    void etbFollowsCheckMark()
    {
        ExitState exit;
        exit.extendedToolbarChecked = false;
        writePreferences(*m_store, firstRunRecord(), exit);
        QCOMPARE(stored(QStringLiteral("ETB")), QStringLiteral(" 0"));
        QCOMPARE(readPreferences(*m_store, kProgramDir).ETB, qint16(0));
    }

    void webServerFileSystemNormalised_data()
    {
        QTest::addColumn<QString>("storedText");
        QTest::addColumn<int>("loaded");
        QTest::newRow("attached") << " 2" << 2;
        QTest::newRow("not attached") << " 1" << 1;
        QTest::newRow("zero") << " 0" << 1;
        QTest::newRow("other number") << " 3" << 1;
        QTest::newRow("true flag") << "-1" << 1;
        QTest::newRow("hex two") << "&H2" << 2;
        QTest::newRow("does not convert") << "abc" << 1;
    }
    void webServerFileSystemNormalised()
    {
        QFETCH(QString, storedText);
        QFETCH(int, loaded);
        store(QStringLiteral("WebServerFileSystem"), storedText);
        QCOMPARE(int(readPreferences(*m_store, kProgramDir).WebServerFileSystem), loaded);
    }

    void geometryNotWrittenWhenMinimised()
    {
        store(QStringLiteral("X"), QStringLiteral(" 100"));
        store(QStringLiteral("Y"), QStringLiteral(" 200"));
        store(QStringLiteral("Width"), QStringLiteral(" 3000"));
        store(QStringLiteral("Height"), QStringLiteral(" 4000"));

        ExitState exit;
        exit.geometry = QRect(-60, 5, 2000, 1000);
        exit.minimised = true;
        writePreferences(*m_store, firstRunRecord(), exit);
        QCOMPARE(readWindowGeometry(*m_store, QRect()), QRect(100, 200, 3000, 4000));
        QCOMPARE(stored(QStringLiteral("Size")), QStringLiteral(" 8"));

        exit.minimised = false;
        writePreferences(*m_store, firstRunRecord(), exit);
        QCOMPARE(stored(QStringLiteral("X")), QStringLiteral("-60"));
        QCOMPARE(readWindowGeometry(*m_store, QRect()), QRect(-60, 5, 2000, 1000));
    }

    void windowGeometryFallsBackToCurrent()
    {
        const QRect current(11, 22, 33, 44);
        QCOMPARE(readWindowGeometry(*m_store, current), current);

        store(QStringLiteral("X"), QStringLiteral(" 500"));
        store(QStringLiteral("Width"), QStringLiteral(" 38400"));  // beyond 16 bits
        store(QStringLiteral("Height"), QStringLiteral("tall"));
        QCOMPARE(readWindowGeometry(*m_store, current), QRect(500, 22, 33, 44));
        QCOMPARE(loadWindowGeometry(current), QRect(500, 22, 33, 44));
    }

    void placeholdersAreNeverWritten()
    {
        ExitState exit;
        writePreferences(*m_store, firstRunRecord(), exit);
        QCOMPARE(stored(QStringLiteral("MID")), QStringLiteral("<absent>"));
        QCOMPARE(stored(QStringLiteral("Viewer")), QStringLiteral("<absent>"));

        Preferences chosen = firstRunRecord();
        chosen.MID = QStringLiteral("me@example.org");
        chosen.Viewer = QStringLiteral("/usr/bin/viewer");
        writePreferences(*m_store, chosen, exit);
        QCOMPARE(stored(QStringLiteral("MID")), chosen.MID);
        QCOMPARE(stored(QStringLiteral("Viewer")), chosen.Viewer);

        // Going back to a placeholder writes nothing, so the earlier choice stays stored.
        writePreferences(*m_store, firstRunRecord(), exit);
        QCOMPARE(stored(QStringLiteral("MID")), chosen.MID);
        QCOMPARE(stored(QStringLiteral("Viewer")), chosen.Viewer);
    }

    void badValueLeavesInitialValueAndLoadingGoesOn()
    {
        const Preferences saved = customRecord();
        writePreferences(*m_store, saved, ExitState());
        store(QStringLiteral("Italic"), QStringLiteral("40000"));
        store(QStringLiteral("EnterBR"), QString());
        store(QStringLiteral("ETB"), QStringLiteral("yes"));

        Preferences expected = saved;
        expected.Italic = 0;
        expected.EnterBR = 0;
        expected.ETB = 0;
        expected.EInsHTML = 0;  // not read by readPreferences
        QCOMPARE(readPreferences(*m_store, kProgramDir), expected);
    }

    // Colours and the font size fall back to their defaults rather than to 0: black on
    // black, or a text area that looks empty, leaves the editor unusable.
    void lookFallsBackToDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("expected");
        const qint32 windowText = -2147483640;
        const qint32 windowBack = -2147483643;
        QTest::newRow("text colour not a number") << "FColor" << "notanumber" << windowText;
        QTest::newRow("background bad hex digits") << "BColor" << "&HZZZZ" << windowBack;
        QTest::newRow("hex beyond 32 bits") << "FColor" << "&H123456789" << windowText;
        QTest::newRow("decimal beyond 32 bits") << "BColor" << "4294967296" << windowBack;
        QTest::newRow("empty colour") << "FColor" << "" << windowText;
        QTest::newRow("bare &H") << "BColor" << "&H" << windowBack;
        QTest::newRow("unknown system colour") << "FColor" << "&H800000FF" << windowText;
        QTest::newRow("last system colour kept") << "FColor" << "&H80000018" << qint32(0x80000018u);
        QTest::newRow("fixed colour kept") << "BColor" << " 16777215" << 16777215;
        QTest::newRow("hex fixed colour kept") << "FColor" << "&HFF" << 255;
        QTest::newRow("size zero") << "Size" << " 0" << 8;
        QTest::newRow("size 10000") << "Size" << " 10000" << 8;
        QTest::newRow("size negative") << "Size" << "-12" << 8;
        QTest::newRow("size 3") << "Size" << " 3" << 8;
        QTest::newRow("size 4 kept") << "Size" << " 4" << 4;
        QTest::newRow("size 200 kept") << "Size" << "200" << 200;
        QTest::newRow("size 201") << "Size" << " 201" << 8;
        QTest::newRow("size not a number") << "Size" << "abc" << 8;
        QTest::newRow("size hex kept") << "Size" << "&HC" << 12;
    }
    void lookFallsBackToDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(qint32, expected);
        writePreferences(*m_store, customRecord(), ExitState());
        store(key, text);
        const Preferences read = readPreferences(*m_store, kProgramDir);
        Preferences expectedRecord = customRecord();
        expectedRecord.EInsHTML = 0;
        if (key == QLatin1String("Size"))
            expectedRecord.Size = qint16(expected);
        else
            (key == QLatin1String("FColor") ? expectedRecord.FColor : expectedRecord.BColor) = expected;
        QCOMPARE(read, expectedRecord);
    }

    void toolboxSettings_data()
    {
        QTest::addColumn<QString>("insertsHtml");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("expectedInsertsHtml");
        QTest::addColumn<int>("expectedShown");
        QTest::newRow("absent") << QString() << QString() << 0 << 0;
        QTest::newRow("both true") << "-1" << "-1" << -1 << -1;
        QTest::newRow("html only") << "-1" << " 0" << -1 << 0;
        QTest::newRow("garbage") << "on" << "&H" << 0 << 0;
    }
    void toolboxSettings()
    {
        QFETCH(QString, insertsHtml);
        QFETCH(QString, shown);
        QFETCH(int, expectedInsertsHtml);
        QFETCH(int, expectedShown);
        if (!insertsHtml.isNull())
            store(QStringLiteral("EInsHTML"), insertsHtml);
        if (!shown.isNull())
            store(QStringLiteral("ExtShow"), shown);
        prefs().EInsHTML = 5;
        prefs().ExtShow = 5;
        loadToolboxSettings();
        QCOMPARE(int(prefs().EInsHTML), expectedInsertsHtml);
        QCOMPARE(int(prefs().ExtShow), expectedShown);
    }

    void closingToolboxRecordsItsModeBeforeEInsHTML()
    {
        prefs() = firstRunRecord();
        prefs().ExtShow = -1;
        prefs().EInsHTML = 0;
        int closed = 0;
        ExitState exit;
        exit.closeToolbox = [&] {
            ++closed;
            QCOMPARE(stored(QStringLiteral("ExtShow")), QStringLiteral("-1"));
            QCOMPARE(stored(QStringLiteral("EInsHTML")), QStringLiteral("<absent>"));
            prefs().EInsHTML = -1;  // the toolbox was in HTML mode
            prefs().ExtShow = 0;
        };
        savePreferences(exit);
        QCOMPARE(closed, 1);
        QCOMPARE(stored(QStringLiteral("ExtShow")), QStringLiteral("-1"));
        QCOMPARE(stored(QStringLiteral("EInsHTML")), QStringLiteral("-1"));
    }

    void closedToolboxIsNotClosedAgain()
    {
        Preferences p = firstRunRecord();
        p.EInsHTML = -1;
        int closed = 0;
        ExitState exit;
        exit.closeToolbox = [&] { ++closed; };
        writePreferences(*m_store, p, exit);
        QCOMPARE(closed, 0);
        QCOMPARE(stored(QStringLiteral("ExtShow")), QStringLiteral(" 0"));
        QCOMPARE(stored(QStringLiteral("EInsHTML")), QStringLiteral("-1"));
    }

    void readOrder()
    {
        RecordingStore recording(m_dir->path());
        readPreferences(recording, kProgramDir);
        const QStringList expected{
            "FColor", "BColor", "Bold", "Italic", "Font", "Size", "EnterBR", "MID", "Template",
            "DocPath", "WebPath", "GifPath", "MMedPath", "Viewer", "FTPPath", "HomePage",
            "HomeGif", "HomeText", "WebServerFileSystem", "ETB"};
        QCOMPARE(recording.reads, expected);
    }

    void writeOrder()
    {
        RecordingStore recording(m_dir->path());
        Preferences p = customRecord();
        p.ExtShow = -1;
        ExitState exit;
        exit.closeToolbox = [&] { recording.writes.append(QStringLiteral("<close toolbox>")); };
        writePreferences(recording, p, exit);
        const QStringList expected{
            "X", "Y", "Width", "Height", "FColor", "BColor", "Bold", "Italic", "Font", "Size",
            "MID", "Template", "EnterBR", "HomePage", "HomeGif", "HomeText", "DocPath",
            "WebPath", "GifPath", "MMedPath", "FTPPath", "Viewer", "WebServerFileSystem", "ETB",
            "ExtShow", "<close toolbox>", "EInsHTML"};
        QCOMPARE(recording.writes, expected);
    }

    void writeOrderWhenMinimisedWithPlaceholders()
    {
        RecordingStore recording(m_dir->path());
        ExitState exit;
        exit.minimised = true;
        writePreferences(recording, firstRunRecord(), exit);
        const QStringList expected{
            "FColor", "BColor", "Bold", "Italic", "Font", "Size", "Template", "EnterBR",
            "HomePage", "HomeGif", "HomeText", "DocPath", "WebPath", "GifPath", "MMedPath",
            "FTPPath", "WebServerFileSystem", "ETB", "ExtShow", "EInsHTML"};
        QCOMPARE(recording.writes, expected);
    }

    // --- damaged settings files ---

    void damagedFileGivesDefaults_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");  // what the user is told on saving; empty: saved
        QTest::newRow("binary junk") << "junk" << "damaged";
        QTest::newRow("directory in place of the file") << "directory" << "Is a directory";
        QTest::newRow("root is a plain file") << "root file" << "Not a directory";
        QTest::newRow("symbolic link loop") << "link loop" << "";
    }
    void damagedFileGivesDefaults()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        QString root = m_dir->path();
        const QString iniPath = m_store->filePath(kSettingsApplication);
        if (damage == QLatin1String("junk")) {
            QFile file(iniPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray junk;
            quint32 x = 12345;
            for (int i = 0; i < 4096; ++i) {
                x = x * 1103515245u + 12345u;
                junk.append(char(x >> 16));
            }
            file.write(junk);
        } else if (damage == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(iniPath));
        } else if (damage == QLatin1String("root file")) {
            root = m_dir->filePath(QStringLiteral("not-a-folder"));
            QFile file(root);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Vornel]\nSize=12\n");
        } else {
            QVERIFY(QFile::link(iniPath, iniPath));
        }

        SettingsStore damaged(root);
        QCOMPARE(readPreferences(damaged, kProgramDir), firstRunRecord());
        QCOMPARE(readWindowGeometry(damaged, QRect(1, 2, 3, 4)), QRect(1, 2, 3, 4));
        // Saving must not crash; where it fails the user hears of it once.
        ScopedPlatform platform;
        if (!reason.isEmpty())
            platform->expectMessageBox(MsgResult::Ok, kProductName);
        writePreferences(damaged, customRecord(), ExitState());
        if (!reason.isEmpty()) {
            const QString told = platform->callsOf(PlatformCall::Kind::MessageBox).value(0).text;
            QVERIFY2(told.contains(damaged.filePath(kSettingsApplication)) && told.contains(reason), qPrintable(told));
        }
    }

    // A settings file linked to something that is not a file is neither replaced nor written
    // into, and the user is told once, with the file and the reason.
    void nonFileIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("socket") << "socket";
        QTest::newRow("device") << "device";
        QTest::newRow("folder") << "folder";
    }
    void nonFileIsNeverReplaced()
    {
        QFETCH(QString, kind);
        const QString node = m_dir->filePath(QStringLiteral("node"));
        const QByteArray name = QFile::encodeName(node);
        if (kind == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        } else if (kind == QLatin1String("socket")) {
            QVERIFY(bindSocket(name));
        } else if (kind == QLatin1String("device")) {
            // The same device as /dev/null, under a name of the test's own.
            if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("cannot make a device node here");
        } else {
            QVERIFY(QDir().mkdir(node));
        }
        struct stat before {};
        QVERIFY(::stat(name.constData(), &before) == 0);
        const QString ini = m_store->filePath(kSettingsApplication);
        QVERIFY(QFile::link(node, ini));

        ScopedPlatform platform;
        platform->expectMessageBox(MsgResult::Ok, kProductName);
        QVERIFY(!m_store->save(kSettingsApplication, kSettingsSection, QStringLiteral("Recent1"), QStringLiteral("/a.htm")));
        writePreferences(*m_store, customRecord(), ExitState());
        QCOMPARE(m_store->get(kSettingsApplication, kSettingsSection, QStringLiteral("Size"), QStringLiteral("none")),
                 QStringLiteral("none"));

        const QString told = platform->callsOf(PlatformCall::Kind::MessageBox).value(0).text;
        QVERIFY2(told.contains(ini) && told.contains(kind == QLatin1String("folder") ? "Is a directory" : "Not a plain file"),
                 qPrintable(told));
        struct stat after {};
        QVERIFY(::stat(name.constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        QVERIFY(QFileInfo(ini).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
