#pragma once

#include "platform/platform.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace vornel {

class DocumentWindow;

// The main window (frmMDI): the document area with every document window, the two toolbar
// rows, the status bar and the menu bar. The menu bar shows the active document window's
// menus, or the main window's own small menus when no document is open.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Vornel Internet Home Page Creator");

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QMdiArea *mdiArea() const { return m_mdi; }
    // The active document window, or the one that becomes active when the program is.
    DocumentWindow *activeDocument() const;
    QList<DocumentWindow *> documents() const;
    DocumentWindow *documentInSlot(int slot) const;
    // A new document window for the slot, shown and active, caption "Untitled:" + slot.
    DocumentWindow *createDocumentWindow(int slot);
    void activateDocument(DocumentWindow *document);

    // The hint line at the left of the status bar.
    void setStatusText(const QString &text);
    QString statusText() const;

    // The shared file dialog CMDialog1.
    CommonDialog &commonDialog() { return m_commonDialog; }

    // The main window's own File menu entries mnuRecentFile(0) to mnuRecentFile(8).
    const QList<QAction *> &recentFileActions() const { return m_recent; }
    QAction *action(const QString &objectName) const;

    QToolBar *mainToolbar() const { return m_mainToolbar; }
    QToolBar *extendedToolbar() const { return m_picToolbar; }
    // The "Extended &Toolbar" check mark of the main window's Window menu.
    bool extendedToolbarChecked() const;
    // A document window's "Extended &Toolbar": the main window's check mark follows it and the
    // extended toolbar is shown exactly when it is set.
    void setExtendedToolbar(bool checked);

    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    // Fills a Window menu's list of open document windows (check mark at the active one).
    void fillWindowList(QMenu *menu);

    void showAbout();
    void showSupport();

    // Menu bar: the active document's menus, or the main window's own.
    void updateMenuBar();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void layoutStatusBar();
    void pollKeyLocks();
    void onSubWindowActivated(QMdiSubWindow *window);
    QMenu *addOwnMenu(const QString &objectName, const QString &caption);

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_mainToolbar = nullptr;
    QToolBar *m_picToolbar = nullptr;
    QWidget *m_statusBar = nullptr;   // Picture1
    QLabel *m_statusArea = nullptr;
    QLabel *m_numLock = nullptr;
    QLabel *m_capsLock = nullptr;
    QLabel *m_scrLock = nullptr;
    QLabel *m_insert = nullptr;
    QLabel *m_nothing = nullptr;
    QTimer *m_keyTimer = nullptr;
    QList<QMenu *> m_ownMenus;
    QList<QAction *> m_recent;
    QAction *m_extendedToolbar = nullptr;
    DocumentWindow *m_shownMenusOf = nullptr;
    CommonDialog m_commonDialog;
};

// The one main window, or nullptr before it exists.
MainWindow *mainWindow();

} // namespace vornel
