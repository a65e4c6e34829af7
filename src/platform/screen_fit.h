#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace vornel {

// Restored window places come from settings written on another screen, at another scale or
// by hand; before a window is shown its place is brought onto a screen. All in pixels.

// The smallest main window that still shows its menus, toolbars and some text.
inline constexpr QSize kMinimumMainWindowSize{480, 320};

// The index in areas (each screen's available area) of the screen a window belongs to: the
// one it overlaps most, else the nearest. -1 when there are no areas.
int screenAreaFor(const QRect &window, const QList<QRect> &areas);

// The window moved and resized into area as little as possible: no larger than the area, no
// smaller than minimum (or the area, when that is smaller still).
QRect fittedIntoArea(const QRect &window, const QRect &area, const QSize &minimum);

// fittedIntoArea() on the available area of the window's screen; unchanged with no screens.
QRect fittedToScreens(const QRect &window, const QSize &minimum);

// A window's place as Qt moves and sizes it: the top-left corner of its frame and the size of
// its client area. The whole frame (title bar and borders, frame around the client area) is
// fitted into the available area of its screen, the client kept no smaller than minimum.
QRect placementWithFrameIn(const QRect &placement, const QMargins &frame, const QList<QRect> &areas,
                           const QSize &minimum);

// The window's place (frame corner, client size) fitted to the screens with the frame it has
// now; a window the window manager has not framed yet has none.
QRect placementOnScreens(const QWidget &window, const QSize &minimum);

// Moves and sizes the window to placementOnScreens() now, and once more when the window manager
// has framed it after it shows: the title bar a restored window gets must not push its bottom
// edge (the status bar) off the screen.
void keepFrameOnScreens(QWidget &window, const QSize &minimum);

} // namespace vornel
