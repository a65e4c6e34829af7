#include "platform/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace vornel {

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// Squared distance between the nearest points of two rectangles; 0 when they touch.
qint64 gap(const QRect &a, const QRect &b)
{
    const qint64 dx = std::max({qint64(b.left()) - a.right(), qint64(a.left()) - b.right(), qint64(0)});
    const qint64 dy = std::max({qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom(), qint64(0)});
    return dx * dx + dy * dy;
}

// One side of the window along one axis: its length kept within [minimum, room], then its
// start moved only as far as needed to bring the whole length inside [start, start + room).
std::pair<int, int> fitSpan(int position, int length, int areaStart, int room, int minimum)
{
    room = std::max(room, 0);
    const int fittedLength = std::clamp(length, std::min(minimum, room), room);
    const int fittedPosition = std::clamp(position, areaStart, areaStart + room - fittedLength);
    return {fittedPosition, fittedLength};
}

} // namespace

int screenAreaFor(const QRect &window, const QList<QRect> &areas)
{
    // A window of no size still has a place to be judged by.
    const QRect probe(window.topLeft(), window.size().expandedTo(QSize(1, 1)));
    int best = -1;
    qint64 bestOverlap = 0;
    for (int i = 0; i < areas.size(); ++i) {
        const qint64 common = overlap(probe, areas[i]);
        if (common > bestOverlap) {
            best = i;
            bestOverlap = common;
        }
    }
    if (best >= 0)
        return best;
    qint64 bestGap = 0;
    for (int i = 0; i < areas.size(); ++i) {
        const qint64 distance = gap(probe, areas[i]);
        if (best < 0 || distance < bestGap) {
            best = i;
            bestGap = distance;
        }
    }
    return best;
}

QRect fittedIntoArea(const QRect &window, const QRect &area, const QSize &minimum)
{
    const auto [left, width] = fitSpan(window.x(), window.width(), area.x(), area.width(), minimum.width());
    const auto [top, height] = fitSpan(window.y(), window.height(), area.y(), area.height(), minimum.height());
    return QRect(left, top, width, height);
}

QRect fittedToScreens(const QRect &window, const QSize &minimum)
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const int index = screenAreaFor(window, areas);
    return index < 0 ? window : fittedIntoArea(window, areas[index], minimum);
}

} // namespace vornel
