#include "dialogs/history_combo_box.h"

#include <QLineEdit>

namespace vornel {

HistoryComboBox::HistoryComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("LIBListBox"));
    setEditable(true);
    // Enter must not add the text to the list, leaving the field must not turn a typed text
    // into a pick of the equal entry, and completion would put an entry in the field that
    // the user never picked.
    setInsertPolicy(QComboBox::NoInsert);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    setCompleter(nullptr);
    // A long entry must not stretch the dialog.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(40);

    connect(this, &QComboBox::activated, this, [this](int index) { m_picked = index; });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_picked = -1; });
}

void HistoryComboBox::loadHistory(const QString &path, const HistoryLimits &limits)
{
    const HistoryContents contents = readHistory(path, limits);
    m_path = path;
    m_unreadFrom = contents.unreadFrom;
    clear();
    addItems(contents.entries);
    setCurrentIndex(-1);
    clearEditText();
    m_picked = -1;
    m_saveAll = false;
}

void HistoryComboBox::enterText(const QString &text)
{
    setEditText(text);
    m_picked = -1;
}

void HistoryComboBox::removePicked()
{
    m_saveAll = true;
    if (m_picked < 0)
        return;
    removeItem(m_picked);
    m_picked = -1;
    // Removing the current entry makes a neighbour current; the field is to be empty instead.
    setCurrentIndex(-1);
    clearEditText();
}

void HistoryComboBox::saveHistory() const
{
    if (m_path.isEmpty())
        return;
    if (m_saveAll) {
        QStringList entries;
        entries.reserve(count());
        for (int i = 0; i < count(); ++i)
            entries << itemText(i);
        rewriteHistory(m_path, entries, m_unreadFrom);
        return;
    }
    const QString text = currentText();
    if (!text.isEmpty() && m_picked < 0)
        appendHistoryEntry(m_path, text);
}

} // namespace vornel
