#pragma once

#include "editor/text_document.h"
#include "editor/text_edit.h"

#include <QPlainTextEdit>

namespace vornel {

// The document text area (Text1): the view of one TextDocument, whose text model, encoding
// and undo history it offers as its own. SelStart/SelLength/SelText count and carry CR LF as
// two characters; a selection never splits a character. On screen every kind of line end is a
// line break, and the caret and the keys step over soft breaks as over the wrap points of a
// wrapped line.
class TextArea : public QPlainTextEdit, public TextEdit {
    Q_OBJECT

public:
    using Progress = TextDocument::Progress;

    explicit TextArea(QWidget *parent = nullptr);
    ~TextArea() override;

    // The text it shows and all that belongs to it.
    TextDocument &textDocument() const { return *m_text; }

    QString text() const override { return m_text->text(); }
    void setText(const QString &text) { m_text->setText(text); }
    int length() const override { return m_text->length(); }
    QChar charAt(int index) const override { return m_text->charAt(index); }
    QString textRange(int start, int count) const override { return m_text->textRange(start, count); }
    QString displayText() const { return m_text->displayText(); }
    int modelPosition(int displayPos) const { return m_text->modelPosition(displayPos); }
    int displayPosition(int modelPos, bool roundUp = false) const { return m_text->displayPosition(modelPos, roundUp); }
    int softBreakLimit() const { return m_text->softBreakLimit(); }
    void setSoftBreakLimit(int limit) { m_text->setSoftBreakLimit(limit); }
    void loadBytes(const QByteArray &bytes, const Progress &progress = {}) { m_text->loadBytes(bytes, progress); }
    void loadBytes(const QByteArray &bytes, Encoding encoding, const Progress &progress = {})
    {
        m_text->loadBytes(bytes, encoding, progress);
    }
    QByteArray toBytes() const { return m_text->toBytes(); }
    Encoding encoding() const { return m_text->encoding(); }
    bool mayHoldLookalikes() const { return m_text->mayHoldLookalikes(); }

    // The edit interface; a selection never splits a character.
    int selStart() const override;
    int selLength() const override;
    void select(int start, int count) override;
    void setSelText(const QString &text) override { replaceSelection(text); }
    void replaceRange(int start, int count, const QString &text) override;
    // One repaint for them all.
    void replaceEach(const QList<int> &starts, int count, const QString &text) override;
    void beginEditGroup() override { m_text->beginEditGroup(); }
    void endEditGroup() override { m_text->endEditGroup(); }
    int findText(const QString &what, bool matchCase, int from, bool down) const override
    {
        return m_text->findText(what, matchCase, from, down);
    }

    // Undo history: each command's change is one step; a run of typing is one step.
    bool canUndo() const { return m_text->canUndo(); }
    bool canRedo() const { return m_text->canRedo(); }
    void undo();
    void redo();
    void clearUndoHistory() { m_text->clearUndoHistory(); }

    // Clipboard commands through the platform layer.
    void cutToClipboard();
    void copyToClipboard();
    void pasteFromClipboard();
    // Removes the selection, or the character after the caret (a CR LF pair as one).
    void deleteForward();

Q_SIGNALS:
    // Any change of the text, by typing or by a command.
    void textEdited();
    // Enter reached the text area; emitted before its line break is inserted.
    void enterPressed();
    // A load gave the document another encoding.
    void encodingChanged();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    using DocSpan = TextDocument::DocSpan;

    void moveOverSoftBreak(QTextCursor &cursor, QTextCursor::MoveOperation move, QTextCursor::MoveMode mode) const;
    void replaceSelection(const QString &text, bool typing = false);
    void selectDocRange(int anchor, int position);
    void insertExternalText(const QString &text, bool typing);
    void deleteBackward();
    bool isNavigationKey(const QKeyEvent *event) const;
    bool wantsKey(const QKeyEvent *event) const;

    TextDocument *m_text;
};

} // namespace vornel
