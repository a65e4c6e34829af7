#pragma once

#include "search/text_search.h"

namespace vornel {

class TextArea;

// A document's text area as the find step and the replace run see it. Many replacements go
// in as one edit, so a long Replace All is one undo step and one repaint.
class TextAreaSearchTarget : public SearchTarget {
public:
    explicit TextAreaSearchTarget(TextArea &area) : m_area(area) {}

    QString text() const override;
    int selStart() const override;
    void select(int start, int length) override;
    void replaceEach(const QList<int> &starts, int length, const QString &with) override;
    void beginRun() override;
    void endRun() override;

private:
    TextArea &m_area;
};

} // namespace vornel
