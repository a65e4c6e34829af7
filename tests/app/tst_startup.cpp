#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "dialogs/extended_characters.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vornel;

namespace {

constexpr int kShortSplashMs = 20;

QRect twipsGeometryOf(const QWidget &window)
{
    return QRect(pixelsToTwipsX(window.x()), pixelsToTwipsY(window.y()), pixelsToTwipsX(window.width()),
                 pixelsToTwipsY(window.height()));
}

// The window's frame position and client size, as the program stores and restores them.
QRect placementOf(const QWidget &window)
{
    return QRect(window.pos(), window.size());
}

QRect pixelsOf(const QRect &twips)
{
    return QRect(twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y()), twipsToPixelsX(twips.width()),
                 twipsToPixelsY(twips.height()));
}

void storeGeometry(const QRect &twips)
{
    QVERIFY(saveSetting(QStringLiteral("X"), QStringLiteral(" %1").arg(twips.x())));
    QVERIFY(saveSetting(QStringLiteral("Y"), QStringLiteral(" %1").arg(twips.y())));
    QVERIFY(saveSetting(QStringLiteral("Width"), QStringLiteral(" %1").arg(twips.width())));
    QVERIFY(saveSetting(QStringLiteral("Height"), QStringLiteral(" %1").arg(twips.height())));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_filesDir;
    std::unique_ptr<ScopedPlatform> m_platform;
    StartedProgram m_started;

    MainWindow &start(const QString &commandLine = QString())
    {
        StartupOptions options;
        options.commandLine = commandLine;
        options.splashLifetimeMs = kShortSplashMs;
        m_started = startUp(options);
        return *m_started.mainWindow;
    }

private Q_SLOTS:
    void init()
    {
        m_settings = std::make_unique<TemporarySettings>();
        m_filesDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_settings->isValid() && m_filesDir->isValid());
        prefs() = Preferences{};
        documentTable().reset();
        toolboxPosition() = QPoint();
        m_platform = std::make_unique<ScopedPlatform>();
    }

    void cleanup()
    {
        delete m_started.splash;
        m_started = StartedProgram{};
        m_platform.reset();
        m_filesDir.reset();
        m_settings.reset();
    }

    // ---- command line ----

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("commandLine");
        const QString program = QStringLiteral("vornel");
        QTest::newRow("none") << QStringList{program} << QString();
        QTest::newRow("one path") << QStringList{program, QStringLiteral("/tmp/a.htm")} << QStringLiteral("/tmp/a.htm");
        QTest::newRow("quoted path with blanks")
            << QStringList{program, QStringLiteral("/tmp/my page.htm")} << QStringLiteral("/tmp/my page.htm");
        QTest::newRow("unquoted path with blanks")
            << QStringList{program, QStringLiteral("/tmp/my"), QStringLiteral("home"), QStringLiteral("page.htm")}
            << QStringLiteral("/tmp/my home page.htm");
        QTest::newRow("relative path")
            << QStringList{program, QStringLiteral("site/index.htm")} << QStringLiteral("/home/user/site/index.htm");
        QTest::newRow("relative path upwards")
            << QStringList{program, QStringLiteral("../other.htm")} << QStringLiteral("/home/other.htm");
        QTest::newRow("relative path with blanks")
            << QStringList{program, QStringLiteral("my"), QStringLiteral("page.htm")} << QStringLiteral("/home/user/my page.htm");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, commandLine);
        QCOMPARE(commandLineOf(arguments, QStringLiteral("/home/user")), commandLine);
    }

    // ---- main window load ----

    void storedGeometryGetsTheOffsets()
    {
        storeGeometry(QRect(1500, 1200, 10500, 7500));
        MainWindow main;
        main.move(40, 30);
        main.resize(500, 400);

        loadMainWindow(main);

        QCOMPARE(main.pos(), QPoint(twipsToPixelsX(1510), twipsToPixelsY(1210)));
        QCOMPARE(main.size(), QSize(twipsToPixelsX(10480), twipsToPixelsY(7480)));
        QCOMPARE(QDir::currentPath(), QDir(QCoreApplication::applicationDirPath()).absolutePath());
    }

    void firstStartOffsetsThePresentGeometry()
    {
        MainWindow main;
        main.move(75, 60);
        main.resize(600, 450);
        const QRect present = twipsGeometryOf(main);

        loadMainWindow(main);

        QCOMPARE(placementOf(main), pixelsOf(present.adjusted(10, 10, -10, -10)));
    }

    void unreadableGeometryKeysKeepThePresentValue()
    {
        storeGeometry(QRect(1500, 1200, 10500, 7500));
        QVERIFY(saveSetting(QStringLiteral("X"), QStringLiteral("left")));
        QVERIFY(saveSetting(QStringLiteral("Height"), QStringLiteral(" 99999")));
        MainWindow main;
        main.move(75, 60);
        main.resize(600, 450);
        const QRect present = twipsGeometryOf(main);

        loadMainWindow(main);

        QCOMPARE(main.pos(), QPoint(twipsToPixelsX(present.x() + 10), twipsToPixelsY(1210)));
        QCOMPARE(main.size(), QSize(twipsToPixelsX(10480), twipsToPixelsY(present.height() - 20)));
    }

    void firstStartUsesTheDesignGeometry()
    {
        MainWindow &main = start();
        QCOMPARE(placementOf(main), pixelsOf(designGeometry().adjusted(10, 10, -10, -10)));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(main.frameGeometry()));
    }

    void everyStartRepeatsTheOffsets()
    {
        // Well inside the screen, frame and all, after every start.
        QRect stored(1500, 1200, 9000, 6000);
        storeGeometry(stored);
        for (int run = 0; run < 3; ++run) {
            MainWindow &main = start();
            QCOMPARE(placementOf(main), pixelsOf(stored.adjusted(10, 10, -10, -10)));
            QVERIFY(main.close());
            const QRect saved = readWindowGeometry(settingsStore(), QRect());
            QCOMPARE(saved, twipsGeometryOf(main));
            // Apart from pixel rounding, each start moves 10 and shrinks 20.
            QVERIFY(std::abs(saved.x() - (stored.x() + 10)) <= onePixelInTwips());
            QVERIFY(std::abs(saved.width() - (stored.width() - 20)) <= onePixelInTwips());
            stored = saved;
            delete m_started.splash;
            m_started = StartedProgram{};
        }
    }

    void storedGeometryIsFittedToTheScreen_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::newRow("sliver off the top left") << QRect(-30000, 1200, 100, 7500);
        QTest::newRow("larger than the screen, outside it") << QRect(32000, 1200, 32767, 7500);
        QTest::newRow("above and to the left") << QRect(-3000, -3000, 6000, 4500);
    }
    void storedGeometryIsFittedToTheScreen()
    {
        QFETCH(QRect, stored);
        storeGeometry(stored);
        MainWindow &main = start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Title bar and borders too, once the window has its frame.
        QTRY_VERIFY(screen.contains(main.frameGeometry()));
        QVERIFY(main.width() >= std::min(kMinimumMainWindowSize.width(), screen.width()));
        QVERIFY(main.height() >= std::min(kMinimumMainWindowSize.height(), screen.height()));

        QVERIFY(main.close());
        // What is written back is the fitted place.
        QCOMPARE(readWindowGeometry(settingsStore(), QRect()), twipsGeometryOf(main));
    }

    // ---- the whole start ----

    void startLoadsThePreferencesAndOpensTheCommandLine()
    {
        QVERIFY(saveSetting(QStringLiteral("ETB"), QStringLiteral(" 0")));
        QVERIFY(saveSetting(QStringLiteral("Font"), QStringLiteral("Courier New")));
        QVERIFY(saveSetting(QStringLiteral("EInsHTML"), QStringLiteral("-1")));
        QVERIFY(saveSetting(QStringLiteral("ExtShow"), QStringLiteral("-1")));
        const QString path = writeFileIn(m_filesDir->path(), QStringLiteral("my page.htm"), "<HTML>\r\nWelcome\r\n</HTML>");

        MainWindow &main = start(path);

        QVERIFY(main.isVisible());
        QVERIFY(!main.extendedToolbarChecked());
        QVERIFY(main.extendedToolbar()->isHidden());
        QCOMPARE(prefs().Font, QStringLiteral("Courier New"));
        QCOMPARE(prefs().EInsHTML, qint16(-1));
        QCOMPARE(prefs().ExtShow, qint16(-1));
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        QCOMPARE(main.documents().size(), 1);
        DocumentWindow *document = main.documents().first();
        QCOMPARE(document->caption(), QStringLiteral("MY PAGE.HTM"));
        QCOMPARE(document->textArea()->text(), QStringLiteral("<HTML>\r\nWelcome\r\n</HTML>"));
    }

    void startWithoutCommandLineOpensNothing()
    {
        MainWindow &main = start();
        QVERIFY(main.isVisible());
        QVERIFY(main.documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
        QVERIFY(main.extendedToolbarChecked());
        QVERIFY(main.extendedToolbar()->isVisible());
        QCOMPARE(prefs().ExtShow, qint16(0));
        QVERIFY((*m_platform)->calls().isEmpty());
    }

    void startWithAMissingFileStillOpensTheWindow()
    {
        const QString path = m_filesDir->filePath(QStringLiteral("gone.htm"));
        (*m_platform)->expectMessageBox(MsgResult::Ok, {},
                                        QStringLiteral("Can't open file: ") + path +
                                            QStringLiteral("\n\nNo such file or directory"));

        MainWindow &main = start(path);

        QVERIFY(main.isVisible());
        QVERIFY(main.documents().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void startFillsTheRecentFiles()
    {
        const QString recent = writeFileIn(m_filesDir->path(), QStringLiteral("recent.htm"), "x");
        QVERIFY(saveSetting(QStringLiteral("RecentFile1"), recent));

        MainWindow &main = start();

        QAction *first = recentFileEntries(main.ownActions()).at(1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->data().toString(), recent);
        QVERIFY(recentFileEntries(main.ownActions()).at(0)->isVisible());
        QVERIFY(!recentFileEntries(main.ownActions()).at(2)->isVisible());
    }

    void toolboxPositionFollowsTheMainWindow()
    {
        storeGeometry(QRect(1500, 1200, 10500, 7500));
        MainWindow &main = start();
        const QRect twips = twipsGeometryOf(main);
        QCOMPARE(toolboxPosition(), QPoint(twips.x() + twips.width() - 3400, 400));
    }

    // ---- splash window ----

    void splashIsShownDuringTheStartAndClosesItself()
    {
        start();
        QVERIFY(m_started.splash);
        QVERIFY(m_started.splash->isVisible());
        QVERIFY(!m_started.splash->isModal());
        QTRY_VERIFY(m_started.splash.isNull());
    }

    void splashLooksLikeASplash()
    {
        QPointer<SplashWindow> splash = new SplashWindow(kShortSplashMs);
        QCOMPARE(splash->objectName(), QStringLiteral("Welcome"));
        QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash->windowModality(), Qt::NonModal);
        QCOMPARE(splash->versionLabel()->text(), QStringLiteral("Version 5.0.0"));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((splash->geometry().center() - screenCentre).manhattanLength() <= 2);

        splash->show();
        QVERIFY(splash->isVisible());
        QTRY_VERIFY(splash.isNull());
    }

    // A question at start-up (recovered documents, a missing file) is not left under the splash,
    // which would take the first click meant for its buttons; other windows leave it up.
    void splashMakesWayForADialog_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("closesSplash");
        QTest::newRow("message box") << true << true << true;
        QTest::newRow("modeless dialog") << false << true << true;
        QTest::newRow("modal window") << true << false << true;
        QTest::newRow("plain window") << false << false << false;
    }
    void splashMakesWayForADialog()
    {
        QFETCH(bool, modal);
        QFETCH(bool, dialog);
        QFETCH(bool, closesSplash);
        QPointer<SplashWindow> splash = new SplashWindow(60 * 1000);
        splash->show();
        QWidget window(nullptr, dialog ? Qt::Dialog : Qt::Window);
        window.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        window.show();
        if (closesSplash) {
            QTRY_VERIFY(splash.isNull());
        } else {
            QCoreApplication::processEvents();
            QVERIFY(splash && splash->isVisible());
            delete splash;
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
