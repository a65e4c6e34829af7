#pragma once

#include "app/splash_window.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

namespace vornel {

class MainWindow;

// The command line as the program takes it: one path, the words after the program's name
// and its options joined with blanks, so that a path with blanks opens even when it was not
// quoted (see parseCommandLine).
// A relative path is taken from startFolder, the folder the program was started in: start-up
// makes the program's own folder the current one before the file is opened.
QString commandLineOf(const QStringList &arguments, const QString &startFolder);

// The main window's position and size before any stored geometry applies (twips): a
// 12000 x 9000 window, smaller on a small screen, centred in the screen's free area.
QRect designGeometry();

// Main window load: the program's folder becomes the current folder, and the window moves to
// the stored "X", "Y" plus 10 and takes the stored "Width", "Height" minus 20 (twips); a key
// that is missing or unreadable stands for the window's present value.
void loadMainWindow(MainWindow &window);

struct StartupOptions {
    QString commandLine;  // the file to open, or empty
    int splashLifetimeMs = SplashWindow::kDefaultLifetimeMs;
};

struct StartedProgram {
    std::unique_ptr<MainWindow> mainWindow;  // shown
    QPointer<SplashWindow> splash;      // until it has closed itself
};

// The start-up procedure after the single-instance check: busy cursor, splash window, main
// window shown and loaded, preferences, recent files and toolbox settings loaded (the toolbox
// reopened when it was open at the last exit), then the file on the command line opened. A step that fails is skipped.
StartedProgram startUp(const StartupOptions &options);

} // namespace vornel
