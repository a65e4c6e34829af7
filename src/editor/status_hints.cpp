#include "editor/status_hints.h"

#include "editor/workspace.h"

#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace vornel {

StatusHints::StatusHints(QWidget *dialog, Workspace &workspace)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_workspace(workspace)
{
    dialog->installEventFilter(this);
}

void StatusHints::add(QWidget *widget, const QString &hint)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_hints.insert(widget, hint);
}

QString StatusHints::hintOf(const QWidget *widget) const
{
    return m_hints.value(widget);
}

bool StatusHints::eventFilter(QObject *watched, QEvent *event)
{
    // A hint of a dialog that is gone would describe nothing on the screen.
    if (watched == m_dialog && event->type() == QEvent::Hide) {
        const QString shown = m_workspace.statusText();
        if (!shown.isEmpty() && std::find(m_hints.cbegin(), m_hints.cend(), shown) != m_hints.cend())
            m_workspace.setStatusText(QString());
    }
    const auto hint = m_hints.constFind(watched);
    if (event->type() == QEvent::MouseMove && hint != m_hints.constEnd()) {
        // A move a child does not take passes on to its parent. Only the background itself
        // shows the dialog's hint, and a hinted part (a frame) keeps the hints of the hinted
        // parts inside it.
        const auto *widget = static_cast<QWidget *>(watched);
        const auto *move = static_cast<QMouseEvent *>(event);
        bool overChild = false;
        for (const QWidget *child = widget->childAt(move->position().toPoint()); child && child != widget;
             child = child->parentWidget()) {
            if (widget == m_dialog || m_hints.contains(child))
                overChild = true;
        }
        if (!overChild)
            m_workspace.setStatusText(*hint);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornel
