#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vornel {

class TextArea;

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

void insertInlineTag(TextArea &area, const QString &tag, bool closeTag);
void insertBlockTag(TextArea &area, const QString &tag, bool closeTag);
void insertBeforeSelection(TextArea &area, const QString &text);
// insertBlockTag of each tag in turn, as one undo step.
void insertBlockTags(TextArea &area, const QStringList &tags, bool closeTag = false);
// The skeleton of a list of kind ("OL", "UL", ...): its start tag, two items and its end tag.
QStringList listSkeletonTags(const QString &kind);

// The focused text area of the active document window, or nullptr. The main window installs
// the resolver; until then there is no target.
using InsertionTargetResolver = std::function<TextArea *()>;
void setInsertionTargetResolver(InsertionTargetResolver resolver);
TextArea *insertionTarget();

} // namespace vornel
