// Start-up time of the real program: from starting the process until its main window is shown
// and the event loop is idle (VORNEL_QUIT_WHEN_IDLE makes it quit at that moment). The splash
// window is shown but not waited for. Each run gets the same temporary settings folder, so all
// but the first read a settings file as a normal start does, and its own temporary folder for
// the single-instance socket, so that a running Vornel is not disturbed.
//
// Usage: bench_startup [path to vornel] ; runs offscreen, and on X11 too when DISPLAY is set.

#include "benchutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRuns = 15;

bool runOnce(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000) || !process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    std::fprintf(stderr, "%s", process.readAll().constData());
    return false;
}

void measure(const char *name, const QString &program, const QStringList &arguments, const QString &platform)
{
    QTemporaryDir config;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VORNEL_QUIT_WHEN_IDLE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("TMPDIR"), runtime.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);

    // The first start writes the settings file that the measured starts read.
    if (!runOnce(program, arguments, environment)) {
        std::fprintf(stderr, "%s: %s did not start and quit\n", name, qPrintable(program));
        return;
    }
    bool ok = true;
    const double ms = vornel::bench::medianMs(kRuns, [&] { ok = runOnce(program, arguments, environment) && ok; });
    if (!ok)
        std::fprintf(stderr, "%s: a run failed\n", name);
    vornel::bench::report(name, ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../vornel"));
    if (!QFile::exists(program)) {
        std::fprintf(stderr, "no program at %s\n", qPrintable(program));
        return 1;
    }

    QTemporaryDir files;
    const QString document = files.filePath(QStringLiteral("page.htm"));
    QFile file(document);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    for (int i = 0; i < 2000; ++i)
        file.write("<P>A paragraph of a middling home page, with <B>some</B> markup in it.</P>\r\n");
    file.close();

    measure("start-up to idle main window, offscreen", program, {}, QStringLiteral("offscreen"));
    measure("start-up with a 150 KB document, offscreen", program, {document}, QStringLiteral("offscreen"));
    if (qEnvironmentVariableIsSet("DISPLAY")) {
        measure("start-up to idle main window, X11", program, {}, QStringLiteral("xcb"));
        measure("start-up with a 150 KB document, X11", program, {document}, QStringLiteral("xcb"));
    }
    return 0;
}
