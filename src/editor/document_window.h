#pragma once

#include "editor/command_table.h"
#include "editor/text_encoding.h"

#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace vornel {

class TextArea;
class Workspace;

// A document window (frmNotePad): one text area filling it, the full path of its file, a
// caption, its slot in the document table (its tag) and its own menu bar, which the main
// window shows while this window is active. Its menus are filled by whoever creates it.
class DocumentWindow : public QWidget {
    Q_OBJECT

public:
    DocumentWindow(int slot, Workspace &workspace, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    // The text area Text1.
    TextArea *textArea() const { return m_text; }
    int slot() const { return m_slot; }
    // Whether the text has changes not saved (the document's own flag).
    bool isChanged() const;
    void setChanged(bool changed);
    QString tag() const { return QString::number(m_slot); }
    Workspace &workspace() const { return m_workspace; }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption);
    // The file's path as the system names it; empty while the document is untitled.
    QString realFileName() const;
    void setRealFileName(const QString &path);
    bool isUntitled() const;
    // How the document is stored in its file, chosen when it was loaded (the text area's).
    Encoding encoding() const;

    // The top-level menus of this window's menu bar, in order.
    const QList<QMenu *> &menus() const { return m_menus; }
    QMenu *menu(const QString &objectName) const;
    ActionRegistry &actions() { return m_actions; }
    const ActionRegistry &actions() const { return m_actions; }
    QAction *action(const QString &objectName) const { return m_actions.action(objectName); }
    // Adds a top-level menu in its place among File, Edit, Document, Styles, Insert, Forms,
    // Special, Window, Help (by objectName).
    void insertMenu(QMenu *menu);

    // What Yes in the close question does: saves the window; false cancels the close.
    using SaveOnClose = std::function<bool(DocumentWindow &)>;
    void setSaveOnClose(SaveOnClose save) { m_saveOnClose = std::move(save); }

    // Heading command (mnuHead): insertBlockTag("H" + level, true).
    void insertHeading(int level);
    // Edit menu commands.
    void editDelete();
    void editSelectAll();

Q_SIGNALS:
    // A menu was added after the window was shown.
    void menusChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyPreferences();
    void showStatus();

    int m_slot;
    Workspace &m_workspace;
    TextArea *m_text;
    bool m_slotReleased = false;
    QList<QMenu *> m_menus;
    ActionRegistry m_actions;
    SaveOnClose m_saveOnClose;
};

} // namespace vornel
