#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vornel {

class StatusHints;
class Workspace;

// The Replace dialog (frmReplace): the text to find, its replacement, "Match Case", and the
// buttons "&Verify" (confirm each) and "Replace &All". Either button keeps the texts in the
// search state, records which run was asked for and closes the dialog; the run itself
// follows once the dialog has gone.
class ReplaceDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Replace");

    explicit ReplaceDialog(Workspace &workspace);

    // Text1(0) the text to find, Text1(1) the replacement.
    QLineEdit *text1(int index) const;
    QCheckBox *chkCase() const { return m_case; }
    // cmdReplace(0) "&Verify", cmdReplace(1) "Replace &All".
    QPushButton *cmdReplace(int index) const;
    QPushButton *cmdcancel() const { return m_cancel; }
    const StatusHints &hints() const { return *m_hints; }

    // The run chosen: 0 confirm each, 1 replace all; -1 when the dialog was cancelled.
    int chosenMode() const { return m_mode; }

    void reject() override;

private:
    void replaceClicked(int index);
    void updateButtons();

    QLineEdit *m_texts[2] = {};
    QCheckBox *m_case;
    QPushButton *m_replace[2] = {};
    QPushButton *m_cancel;
    StatusHints *m_hints;
    int m_mode = -1;
};

} // namespace vornel
