#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace vornel {

// One entry of a menu as the menu tables list it. A null caption is a separator.
struct MenuEntry {
    QString name;            // control name; arrays as "mnuTextStyle(5)"
    QString caption;         // with its "&" mnemonic
    QKeySequence shortcut;   // a real menu shortcut, or none
    std::function<void()> run;
    bool visible = true;
    bool enabled = true;
};

// Control name of entry index of a control array, e.g. arrayName("mnuHead", 2) = "mnuHead(2)".
QString arrayName(const QString &name, int index);

// Adds the entry to menu; the action's objectName is the control name, so tests find it.
// With shortcutScope set, the shortcut is also registered on that widget, active while the
// focus is inside it (each document window answers its own shortcuts).
QAction *addMenuEntry(QMenu *menu, const MenuEntry &entry, QObject *context, QWidget *shortcutScope = nullptr);

} // namespace vornel
