#pragma once

#include "app/toolbar_commands.h"

#include <QList>
#include <QObject>

class QToolBar;
class QWidget;

namespace vornel {

class MainWindow;
class ToolbarButton;
class ToolbarTip;

// Both rows of picture buttons (MainToolbar and picToolbar) with their tips and hints. Each
// button stands at its place of the tables in toolbar_commands, its tip comes from the row's
// own ToolbarTip, and a click runs its command: with no document open a command that needs
// one beeps instead, and afterwards the keyboard goes back to the active document.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildRow(ToolbarRow row, QToolBar &bar);
    void hover(ToolbarButton *button);
    void run(const ToolbarButtonRow &row);

    MainWindow &m_main;
    QWidget *m_rows[2] = {};
    ToolbarTip *m_tips[2] = {};
    QList<ToolbarButton *> m_buttons[2];
};

} // namespace vornel
