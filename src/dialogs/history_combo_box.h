#pragma once

#include "dialogs/history_file.h"

#include <QComboBox>

namespace vornel {

// The editable drop-down of earlier entries (LIBListBox) that the image dialog and the history
// input share. The text typed or browsed to is added to its history file when the dialog
// closes; an entry picked from the list is not added again.
//
// "Picked" means the user chose the entry from the list (popup, arrow keys, wheel) in this
// use. A typed text equal to an entry is still typed, so Enter and leaving the field never
// turn it into a pick, and editing a picked text makes it typed.
class HistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit HistoryComboBox(QWidget *parent = nullptr);

    // Fills the list from the file and starts with an empty field and nothing picked.
    void loadHistory(const QString &path, const HistoryLimits &limits = {});
    QString historyPath() const { return m_path; }

    // The index of the picked entry, or -1.
    int pickedIndex() const { return m_picked; }
    // Puts text in the field as if typed (the Browse result).
    void enterText(const QString &text);

    // Removes the picked entry, leaving the field empty. With nothing picked the list and
    // field stay as they are. Either way the whole list is to be written back.
    void removePicked();
    bool savesAll() const { return m_saveAll; }
    void clearSaveAll() { m_saveAll = false; }

    // The end of a use: writes the whole list back after a removal; otherwise adds the
    // field's text when it is not empty and was not picked.
    void saveHistory() const;

private:
    QString m_path;
    qint64 m_unreadFrom = -1;
    int m_picked = -1;
    bool m_saveAll = false;
};

} // namespace vornel
