#pragma once

#include <QPoint>

#include <optional>

class QWidget;

// Moves the mouse over the widget (at its centre, or at the given point) as a user would, with
// no button held: what puts a control's hint into the status area.
void hover(QWidget *widget, std::optional<QPoint> at = {});
