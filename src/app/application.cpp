#include "app/application.h"

#include <QApplication>
#include <QMainWindow>

namespace vornel {

int runApplication(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vornel Internet Home Page Creator"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}

} // namespace vornel
