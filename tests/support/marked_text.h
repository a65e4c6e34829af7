#pragma once

#include <QString>

namespace vornel {
class TextArea;
class TextEdit;
}

// Texts with the selection written in: "ab[cd]ef" selects cd, "ab|cd" is a caret. "~" stands
// for CR LF, "^" for a lone LF and "%" for a lone CR; every other character, '"' included, for
// itself.
struct Marked {
    QString text;
    int start = 0;
    int length = 0;
};

Marked parseMarked(const QString &marked);

// The text with its selection written in, as parseMarked() reads it.
QString markedText(const vornel::TextEdit &edit);

// Gives the text area the text and the selection.
void setMarked(vornel::TextArea &area, const Marked &marked);
