#include "dialogs/status_hints.h"

#include "app/main_window.h"

#include <QMouseEvent>
#include <QWidget>

namespace vornel {

StatusHints::StatusHints(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
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
        MainWindow *main = mainWindow();
        if (hint != m_hints.constEnd() && main && !overChild)
            main->setStatusText(*hint);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornel
