#pragma once

#include "editor/command_table.h"
#include "editor/workspace.h"
#include "platform/platform.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace vornel {

class FileDrops;
class StatusBar;
class ToolboxControl;
class Toolbars;

// The main window (frmMDI): the document area with every document window, the two toolbar
// rows, the status bar and the menu bar. The menu bar shows the active document window's
// menus, or the main window's own small menus when no document is open.
class MainWindow : public QMainWindow, public Workspace {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QMdiArea *mdiArea() const { return m_mdi; }
    QList<DocumentWindow *> documents() const;

    // Workspace
    // The active document window, or the one that becomes active when the program is.
    DocumentWindow *activeDocument() const override;
    DocumentWindow *documentInSlot(int slot) const override;
    DocumentWindow *createDocumentWindow(int slot) override;
    DocumentWindow *newDocumentFromTemplate(const QString &templateName) override;
    void activateDocument(DocumentWindow *document) override;
    void setStatusText(const QString &text) override;
    QString statusText() const override;
    void repaintStatusText() override;
    // The shared file dialog CMDialog1.
    CommonDialog &commonDialog() override { return m_commonDialog; }
    QWidget *dialogParent() override { return this; }
    const ActionRegistry &ownActions() const override { return m_actions; }

    ActionRegistry &ownActions() { return m_actions; }
    // An action of the main window's own menus.
    QAction *action(const QString &objectName) const { return m_actions.action(objectName); }
    // Adds one of the main window's own top-level menus.
    void addOwnMenu(QMenu *menu);

    QToolBar *mainToolbar() const { return m_mainToolbar; }
    QToolBar *extendedToolbar() const { return m_picToolbar; }
    // The buttons of both toolbar rows.
    Toolbars &toolbars() const { return *m_toolbars; }
    // The "Extended &Toolbar" check mark of the main window's Window menu.
    bool extendedToolbarChecked() const;
    // A document window's "Extended &Toolbar": the main window's check mark follows it and the
    // extended toolbar is shown exactly when it is set.
    void setExtendedToolbar(bool checked);

    void cascade();
    // "Tile Horizontally" (full-width bands one below the other) or "Tile Vertically"
    // (full-height columns side by side), filling the document area.
    void tile(Qt::Orientation orientation);
    void arrangeIcons();
    // Fills a Window menu's list of open document windows (check mark at the active one).
    void fillWindowList(QMenu *menu);

    // The extended-characters toolbox.
    ToolboxControl &toolbox() { return *m_toolbox; }

    void showAbout();
    void showSupport();

    // Menu bar: the active document's menus, or the main window's own.
    void updateMenuBar();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createToolBars();
    void onSubWindowActivated(QMdiSubWindow *window);
    // "UTF-8" in the status bar's last panel while a UTF-8 document is active.
    void showEncoding();

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_mainToolbar = nullptr;
    QToolBar *m_picToolbar = nullptr;
    StatusBar *m_statusBar = nullptr;
    Toolbars *m_toolbars = nullptr;
    ToolboxControl *m_toolbox = nullptr;
    FileDrops *m_fileDrops = nullptr;
    QList<QMenu *> m_ownMenus;
    ActionRegistry m_actions;
    DocumentWindow *m_shownMenusOf = nullptr;
    CommonDialog m_commonDialog;
};

} // namespace vornel
