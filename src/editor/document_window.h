#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QMenu;

namespace vornel {

class TextArea;

// A document window (frmNotePad): one text area filling it, the full path of its file, a
// caption, its slot in the document table (its tag) and its own menu bar, which the main
// window shows while this window is active.
class DocumentWindow : public QWidget {
    Q_OBJECT

public:
    explicit DocumentWindow(int slot, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    // The text area Text1.
    TextArea *textArea() const { return m_text; }
    int slot() const { return m_slot; }
    QString tag() const { return QString::number(m_slot); }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption);
    QString realFileName() const { return m_realFileName; }
    void setRealFileName(const QString &path) { m_realFileName = path; }

    // The top-level menus of this window's menu bar, in order.
    const QList<QMenu *> &menus() const { return m_menus; }
    // File menu entries mnuRecentFile(0) (the separator) to mnuRecentFile(8).
    const QList<QAction *> &recentFileActions() const { return m_recent; }
    QMenu *menu(const QString &objectName) const;
    QAction *action(const QString &objectName) const;
    // Adds a top-level menu in its place among File, Edit, Document, Styles, Insert, Forms,
    // Special, Window, Help (by objectName; markup menus come in this way).
    void insertMenu(QMenu *menu);

    // Heading command (mnuHead): insertBlockTag("H" + level, true).
    void insertHeading(int level);
    // Edit menu commands.
    void editDelete();
    void editSelectAll();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QMenu *addTopMenu(const QString &objectName, const QString &caption);
    void buildFileMenu();
    void buildEditMenu();
    void buildDocumentMenu();
    void buildStylesMenu();
    void buildWindowMenu();
    void buildHelpMenu();
    void applyPreferences();
    void showStatus();

    int m_slot;
    TextArea *m_text;
    QString m_realFileName;
    bool m_slotReleased = false;
    QList<QMenu *> m_menus;
    QList<QAction *> m_recent;
    QMenu *m_windowMenu = nullptr;
};

} // namespace vornel
