#pragma once

#include "editor/text_edit.h"

#include <QStringList>

// The edit interface on a plain string: what the text area does to its text and selection,
// without a widget. Every selection of some text is logged, so a test can see what each
// question showed; undoSteps counts the steps an undo history would hold (a change outside a group,
// or an outermost group that changed something).
class StringEdit : public vornel::TextEdit {
public:
    // A marked text, as parseMarked reads it ("ab[cd]ef", "ab|cd").
    explicit StringEdit(const QString &marked = QStringLiteral("|"));
    StringEdit(const QString &text, int selStart, int selLength);

    QString text() const override { return m_text; }
    int length() const override { return int(m_text.size()); }
    QString textRange(int start, int count) const override { return m_text.mid(start, count); }
    int selStart() const override { return m_start; }
    int selLength() const override { return m_length; }
    void select(int start, int count) override;
    void replaceRange(int start, int count, const QString &text) override;
    void beginEditGroup() override { ++depth; }
    void endEditGroup() override;

    // The text with the selection written in, as markedText writes it.
    QString marked() const;

    QStringList selections;
    int undoSteps = 0;
    int depth = 0;

private:
    QString m_text;
    int m_start = 0;
    int m_length = 0;
    bool m_changedInGroup = false;
};
