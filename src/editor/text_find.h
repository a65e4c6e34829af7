#pragma once

#include <QString>
#include <QStringView>

namespace vornel {

// The upper-case form of text, character for character: a character whose upper case would
// be longer ("ß" to "SS") or of another width stays as it is, so every position in the result
// is the same position in text.
QString upperCaseSameLength(QStringView text);

// What matching compares: the text itself when the search is case-sensitive, else its
// upper-case form.
QString searchForm(const QString &text, bool matchCase);

// 0-based start of the first occurrence of pattern in subject at or after from, or -1.
int findDown(QStringView subject, QStringView pattern, int from);
// 0-based start of the last occurrence of pattern in subject that starts at or before
// lastStart (it may run on past it), or -1.
int findUp(QStringView subject, QStringView pattern, int lastStart);
// The occurrence of what in subject nearest to from, found by findDown or findUp on their
// search forms.
int findNearest(const QString &subject, const QString &what, bool matchCase, int from, bool down);

} // namespace vornel
