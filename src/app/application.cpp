#include "app/application.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/window_focus.h"
#include "documents/recovery.h"
#include "documents/recovery_copy.h"
#include "platform/end_signals.h"
#include "platform/version.h"
#include "prefs/settings_store.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QWindow>

// The resources live in the static library; nothing would pull them into the program otherwise.
// Outside any namespace, as the generated initialiser is.
static void initResources()
{
    Q_INIT_RESOURCE(vornel);
}

namespace vornel {

namespace {

// With VORNEL_QUIT_WHEN_IDLE set the program ends as soon as its main window has been shown
// and every pending event is handled, so that a benchmark can time a whole start.
class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(QWidget &window)
        : QObject(&window)
    {
        QWindow *handle = window.windowHandle();
        if (handle && handle->isExposed())
            quitWhenIdle();
        else if (handle)
            handle->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            quitWhenIdle();
        }
        return false;
    }

private:
    void quitWhenIdle() { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }
};

} // namespace

int runApplication(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --help, --version and a bad option are answered before any window or the single-instance
    // socket exists, so they work without a display.
    const CommandLine line = parseCommandLine(arguments);
    if (line.action != CommandLine::Action::Run)
        return answerWithoutWindow(line);

    // The words on the command line are the program's own: Qt is given none of them, so a file
    // named like one of Qt's options is not taken for it.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QCoreApplication::setOrganizationName(kSettingsApplication);
    QCoreApplication::setApplicationName(kSettingsSection);
    QCoreApplication::setApplicationVersion(kVersion);
    initResources();
    app.installEventFilter(new WindowFocus(&app));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vornel/vornel.png")));
    // Ties the windows to the installed desktop entry (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.teslund.Vornel"));

    const QString commandLine = commandLineOf(arguments, QDir::currentPath());
    SingleInstance instance(instanceServerName());
    if (instance.start(!commandLine.isEmpty()) == SingleInstance::Outcome::EndThisInstance)
        return 0;

    // Unsaved text is kept from the first document on; what earlier runs left is offered
    // once the main window is up.
    RecoverySession recovery(defaultRecoveryRoot());
    setRecoverySession(&recovery);
    // A logout or a kill ends the program without a question: what is not saved yet is kept
    // for the next start, which offers it as after a crash.
    EndSignals endSignals([](int signal) {
        writeRecoveryCopiesNow();
        endBySignal(signal);
    });

    StartupOptions options;
    options.commandLine = commandLine;
    StartedProgram started = startUp(options);

    // The program ends with its main window, whatever other windows (the splash) are open.
    QPointer<MainWindow> main = started.mainWindow.release();
    main->setAttribute(Qt::WA_DeleteOnClose);
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(main, &QObject::destroyed, &app, &QCoreApplication::quit);
    QObject::connect(&instance, &SingleInstance::activationRequested, main, [main] { bringForward(*main); });
    if (qEnvironmentVariableIsSet("VORNEL_QUIT_WHEN_IDLE"))
        new QuitWhenShown(*main);
    else
        QTimer::singleShot(0, main, [main, &recovery] { offerRecoveredDocuments(*main, recovery); });

    const int result = app.exec();
    delete main;
    delete started.splash;
    return result;
}

} // namespace vornel
