#include "app/startup.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/toolbox_control.h"
#include "dialogs/extended_characters.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "prefs/preferences.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

namespace vornel {

namespace {

// Start-up goes on past any step that fails: a damaged setting or a missing file must not
// keep the program from opening.
template <typename Step>
void ignoringErrors(Step &&step)
{
    try {
        step();
    } catch (...) {
    }
}

// The cursor shape for as long as it lives, or until restore().
class CursorOverride {
public:
    explicit CursorOverride(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~CursorOverride() { restore(); }
    CursorOverride(const CursorOverride &) = delete;
    CursorOverride &operator=(const CursorOverride &) = delete;

    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

QRect twipsGeometryOf(const QWidget &window)
{
    return QRect(pixelsToTwipsX(window.x()), pixelsToTwipsY(window.y()), pixelsToTwipsX(window.width()),
                 pixelsToTwipsY(window.height()));
}

void placeInTwips(QWidget &window, const QRect &twips)
{
    window.move(twipsToPixelsX(twips.x()), twipsToPixelsY(twips.y()));
    window.resize(twipsToPixelsX(twips.width()), twipsToPixelsY(twips.height()));
}

} // namespace

QString commandLineOf(const QStringList &arguments, const QString &startFolder)
{
    const QString path = parseCommandLine(arguments).path;
    if (path.isEmpty() || !QDir::isRelativePath(path))
        return path;
    return QDir::cleanPath(QDir(startFolder).absoluteFilePath(path));
}

QRect designGeometry()
{
    QRect design(0, 0, 12000, 9000);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QRect areaTwips(pixelsToTwipsX(area.x()), pixelsToTwipsY(area.y()),
                              pixelsToTwipsX(area.width()), pixelsToTwipsY(area.height()));
        design.setWidth(std::min(design.width(), areaTwips.width() * 9 / 10));
        design.setHeight(std::min(design.height(), areaTwips.height() * 9 / 10));
        design.moveCenter(areaTwips.center());
    }
    return design;
}

void loadMainWindow(MainWindow &window)
{
    CursorOverride busy(Qt::BusyCursor);
    ignoringErrors([] { QDir::setCurrent(QCoreApplication::applicationDirPath()); });
    ignoringErrors([&window] {
        const QRect stored = loadWindowGeometry(twipsGeometryOf(window));
        // The same offsets on every start, against what the last exit stored.
        placeInTwips(window, QRect(stored.x() + 10, stored.y() + 10, stored.width() - 20, stored.height() - 20));
        // Stored on another screen, at another scale or by hand: open on a screen, usable, and
        // with its title bar and status bar in sight.
        keepFrameOnScreens(window, kMinimumMainWindowSize);
    });
}

StartedProgram startUp(const StartupOptions &options)
{
    StartedProgram started;
    CursorOverride hourglass(Qt::WaitCursor);

    // Let the splash window paint before the main window is built.
    QCoreApplication::processEvents();
    ignoringErrors([&] {
        started.splash = new SplashWindow(options.splashLifetimeMs);
        started.splash->show();
    });
    QCoreApplication::processEvents();

    started.mainWindow = std::make_unique<MainWindow>();
    MainWindow &main = *started.mainWindow;
    placeInTwips(main, designGeometry());
    loadMainWindow(main);
    main.show();
    // The splash stays in front of the window that opens behind it until its time is up.
    if (started.splash)
        started.splash->raise();

    ignoringErrors([&main] {
        loadPreferences();
        main.setExtendedToolbar(prefs().ETB != 0);
    });
    ignoringErrors([&main] { fillRecentMenusAtStartup(main); });
    ignoringErrors([&main] { toolboxPosition() = toolboxStartPosition(twipsGeometryOf(main)); });
    ignoringErrors([&main] {
        loadToolboxSettings();
        if (prefs().ExtShow)
            main.toolbox().open();
    });
    hourglass.restore();

    // Opened as given: no quotes removed, and not added to the recent files.
    if (!options.commandLine.isEmpty()) {
        ignoringErrors([&main, &options] { loadDocument(main, options.commandLine, fileNameOf(options.commandLine)); });
    }
    return started;
}

} // namespace vornel
