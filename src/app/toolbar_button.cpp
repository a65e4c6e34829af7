#include "app/toolbar_button.h"

#include "platform/twips.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace vornel {

ToolbarButton::ToolbarButton(const ToolbarButtonRow &row, QWidget *parent)
    : QAbstractButton(parent)
    , m_row(row)
    , m_design(new QSvgRenderer(QStringLiteral(":/faces/%1Up.svg").arg(row.faceName()), this))
    , m_down(new QSvgRenderer(QStringLiteral(":/faces/%1Dn.svg").arg(row.faceName()), this))
{
    setObjectName(row.name);
    setAccessibleName(row.tip);
    setAccessibleDescription(row.hint);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFixedSize(sizeHint());
}

void ToolbarButton::resetFaces()
{
    m_up = m_design;
}

QSize ToolbarButton::sizeHint() const
{
    return {twipsToPixelsX(m_row.width), twipsToPixelsY(345)};
}

bool ToolbarButton::event(QEvent *event)
{
    // The toolbar shows its own tips.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QAbstractButton::event(event);
}

void ToolbarButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT pressedDown();
    QAbstractButton::mousePressEvent(event);
}

void ToolbarButton::mouseMoveEvent(QMouseEvent *event)
{
    // The base class shows the down face while a held pointer is inside and the up face
    // outside.
    QAbstractButton::mouseMoveEvent(event);
    // Not passed on: the row behind would take the pointer for one outside the buttons.
    event->accept();
    Q_EMIT hovered(this);
}

void ToolbarButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool down = isDown();
    QSvgRenderer *face = down ? m_down : (m_up ? m_up : m_design);
    if (face->isValid())
        face->render(&painter, QRectF(rect()));
    else
        paintFallback(painter, down);
}

void ToolbarButton::paintFallback(QPainter &painter, bool down)
{
    // A plain bevelled face with the tip's first letters, should a face file be missing.
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, palette().button());
    painter.setPen(down ? palette().dark().color() : palette().light().color());
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(down ? palette().light().color() : palette().dark().color());
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    painter.setPen(palette().buttonText().color());
    painter.drawText(box.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, m_row.tip.trimmed().left(2));
}

} // namespace vornel
