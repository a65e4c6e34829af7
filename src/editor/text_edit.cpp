#include "editor/text_edit.h"

#include "editor/text_find.h"

namespace vornel {

QChar TextEdit::charAt(int index) const
{
    const QString one = textRange(index, 1);
    return one.isEmpty() ? QChar() : one[0];
}

void TextEdit::replaceEach(const QList<int> &starts, int count, const QString &text)
{
    if (starts.isEmpty())
        return;
    EditGroup group(*this);
    // From the last, so the earlier positions still hold.
    for (qsizetype i = starts.size() - 1; i >= 0; --i)
        replaceRange(starts[i], count, text);
    const int growth = int(text.size()) - count;
    select(starts.back() + int(starts.size() - 1) * growth + int(text.size()), 0);
}

int TextEdit::findText(const QString &what, bool matchCase, int from, bool down) const
{
    return findNearest(text(), what, matchCase, from, down);
}

} // namespace vornel
