#include "editor/menu_table.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace vornel {

QString arrayName(const QString &name, int index)
{
    return name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QAction *addMenuEntry(QMenu *menu, const MenuEntry &entry, QObject *context, QWidget *shortcutScope)
{
    QAction *action = entry.caption.isNull() ? menu->addSeparator() : menu->addAction(entry.caption);
    action->setObjectName(entry.name);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
    if (!entry.shortcut.isEmpty()) {
        action->setShortcut(entry.shortcut);
        if (shortcutScope) {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            shortcutScope->addAction(action);
        }
    }
    if (entry.run) {
        QObject::connect(action, &QAction::triggered, context, [run = entry.run] { run(); });
    }
    return action;
}

} // namespace vornel
