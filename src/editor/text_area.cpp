#include "editor/text_area.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vornel {

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_text(new TextDocument(this))
{
    setObjectName(QStringLiteral("Text1"));
    setDocument(m_text->document());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_text, &TextDocument::textEdited, this, &TextArea::textEdited);
    connect(m_text, &TextDocument::encodingChanged, this, &TextArea::encodingChanged);
    // A new text starts with the caret at its top, as a new page would.
    connect(m_text, &TextDocument::replaced, this, [this] { setTextCursor(QTextCursor(document())); });
}

TextArea::~TextArea() = default;

void TextArea::moveOverSoftBreak(QTextCursor &cursor, QTextCursor::MoveOperation move, QTextCursor::MoveMode mode) const
{
    const bool byWord = move == QTextCursor::PreviousWord || move == QTextCursor::NextWord;
    for (int from = cursor.position(); cursor.movePosition(move, mode) && m_text->stopsAtSoftBreak(from, cursor.position(), byWord);)
        from = cursor.position();
}

// ---- selection ----

int TextArea::selStart() const
{
    return m_text->docToModel(textCursor().selectionStart());
}

int TextArea::selLength() const
{
    const QTextCursor cursor = textCursor();
    return m_text->docToModel(cursor.selectionEnd()) - m_text->docToModel(cursor.selectionStart());
}

void TextArea::selectDocRange(int anchor, int position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TextArea::select(int start, int count)
{
    // The start as the caret can stand there: never inside a character or a CR LF pair.
    const int from = m_text->docToModel(m_text->modelToDoc(m_text->wholeCharacter(start, false)));
    const int end = m_text->wholeCharacter(std::clamp(from + std::max(count, 0), from, length()), true);
    selectDocRange(m_text->modelToDoc(from), m_text->modelToDoc(end, true));
}

void TextArea::replaceSelection(const QString &text, bool typing)
{
    const QTextCursor cursor = textCursor();
    const int a = cursor.selectionStart();
    const DocSpan put = m_text->replaceDocRange(a, cursor.selectionEnd() - a, m_text->sliceOf(text), typing);
    selectDocRange(put.end, put.end);
}

void TextArea::replaceRange(int start, int count, const QString &text)
{
    if (const std::optional<int> caret = m_text->replaceRange(start, count, text))
        selectDocRange(*caret, *caret);
}

void TextArea::replaceEach(const QList<int> &starts, int count, const QString &text)
{
    if (const std::optional<int> caret = m_text->replaceEach(starts, count, text))
        selectDocRange(*caret, *caret);
}

// ---- undo ----

void TextArea::undo()
{
    if (const std::optional<DocSpan> span = m_text->undo())
        selectDocRange(span->start, span->end);
}

void TextArea::redo()
{
    if (const std::optional<DocSpan> span = m_text->redo())
        selectDocRange(span->start, span->end);
}

} // namespace vornel
