#include "editor/command_table.h"

#include "editor/document_window.h"
#include "editor/text_area.h"

#include <QAction>
#include <QMenu>

namespace vornel {

CommandOperation workspaceCommand(std::function<void(Workspace &)> run)
{
    return {[run = std::move(run)](const CommandTarget &target) { run(target.workspace); }, false};
}

CommandOperation documentCommand(std::function<void(Workspace &, DocumentWindow &)> run)
{
    return {[run = std::move(run)](const CommandTarget &target) { run(target.workspace, *target.document); }, true};
}

CommandOperation textCommand(std::function<void(TextArea &)> run)
{
    return {[run = std::move(run)](const CommandTarget &target) { run(*target.document->textArea()); }, true};
}

CommandOperation workspaceTextCommand(std::function<void(Workspace &, TextArea &)> run)
{
    return {[run = std::move(run)](const CommandTarget &target) { run(target.workspace, *target.document->textArea()); },
            true};
}

CommandOperation editCommand(std::function<void(TextEdit &)> run)
{
    return textCommand(std::move(run));
}

CommandOperation workspaceEditCommand(std::function<void(Workspace &, TextEdit &)> run)
{
    return workspaceTextCommand(std::move(run));
}

QString arrayName(const QString &name, int index)
{
    return name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void ActionRegistry::add(QAction *action)
{
    // The first of two actions with one name keeps it.
    if (!action->objectName().isEmpty() && !m_actions.contains(action->objectName()))
        m_actions.insert(action->objectName(), action);
}

QAction *ActionRegistry::action(const QString &name) const
{
    return m_actions.value(name);
}

QList<QAction *> ActionRegistry::array(const QString &name, int first, int last) const
{
    QList<QAction *> entries;
    for (int i = first; i <= last; ++i)
        entries.append(action(arrayName(name, i)));
    return entries;
}

namespace {

QString nameIn(const CommandRow &row, const CommandContext &context)
{
    return !context.document && !row.mainMenuName.isEmpty() ? row.mainMenuName : row.name;
}

QAction *addCommand(QMenu *menu, const CommandRow &row, const CommandContext &context)
{
    if (!row.submenu.empty() || !row.submenuName.isEmpty()) {
        QMenu *sub = menu->addMenu(row.caption);
        sub->setObjectName(row.submenuName);
        addCommands(sub, row.submenu, context);
        QAction *entry = sub->menuAction();
        entry->setObjectName(nameIn(row, context));
        context.registry.add(entry);
        return entry;
    }
    QAction *action = row.caption.isNull() ? menu->addSeparator() : menu->addAction(row.caption);
    action->setObjectName(nameIn(row, context));
    action->setVisible(row.visible);
    action->setCheckable(row.checkable);
    if (!row.shortcut.isEmpty()) {
        action->setShortcut(row.shortcut);
        if (context.document) {
            // Each document window answers its own shortcuts, with the focus anywhere in it.
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            context.document->addAction(action);
        }
    }
    if (!row.enabled || (row.run.needsDocument && !context.document)) {
        action->setEnabled(false);
    } else if (row.run) {
        const CommandTarget target{context.workspace, context.document, action};
        QObject::connect(action, &QAction::triggered, context.owner, [run = row.run.run, target] { run(target); });
    }
    context.registry.add(action);
    return action;
}

} // namespace

void addCommands(QMenu *menu, const std::vector<CommandRow> &rows, const CommandContext &context)
{
    for (const CommandRow &row : rows)
        addCommand(menu, row, context);
}

QMenu *buildMenu(const CommandRow &row, const CommandContext &context)
{
    auto *menu = new QMenu(row.caption, context.owner);
    menu->setObjectName(row.submenuName);
    addCommands(menu, row.submenu, context);
    return menu;
}

} // namespace vornel
