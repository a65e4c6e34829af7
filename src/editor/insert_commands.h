#pragma once

#include <QString>

#include <optional>

namespace vornel {

class TextEdit;

// The Insert and Special commands that ask for a value with the platform's input box and
// write one element at the selection. Cancel or an empty answer writes nothing.

// Name/Anchor: "<A NAME="name">" in front of the selection, no end tag.
void namedAnchorCommand(TextEdit &edit);
// Jump to an anchor: the selection becomes the text of a link to "#name".
void anchorLinkCommand(TextEdit &edit);
// Mailto: a link to "mailto:" + the address asked for (the preferred address offered).
void mailLinkCommand(TextEdit &edit);
// The selection becomes the text of a link to address; the caret ends after "</A>".
void insertLink(TextEdit &edit, const QString &address);
// ASCII Characters: "&#n;" for a code from 1 to 255, asked again until one is given or the
// prompt is cancelled.
void characterReferenceCommand(TextEdit &edit);
// The code an answer to the ASCII prompt stands for: its leading number rounded to a whole
// number, when that is 1 to 255.
std::optional<int> characterCode(const QString &answer);
// Comment: the selection (offered as the comment's text) gives way to "<!-- text -->" on a
// line of its own.
void commentCommand(TextEdit &edit);
// Goto Homepage: a link to the preferred home page with its picture and text, or a message
// when they are not configured.
void homePageLinkCommand(TextEdit &edit);

} // namespace vornel
