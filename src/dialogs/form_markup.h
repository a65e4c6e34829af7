#pragma once

#include <QString>

namespace vornel {

// The markup of the form field dialogs and the rules of their number boxes, without windows.
// Every value goes into the markup exactly as the user typed it.

// What the input field dialog shows for a field type besides the name and text boxes.
struct InputFieldLayout {
    bool sizes = false;     // width and maximum length (TEXT, PASSWORD)
    bool checkBox = false;  // checked by default (CHECKBOX, RADIO)
    bool image = false;     // the image instead of the text (IMAGE)
};
InputFieldLayout inputFieldLayout(const QString &fieldType);

// What the input field dialog holds when OK is pressed; only the fields that the type shows
// are used.
struct InputFieldValues {
    QString fieldType;
    QString name;
    QString value;
    QString width;
    QString maxLength;
    bool checked = false;
    QString image;
};

// 'INPUT NAME="name" TYPE="type"', then VALUE when there is a value, then the type's own
// attributes: SIZE and MAXLENGTH, CHECKED, or SRC.
QString inputFieldTag(const InputFieldValues &values);
// What the selection becomes behind the INPUT tag: itself and a line break tag on its line.
QString inputFieldTail(const QString &selected);

// 'SELECT' + option + ' NAME="name" SIZE="size"'; the option is "" or " MULTIPLE ".
QString selectTag(const QString &selectOption, const QString &name, const QString &size);
// The selection as the first option, an empty second option and the end tag, each on a line.
QString selectTail(const QString &selected);

// 'TEXTAREA NAME="name" ROWS="rows" COLS="columns"'.
QString textAreaTag(const QString &name, const QString &rows, const QString &columns);
// The default text and the end tag.
QString textAreaTail(const QString &defaultText);

// Number boxes. Their value is read as the leading number of the text (blanks before it, a
// sign, digits, a fraction); text without one reads as 0. A sign alone is not 0 but the start
// of a number being typed.
bool readsAsZero(const QString &text);
// The up arrow: one more, or "1" from the top of the range 1..top or above it.
QString stepUp(const QString &text, int top);
// The down arrow: one less, or the top from 1 or below.
QString stepDown(const QString &text, int top);

} // namespace vornel
