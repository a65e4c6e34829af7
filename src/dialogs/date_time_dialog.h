#pragma once

#include "dialogs/date_stamp.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vornel {

class TextArea;
class Workspace;

// The date/time stamp dialog (frmTimeFormat), "Time/Date Format": the seven formats
// FormatOption(0..6) of formatStamp in one column, chkComment "Format as a Comment" and
// chkLastUp "Include "Last Updated" Text". OK writes the stamp at the text area's selection,
// as plain text or as a comment; it stays disabled until a format is chosen. The dialog's
// locale() decides the stamp's conventions.
class DateTimeDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFormatCount = 7;
    static inline const QString kCaption = QStringLiteral("Time/Date Format");

    DateTimeDialog(TextArea *area, Workspace &workspace, StampClock clock = systemNow);

    // FormatOption(index), index 0 to 6 as formatStamp counts them.
    QRadioButton *formatOption(int index) const;
    QCheckBox *chkComment() const { return m_comment; }
    QCheckBox *chkLastUp() const { return m_lastUpdated; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void setClock(StampClock clock) { m_clock = std::move(clock); }

protected:
    // The format buttons' hints are a preview of the stamp, made afresh on every move.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void insertStamp();
    int chosenFormat() const;

    QPointer<TextArea> m_area;
    Workspace &m_workspace;
    StampClock m_clock;
    QRadioButton *m_formats[kFormatCount] = {};
    QCheckBox *m_comment;
    QCheckBox *m_lastUpdated;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

// Special > Date/Time: shows the dialog modally (through runModalDialog) for the text area.
void dateTimeCommand(Workspace &workspace, TextArea &area);

} // namespace vornel
