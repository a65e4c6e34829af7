#pragma once

#include <QString>

class QWidget;

namespace vornel {

class ActionRegistry;
class DocumentWindow;
struct CommonDialog;

// What the commands need of the window that holds the documents. The main window implements
// it; commands are handed it instead of reaching for the main window, so they depend on this
// much and no more.
class Workspace {
public:
    virtual ~Workspace() = default;

    // The active document window, or nullptr when none is open.
    virtual DocumentWindow *activeDocument() const = 0;
    virtual DocumentWindow *documentInSlot(int slot) const = 0;
    // A new document window for the slot, shown and active, caption "Untitled:" + slot.
    virtual DocumentWindow *createDocumentWindow(int slot) = 0;
    // A new untitled document built from the named template, as File > New builds it, or
    // nullptr when none was made (the title prompt cancelled, the template missing).
    virtual DocumentWindow *newDocumentFromTemplate(const QString &templateName) = 0;
    // Brings the window to the front with the focus in its text.
    virtual void activateDocument(DocumentWindow *document) = 0;

    // The hint line of the status bar.
    virtual void setStatusText(const QString &text) = 0;
    virtual QString statusText() const = 0;
    // Paints the hint line at once, for work that lets no events run meanwhile.
    virtual void repaintStatusText() = 0;

    // The one file dialog every file command shares (it remembers folder and filter).
    virtual CommonDialog &commonDialog() = 0;
    // The window the program's dialogs are centred over and owned by.
    virtual QWidget *dialogParent() = 0;
    // The actions of the workspace's own menus, shown while no document is open.
    virtual const ActionRegistry &ownActions() const = 0;
};

} // namespace vornel
