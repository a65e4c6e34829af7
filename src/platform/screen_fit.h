#pragma once

#include <QList>
#include <QRect>
#include <QSize>

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

} // namespace vornel
