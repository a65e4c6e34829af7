#include "dialogs/status_hints.h"

#include "editor/workspace.h"

#include <QMouseEvent>
#include <QWidget>

namespace vornel {

StatusHints::StatusHints(QWidget *dialog, Workspace &workspace)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_workspace(workspace)
{
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
    if (event->type() == QEvent::MouseMove) {
        // A move a child does not take passes on to the dialog; only the background itself
        // shows the dialog's hint.
        const auto *move = static_cast<QMouseEvent *>(event);
        const bool overChild = watched == m_dialog && m_dialog->childAt(move->position().toPoint()) != nullptr;
        const auto hint = m_hints.constFind(watched);
        if (hint != m_hints.constEnd() && !overChild)
            m_workspace.setStatusText(*hint);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornel
