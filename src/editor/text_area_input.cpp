// The text area's commands and its handling of keys, input methods, the mouse, the
// clipboard and drops: everything that brings text in from outside.
#include "editor/text_area.h"

#include "platform/platform.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace vornel {

namespace {

// Line breaks of text coming from outside (keyboard, clipboard, drops) become CR LF. A UTF-8
// text can hold the line and paragraph separators as characters.
QString withCrLfBreaks(const QString &text, Encoding encoding)
{
    const bool separatorsBreak = !isUtf8(encoding);
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += QStringLiteral("\r\n");
        } else if (ch == u'\n' || (separatorsBreak && (ch == 0x2028 || ch == QChar::ParagraphSeparator))) {
            out += QStringLiteral("\r\n");
        } else {
            out += QChar(ch);
        }
    }
    return out;
}

} // namespace

// ---- commands ----

void TextArea::insertExternalText(const QString &text, bool typing)
{
    replaceSelection(withCrLfBreaks(text, encoding()), typing);
}

void TextArea::cutToClipboard()
{
    if (!textCursor().hasSelection())
        return;
    platform().setClipboardText(selText());
    replaceSelection(QString());
}

void TextArea::copyToClipboard()
{
    if (textCursor().hasSelection())
        platform().setClipboardText(selText());
}

void TextArea::pasteFromClipboard()
{
    const QString text = platform().clipboardText();
    if (!text.isEmpty())
        insertExternalText(text, false);
}

void TextArea::deleteForward()
{
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        replaceSelection(QString());
        return;
    }
    int pos = cursor.position();
    // The character after a soft break is the next one of the text.
    const QTextBlock block = document()->findBlock(pos);
    if (pos == block.position() + block.length() - 1 && m_text->isSoftEnd(block.blockNumber()))
        ++pos;
    if (pos >= document()->characterCount() - 1)
        return;
    int count = 1;
    if (document()->characterAt(pos).isHighSurrogate() && document()->characterAt(pos + 1).isLowSurrogate())
        count = 2;
    const DocSpan put = m_text->replaceDocRange(pos, count, TextSlice{});
    selectDocRange(put.start, put.start);
}

void TextArea::deleteBackward()
{
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        replaceSelection(QString(), true);
        return;
    }
    int pos = cursor.position();
    // The character before a soft break is the one before in the text.
    const QTextBlock block = document()->findBlock(pos);
    if (pos == block.position() && m_text->isSoftEnd(block.blockNumber() - 1))
        --pos;
    if (pos == 0)
        return;
    int count = 1;
    if (pos >= 2 && document()->characterAt(pos - 1).isLowSurrogate()
        && document()->characterAt(pos - 2).isHighSurrogate())
        count = 2;
    const DocSpan put = m_text->replaceDocRange(pos - count, count, TextSlice{}, true);
    selectDocRange(put.start, put.start);
}

// ---- keyboard, input method, mouse ----

bool TextArea::isNavigationKey(const QKeyEvent *event) const
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool TextArea::wantsKey(const QKeyEvent *event) const
{
    // Anything with Ctrl, Alt or Meta, the function keys and Delete go to the menu shortcuts
    // first; what none of them claims still reaches keyPressEvent.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event->key();
    if ((key >= Qt::Key_F1 && key <= Qt::Key_F35) || key == Qt::Key_Delete || key == Qt::Key_Escape
        || key == Qt::Key_Insert)
        return false;
    if (isNavigationKey(event))
        return true;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
        return true;
    default:
        return !event->text().isEmpty();
    }
}

bool TextArea::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        event->setAccepted(wantsKey(static_cast<QKeyEvent *>(event)));
        return true;
    }
    return QPlainTextEdit::event(event);
}

