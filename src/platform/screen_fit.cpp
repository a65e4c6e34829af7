#include "platform/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

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

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

QMargins frameMarginsOf(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

void placeAt(QWidget &window, const QRect &placement)
{
    if (window.pos() != placement.topLeft())
        window.move(placement.topLeft());
    if (window.size() != placement.size())
        window.resize(placement.size());
}

// Waits for the window manager to frame a window after it shows, then fits it once more. A
// window that gets no frame (no window manager) stays as it was placed.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget &window, const QSize &minimum)
        : QObject(&window)
        , m_window(window)
        , m_minimum(minimum)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // The frame comes within moments of the window's first showing, or not at all.
            QTimer::singleShot(kFramingWaitMs, this, &QObject::deleteLater);
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (m_window.isVisible() && !frameMarginsOf(m_window).isNull()) {
                m_window.removeEventFilter(this);
                deleteLater();
                placeAt(m_window, placementOnScreens(m_window, m_minimum));
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr int kFramingWaitMs = 5000;
    QWidget &m_window;
    QSize m_minimum;
};

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
    const QList<QRect> areas = availableAreas();
    const int index = screenAreaFor(window, areas);
    return index < 0 ? window : fittedIntoArea(window, areas[index], minimum);
}

QRect placementWithFrameIn(const QRect &placement, const QMargins &frame, const QList<QRect> &areas,
                           const QSize &minimum)
{
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QRect outer(placement.topLeft(), placement.size() + frameSize);
    const int index = screenAreaFor(outer, areas);
    if (index < 0)
        return placement;
    const QRect fitted = fittedIntoArea(outer, areas[index], minimum + frameSize);
    return QRect(fitted.topLeft(), (fitted.size() - frameSize).expandedTo(QSize(1, 1)));
}

QRect placementOnScreens(const QWidget &window, const QSize &minimum)
{
    return placementWithFrameIn(QRect(window.pos(), window.size()), frameMarginsOf(window), availableAreas(), minimum);
}

void keepFrameOnScreens(QWidget &window, const QSize &minimum)
{
    placeAt(window, placementOnScreens(window, minimum));
    // A window on the screen already has its frame, and was fitted with it just now.
    if (!window.isVisible())
        new FrameWatch(window, minimum);
}

} // namespace vornel
