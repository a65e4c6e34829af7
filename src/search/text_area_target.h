#pragma once

#include "search/text_search.h"

namespace vornel {

class TextArea;

// A document's text area as the find step and the replace run see it.
class TextAreaSearchTarget : public SearchTarget {
public:
    explicit TextAreaSearchTarget(TextArea &area) : m_area(area) {}

    QString text() const override;
    int selStart() const override;
    void select(int start, int length) override;
    void replaceEach(const QList<int> &starts, int length, const QString &with) override;
    // Searches the text as the screen holds it, which needs no copy of the whole text in the
    // model's form, whenever the searched text holds no line end.
    int find(const QString &what, bool matchCase, int from, bool down) const override;
    void beginRun() override;
    void endRun() override;

private:
    TextArea &m_area;
};

} // namespace vornel
