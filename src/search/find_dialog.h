#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornel {

class StatusHints;
class Workspace;
class TextArea;

// The Find dialog (frmFind): the text to find, the direction, "Match Case", and "Fi&nd",
// which finds the next occurrence in the document's text area and stays open for the next.
// Loading it centres it over the main window, disables "Fi&nd" and sets the search direction
// to down.
class FindDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Find");

    FindDialog(TextArea *area, Workspace &workspace);

    QLineEdit *text1() const { return m_text; }
    // optDirection(0) "&Up", optDirection(1) "&Down".
    QRadioButton *optDirection(int index) const;
    QCheckBox *chkCase() const { return m_case; }
    QPushButton *cmdFind() const { return m_find; }
    QPushButton *cmdcancel() const { return m_cancel; }
    const StatusHints &hints() const { return *m_hints; }

    // Escape, the close box and "Cancel" keep the text and the case choice for Find Next.
    void reject() override;

private:
    void findClicked();

    QPointer<TextArea> m_area;
    QLineEdit *m_text;
    QRadioButton *m_direction[2] = {};
    QCheckBox *m_case;
    QPushButton *m_find;
    QPushButton *m_cancel;
    StatusHints *m_hints;
};

} // namespace vornel
