#pragma once

#include <QDialog>
#include <QPointer>
#include <QSet>

#include <functional>

class QCheckBox;
class QGridLayout;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

class HistoryComboBox;
class NumberBox;
class StatusHints;
class TextArea;
class Workspace;

// What the three form field dialogs share: the name box NameBox, OK (disabled until the
// fields allow it) and Cancel, their hints, and writing the field at the text area's
// selection: the start tag in front of it, then the selection replaced by what follows the tag.
// They open centred on the screen.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    QLineEdit *nameBox() const { return m_name; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    const StatusHints &hints() const { return *m_hints; }

protected:
    FormDialog(TextArea *area, Workspace &workspace, const QString &objectName);

    // The caption, and the background hint that goes with it.
    void setCaption(const QString &caption);
    // A field beside its label, in the next row of the fields.
    QLabel *addField(const QString &labelName, const QString &label, QWidget *field, const QString &hint);
    NumberBox *addNumberBox(const QString &name, const QString &labelName, const QString &label, int top,
                            const QString &text, const QString &hint);
    // Entering the box selects its whole text.
    void selectOnEntry(QWidget *box);
    // The field's parts: its hint shows over every one of them.
    void addHint(QWidget *field, const QString &hint);
    void setOkEnabled(bool enabled);
    // Lays the dialog out at its size and centres it on the screen.
    void placeOnScreen();
    // One undo step: "<tag>" in front of the selection, then the selection (still selected)
    // replaced by tail(selection). Then the dialog closes.
    void writeField(const QString &tag, const std::function<QString(const QString &selected)> &tail);

    Workspace &workspace() const { return m_workspace; }
    QGridLayout *fields() const { return m_fields; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TextArea> m_area;
    Workspace &m_workspace;
    QLineEdit *m_name;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QGridLayout *m_fields;
    StatusHints *m_hints;
    QSet<QObject *> m_selectOnEntry;
};

// The input field dialog (frmInputField), "Form Input Field": an INPUT element of one of the
// types TEXT, PASSWORD, CHECKBOX, RADIO, SUBMIT, RESET, IMAGE, HIDDEN. Besides the name and
// its text (ValueBox) it shows what the type needs: the width (NumRows) and maximum length
// (NumCols) for TEXT and PASSWORD, "Checked by default?" (Check1) for CHECKBOX and RADIO, and
// for IMAGE, captioned "Submition by Clickable Image", the image in place of the text: the
// drop-down Combo1 of gif-list.qvl and a Browse button (btnBrowse). OK writes the tag and a
// line break tag behind the selection; an image typed or browsed to joins the history.
class FormFieldDialog : public FormDialog {
    Q_OBJECT

public:
    FormFieldDialog(TextArea *area, Workspace &workspace, const QString &fieldType);

    QString fieldType() const { return m_type; }
    QLineEdit *valueBox() const { return m_value; }
    QLabel *valueLabel() const { return m_valueLabel; }
    NumberBox *widthBox() const { return m_width; }
    NumberBox *maxLengthBox() const { return m_maxLength; }
    QCheckBox *checkBox() const { return m_checked; }
    HistoryComboBox *imageList() const { return m_images; }
    QPushButton *browseButton() const { return m_browse; }

    // The tag OK would write now.
    QString tag() const;

private:
    void updateOk();
    void browse();
    void write();

    QString m_type;
    QLineEdit *m_value;
    QLabel *m_valueLabel;
    NumberBox *m_width;
    NumberBox *m_maxLength;
    QCheckBox *m_checked;
    QFrame *m_imageFrame;
    HistoryComboBox *m_images;
    QPushButton *m_browse;
};

// The select field dialog (frmSelect), "Form Select Field": a SELECT list, MULTIPLE or not,
// with the number of rows to show (ListLength). OK puts the selection in its first OPTION.
class FormSelectDialog : public FormDialog {
    Q_OBJECT

public:
    // selectOption: "" or " MULTIPLE ".
    FormSelectDialog(TextArea *area, Workspace &workspace, const QString &selectOption);

    NumberBox *listLength() const { return m_length; }
    QString tag() const;

private:
    QString m_option;
    NumberBox *m_length;
};

// The text area dialog (frmTextArea), "Form Text Area": a TEXTAREA of some rows (NumRows) and
// columns (NumCols). Its default text (DefaultText) starts as the selection and replaces it.
// The default text box takes several lines, so a selection keeps its line breaks.
class FormTextAreaDialog : public FormDialog {
    Q_OBJECT

public:
    FormTextAreaDialog(TextArea *area, Workspace &workspace);

    NumberBox *rowsBox() const { return m_rows; }
    NumberBox *columnsBox() const { return m_columns; }
    TextArea *defaultText() const { return m_text; }
    QString tag() const;

private:
    NumberBox *m_rows;
    NumberBox *m_columns;
    TextArea *m_text;
};

// The Forms menu's commands: each shows its dialog modally (through runModalDialog) for the
// active document; without one nothing happens.
// fieldType: "TEXT", "PASSWORD", "CHECKBOX", "RADIO", "SUBMIT", "RESET", "IMAGE" or "HIDDEN".
void inputFieldCommand(Workspace &workspace, const QString &fieldType);
// selectOption: "" (single) or " MULTIPLE ".
void selectFieldCommand(Workspace &workspace, const QString &selectOption);
void textAreaCommand(Workspace &workspace);

} // namespace vornel
