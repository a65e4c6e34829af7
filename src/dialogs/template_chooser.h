#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace vornel {

class Workspace;

// The template chooser (frmTemplate), "Use Template for new Document": the built-in template
// and every "*.htt" file of the template folders in List1, the current default in the
// "Current Default" frame, and the buttons Command1(0) "Set As Default", (1) "Cancel",
// (2) "Help", (3) "OK". OK (or a double click on an entry) builds the new document itself.
class TemplateChooser : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Use Template for new Document");

    TemplateChooser(const QStringList &folders, Workspace &workspace);

    QListWidget *list1() const { return m_list; }
    QLabel *message() const { return m_message; }
    // Command1(index), index 0 to 3.
    QPushButton *command1(int index) const;

    // The button handlers, by index.
    void command1Click(int index);

private:
    void fillList(const QStringList &folders);
    void setAsDefault();
    void showHelp();
    void useTemplate();
    // The selected entry's name, or the empty text when none is selected.
    QString selectedTemplate() const;

    Workspace &m_workspace;
    QListWidget *m_list;
    QLabel *m_message;
    QPushButton *m_buttons[4] = {};
};

// File > New in either menu bar: shows the chooser modally (through runModalDialog, so a test
// can answer it) over the template folders.
void newCommand(Workspace &workspace);

} // namespace vornel
