#pragma once

#include "app/toolbar_commands.h"

#include <QList>
#include <QObject>

class QAction;
class QToolBar;
class QWidget;

namespace vornel {

class MainWindow;
class ToolbarButton;
class ToolbarTip;

// Both rows of picture buttons (MainToolbar and picToolbar) with their tips and hints. Each
// button stands at its place of the tables in toolbar_commands, its tip comes from the row's
// own ToolbarTip, and a click runs its command, most of them the action of their menu twin:
// with no document open a command that needs one beeps instead, and afterwards the keyboard
// goes back to the active document.
class Toolbars : public QObject {
    Q_OBJECT

public:
    Toolbars(MainWindow &main, QToolBar &mainBar, QToolBar &extendedBar);

    ToolbarButton *button(const QString &name) const;
    QList<ToolbarButton *> buttons(ToolbarRow row) const;
    ToolbarTip &tip(ToolbarRow row) const;

    // Every button's design face becomes its up face.
    void resetToolbarFaces();
    // Both tips hidden, emptied and stopped.
    void hideToolTips();
    // The menu action a click on the row's button triggers now, or nullptr for a button with a
    // command of its own.
    QAction *menuAction(const ToolbarButtonRow &row) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildRow(ToolbarRow row, QToolBar &bar);
    void hover(ToolbarButton *button);
    void run(const ToolbarButtonRow &row);
    // Triggers the row's menu action, as the menu entry or its shortcut would.
    void runMenuCommand(const ToolbarButtonRow &row);

    MainWindow &m_main;
    QWidget *m_rows[2] = {};
    ToolbarTip *m_tips[2] = {};
    QList<ToolbarButton *> m_buttons[2];
};

} // namespace vornel
