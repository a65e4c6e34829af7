#pragma once

#include <QList>
#include <QString>

namespace vornel {

// What every command writes through: the text, the selection, replacing a range, and one undo
// step for a group of edits. The text area is one; a test can use a plain string. Positions
// and counts are in the text as the model holds it (CR LF is two characters).
class TextEdit {
public:
    virtual ~TextEdit() = default;

    virtual QString text() const = 0;
    virtual int length() const = 0;
    virtual QString textRange(int start, int count) const = 0;
    virtual QChar charAt(int index) const;

    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    QString selText() const { return textRange(selStart(), selLength()); }
    // Selects count characters from start; a caret at start when count is 0.
    virtual void select(int start, int count) = 0;
    // Sets the caret; nothing is selected afterwards.
    void setSelStart(int start) { select(start, 0); }
    // Selects count characters from SelStart.
    void setSelLength(int count) { select(selStart(), count); }

    // Replaces count characters from start with text; the caret ends after the inserted text,
    // nothing selected.
    virtual void replaceRange(int start, int count, const QString &text) = 0;
    // Replaces the selection, the same way.
    virtual void setSelText(const QString &text) { replaceRange(selStart(), selLength(), text); }
    // Replaces count characters at each of starts (ascending, not overlapping, positions in the
    // text as it is before the call) with text, as one undo step. The caret ends after the last
    // replacement, nothing selected.
    virtual void replaceEach(const QList<int> &starts, int count, const QString &text);

    // Groups every change until the matching end into one undo step (nests).
    virtual void beginEditGroup() = 0;
    virtual void endEditGroup() = 0;

    // 0-based start of the occurrence of what (as typed) nearest to from: the first one
    // starting at or after it (down), or the last one starting at or before it (up); -1 when
    // there is none. The default searches a copy of text().
    virtual int findText(const QString &what, bool matchCase, int from, bool down) const;
};

// One command, one undo step.
class EditGroup {
public:
    explicit EditGroup(TextEdit &edit) : m_edit(edit) { m_edit.beginEditGroup(); }
    ~EditGroup() { m_edit.endEditGroup(); }
    EditGroup(const EditGroup &) = delete;
    EditGroup &operator=(const EditGroup &) = delete;

private:
    TextEdit &m_edit;
};

} // namespace vornel