void TextArea::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::Cut)) {
        cutToClipboard();
    } else if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
    } else if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord)) {
        QTextCursor cursor = textCursor();
        if (!cursor.hasSelection()) {
            moveOverSoftBreak(cursor,
                              event->matches(QKeySequence::DeleteStartOfWord) ? QTextCursor::PreviousWord
                                                                              : QTextCursor::NextWord,
                              QTextCursor::KeepAnchor);
            setTextCursor(cursor);
        }
        replaceSelection(QString());
    } else if (isNavigationKey(event)) {
        int from = textCursor().position();
        QPlainTextEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            const bool byWord = event->modifiers() & Qt::ControlModifier;
            while (m_text->stopsAtSoftBreak(from, textCursor().position(), byWord)) {
                from = textCursor().position();
                QPlainTextEdit::keyPressEvent(event);
            }
        }
    } else if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        event->ignore();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        beginEditGroup();
        Q_EMIT enterPressed();
        replaceSelection(QStringLiteral("\r\n"));
        endEditGroup();
    } else if (event->key() == Qt::Key_Backspace) {
        deleteBackward();
    } else if (event->key() == Qt::Key_Delete) {
        deleteForward();
    } else if (event->key() == Qt::Key_Tab) {
        replaceSelection(QStringLiteral("\t"), true);
    } else {
        const QString text = event->text();
        const bool printable = !text.isEmpty()
            && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() != 0x7F; });
        if (printable && !(event->modifiers() & Qt::AltModifier))
            insertExternalText(text, true);
        else
            event->ignore();
    }
}

void TextArea::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        insertExternalText(event->commitString(), true);
    event->accept();
}

QMimeData *TextArea::createMimeDataFromSelection() const
{
    // Dragged text and the X11 selection carry the text itself, not what the screen shows
    // for it (marks for control characters, blanks for no-break spaces).
    auto *data = new QMimeData;
    data->setText(selText());
    return data;
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText())
        insertExternalText(source->text(), false);
}

void TextArea::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data || !data->hasText()) {
        event->ignore();
        return;
    }
    int dropPos = cursorForPosition(event->position().toPoint()).position();
    const QString text = withCrLfBreaks(data->text(), encoding());
    beginEditGroup();
    if (event->source() == this && event->dropAction() == Qt::MoveAction) {
        const QTextCursor cursor = textCursor();
        const int a = cursor.selectionStart();
        const int b = cursor.selectionEnd();
        if (dropPos >= a && dropPos <= b) {
            endEditGroup();
            event->ignore();
            return;
        }
        // Found again by its place in the text, since the removal may move soft breaks.
        const int moved = m_text->docToModel(b) - m_text->docToModel(a);
        int dropModel = m_text->docToModel(dropPos);
        m_text->replaceDocRange(a, b - a, TextSlice{});
        if (dropPos > b)
            dropModel -= moved;
        dropPos = m_text->modelToDoc(dropModel);
    }
    const DocSpan put = m_text->replaceDocRange(dropPos, 0, m_text->sliceOf(text));
    selectDocRange(put.start, put.end);
    endEditGroup();
    // The move, if any, is done; the drag source must not remove anything itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus();
}

void TextArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    // A word split by soft breaks is selected whole, as across wrap points.
    QTextCursor start(document());
    start.setPosition(cursor.selectionStart());
    QTextCursor end(document());
    end.setPosition(cursor.selectionEnd());
    while (start.atBlockStart() && m_text->splitsWord(start.position())) {
        start.movePosition(QTextCursor::PreviousCharacter);
        start.movePosition(QTextCursor::StartOfWord);
    }
    while (end.atBlockEnd() && m_text->splitsWord(end.position())) {
        end.movePosition(QTextCursor::NextCharacter);
        end.movePosition(QTextCursor::EndOfWord);
    }
    selectDocRange(start.position(), end.position());
}

void TextArea::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const bool selected = textCursor().hasSelection();
    menu.addAction(tr("&Undo"), this, &TextArea::undo)->setEnabled(canUndo());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &TextArea::cutToClipboard)->setEnabled(selected);
    menu.addAction(tr("&Copy"), this, &TextArea::copyToClipboard)->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, &TextArea::pasteFromClipboard);
    menu.addAction(tr("De&lete"), this, &TextArea::deleteForward)->setEnabled(selected);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &QPlainTextEdit::selectAll);
    menu.exec(event->globalPos());
}

} // namespace vornel
