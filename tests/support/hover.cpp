#include "support/hover.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

void hover(QWidget *widget, std::optional<QPoint> at)
{
    const QPoint point = at.value_or(widget->rect().center());
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
