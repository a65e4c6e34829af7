#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vornel {

class HistoryComboBox;
class StatusHints;
class Workspace;

// The history input (frmListInputBox): asks for one value under a prompt (Label1), offering
// the entries of a history file in LIBListBox, with "OK", "Cancel", "Remove From List" and
// "Browse...". Placed in the middle of the screen.
class ListInputBox : public QDialog {
    Q_OBJECT

public:
    static inline const QString kDesignCaption = QStringLiteral("ListInputBox");

    explicit ListInputBox(Workspace &workspace);

    // Shows the prompt and caption and loads the history file; the dialog is then centred on
    // the screen.
    void prepare(const QString &prompt, const QString &historyPath, const QString &caption);

    QLabel *label1() const { return m_prompt; }
    HistoryComboBox *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *removeButton() const { return m_remove; }
    QPushButton *browseButton() const { return m_browse; }
    const StatusHints &hints() const { return *m_hints; }

    // Cancel, Escape and the close box: no text, and a removal is not written back.
    void reject() override;

    // The end of a use: the text to hand back (empty after Cancel), with the history file
    // brought up to date.
    QString finish();

private:
    void browse();

    Workspace &m_workspace;
    QLabel *m_prompt;
    HistoryComboBox *m_list;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_remove;
    QPushButton *m_browse;
    StatusHints *m_hints;
};

// Asks for one value with the history input and returns it; the empty text on Cancel.
// historyFile is the name of a history file (such as "url-list.qvl", kept where
// historyFilePath() says) or a full path.
// Browse uses the title and filter the caller set on the shared open-file dialog.
QString listInputBox(Workspace &workspace, const QString &prompt, const QString &historyFile,
                     const QString &caption, bool browseEnabled = true);

} // namespace vornel
