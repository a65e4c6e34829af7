#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vornel {

class TextEdit;

// The three insertion operations through which every markup command writes into a document.
// Without a target (no document open) they do nothing.

// Puts "<tag>" in front of the selection and, with closeTag, "</tag>" behind it; the text that
// was selected stays selected.
void insertInlineTag(const QString &tag, bool closeTag);
// Puts the tag on a line of its own: a CR LF goes before it (and, with closeTag, after the end
// tag) unless the caret already stands at the start of a line. The caret ends after it all.
void insertBlockTag(const QString &tag, bool closeTag);
// Puts text in front of the selection; the caret ends after the former selection.
void insertBeforeSelection(const QString &text);

void insertInlineTag(TextEdit &edit, const QString &tag, bool closeTag);
void insertBlockTag(TextEdit &edit, const QString &tag, bool closeTag);
void insertBeforeSelection(TextEdit &edit, const QString &text);
// The start tag in front of the selection and endText behind it, one undo step; the caret
// ends after endText.
void insertElement(TextEdit &edit, const QString &startTag, const QString &endText);
// insertBlockTag of each tag in turn, as one undo step.
void insertBlockTags(TextEdit &edit, const QStringList &tags, bool closeTag = false);
// Edit > Delete: the selection goes, or with nothing selected the character after the caret (a
// CR LF pair as one; a lone CR is a line end of its own).
void deleteCommand(TextEdit &edit);
// The skeleton of a list of kind ("OL", "UL", ...): its start tag, two items and its end tag.
QStringList listSkeletonTags(const QString &kind);

// The focused text area of the active document window, or nullptr. The main window installs
// the resolver; until then there is no target.
using InsertionTargetResolver = std::function<TextEdit *()>;
void setInsertionTargetResolver(InsertionTargetResolver resolver);
TextEdit *insertionTarget();

} // namespace vornel
