#pragma once

#include "app/toolbar_commands.h"

#include <QAbstractButton>

class QSvgRenderer;

namespace vornel {

// A picture button of a toolbar: its up face at rest, its down face while pressed with the
// pointer inside it (dragging off a pressed button shows the up face, and releasing there
// clicks nothing). The tip text is its accessible name and the status hint its accessible
// description; Qt's own tool tip stays off, the toolbar shows its own.
class ToolbarButton : public QAbstractButton {
    Q_OBJECT

public:
    ToolbarButton(const ToolbarButtonRow &row, QWidget *parent);

    const ToolbarButtonRow &row() const { return m_row; }
    // The design face becomes the up face.
    void resetFaces();
    // Whether the down face is showing.
    bool showsDownFace() const { return isDown(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    // The pointer moved over the button (held button or not).
    void hovered(ToolbarButton *button);
    // The mouse button went down on it.
    void pressedDown();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFallback(QPainter &painter, bool down);

    ToolbarButtonRow m_row;
    QSvgRenderer *m_design;
    QSvgRenderer *m_up = nullptr;
    QSvgRenderer *m_down;
};

} // namespace vornel
