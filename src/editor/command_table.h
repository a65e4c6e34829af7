#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace vornel {

class DocumentWindow;
class TextArea;
class TextEdit;
class Workspace;

// Where a command runs: the workspace, the document window whose menu holds the command
// (nullptr in the workspace's own menus) and the action that was triggered.
struct CommandTarget {
    Workspace &workspace;
    DocumentWindow *document;
    QAction *action;
};

// What a command does. One that needs a document is disabled where there is none (the main
// window's own menus); an empty one does nothing yet: a later part of the program hooks onto
// the action by its name.
struct CommandOperation {
    std::function<void(const CommandTarget &)> run = {};
    bool needsDocument = false;

    explicit operator bool() const { return bool(run); }
};

CommandOperation workspaceCommand(std::function<void(Workspace &)> run);
CommandOperation documentCommand(std::function<void(Workspace &, DocumentWindow &)> run);
// A command on the text area of the document window.
CommandOperation textCommand(std::function<void(TextArea &)> run);
// The same, for a command that also needs the workspace (its dialogs, the shared file dialog).
CommandOperation workspaceTextCommand(std::function<void(Workspace &, TextArea &)> run);
// Commands that only write through the window's text (TextEdit), with and without the workspace.
CommandOperation editCommand(std::function<void(TextEdit &)> run);
CommandOperation workspaceEditCommand(std::function<void(Workspace &, TextEdit &)> run);

// One row of a menu table. A null caption is a separator; a row with submenu rows opens that
// submenu (named submenuName) instead of running an operation.
struct CommandRow {
    QString name = {};            // control name; arrays as "mnuTextStyle(5)"
    QString caption = {};         // with its "&" mnemonic
    QKeySequence shortcut = {};   // a real shortcut, or none
    CommandOperation run = {};
    bool visible = true;
    bool checkable = false;
    // The name in the main window's own menus, where it differs from the document windows'.
    QString mainMenuName = {};
    QString submenuName = {};
    std::vector<CommandRow> submenu = {};
    // false for an entry that only heads the entries below it.
    bool enabled = true;
};

// Control name of entry index of a control array, e.g. arrayName("mnuHead", 2) = "mnuHead(2)".
QString arrayName(const QString &name, int index);

// Each window's actions by control name, so that menus, toolbars and tests find the one
// action of a command.
class ActionRegistry {
public:
    void add(QAction *action);
    // The action named name, or nullptr.
    QAction *action(const QString &name) const;
    // Entries first..last of the control array name.
    QList<QAction *> array(const QString &name, int first, int last) const;

private:
    QHash<QString, QAction *> m_actions;
};

// How the rows of one window become actions.
struct CommandContext {
    Workspace &workspace;
    ActionRegistry &registry;
    // The document window the menus belong to; its shortcuts then work while the focus is
    // anywhere inside it. nullptr for the main window's own menus.
    DocumentWindow *document;
    // Owns the menus and the connections.
    QWidget *owner;
};

// The one builder of every menu: adds the rows to menu, each as an action whose objectName is
// its control name, registered in the context's registry.
void addCommands(QMenu *menu, const std::vector<CommandRow> &rows, const CommandContext &context);
// A top-level menu from a row with submenu rows.
QMenu *buildMenu(const CommandRow &row, const CommandContext &context);

} // namespace vornel
