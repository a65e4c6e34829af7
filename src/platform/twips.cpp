#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace vornel {

namespace {

double logicalDpiX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double logicalDpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int twipsToPixelsX(int twips) { return qRound(twips * logicalDpiX() / 1440.0); }
int twipsToPixelsY(int twips) { return qRound(twips * logicalDpiY() / 1440.0); }
int pixelsToTwipsX(int pixels) { return qRound(pixels * 1440.0 / logicalDpiX()); }
int pixelsToTwipsY(int pixels) { return qRound(pixels * 1440.0 / logicalDpiY()); }

} // namespace vornel
