#pragma once

#include "editor/line_ends.h"
#include "editor/text_slice.h"
#include "editor/undo_history.h"

#include <QObject>

#include <functional>
#include <optional>

class QTextDocument;

namespace vornel {

// A document's text and all that belongs to it, with no widget: the text model every command
// works on, its encoding, its undo history, and the underlying QTextDocument a text area shows.
//
// The text model is one string in which a line break is the two characters CR LF, and
// positions count CR LF as two characters. A file's lone LF or lone CR keeps its
// one-character width and comes back unchanged; in the underlying document every kind of line
// end is one paragraph boundary, its kind kept in LineEnds. Positions count UTF-16 units, so a
// character beyond the basic plane counts two; no edit ever splits one.
//
// A UTF-8 text may hold the characters the screen uses as marks or as line breaks
// (lookalikes). Each is held as a stand-in whose character format carries the character it
// stands for; edits and undo carry those along in TextSlice::lookalikes.
//
// A very long line is held as several paragraphs joined by soft breaks (softbreak::rebroken),
// boundaries that count no character of the text. A text of many lines holds several short
// lines per paragraph, joined by U+2028 line ends (linegroup::group); LineEnds numbers the
// line ends of both kinds in order. All edits go through replaceDocRange(),
// which keeps the paragraphs and LineEnds in step, keeps paragraphs near the soft-break limit
// and records the undo history (the underlying document's own undo is off).
class TextDocument : public QObject {
    Q_OBJECT

public:
    using Progress = std::function<void(int percent)>;

    // A stretch of the underlying document, from start to end.
    struct DocSpan {
        int start;
        int end;
    };

    explicit TextDocument(QObject *parent = nullptr);
    ~TextDocument() override;

    // What a text area shows: laid out for a QPlainTextEdit, owned by this object.
    QTextDocument *document() const { return m_doc; }

    // ---- the text model ----

    QString text() const;
    void setText(const QString &text);
    int length() const;
    // The character at a model index (0-based), or a null QChar outside the text.
    QChar charAt(int index) const;
    QString textRange(int start, int count) const;

    // The text as the screen shows it, for fast scans of the whole text: every line end is
    // one U+2029, or U+2028 inside a paragraph of a grouped text (soft breaks are left out),
    // control characters are their marks (codec::displayOf) and lookalikes their stand-ins
    // (codec::standInOf).
    QString displayText() const;
    // The model position of a position in displayText(), and back; a model position inside a
    // CR LF pair rounds down to the line end, or up past it when roundUp is set.
    int modelPosition(int displayPos) const { return docToModel(shownToDoc(displayPos)); }
    int displayPosition(int modelPos, bool roundUp = false) const { return docToShown(modelToDoc(modelPos, roundUp)); }

    // TextEdit::findText on this text. Searches the text as the screen holds it, which needs
    // no copy of the whole text in the model's form, whenever the searched text holds no line end.
    int findText(const QString &what, bool matchCase, int from, bool down) const;

    // The soft-break limit (softbreak::kLimit unless set); setting it breaks the text anew.
    int softBreakLimit() const { return m_softLimit; }
    void setSoftBreakLimit(int limit);

    // Lines per paragraph in a grouped text, and the line ends from which a text is grouped
    // (linegroup::kLines and kFrom unless set); setting them holds the text anew.
    void setLineGrouping(int lines, int fromLineEnds);
    // Whether the text holds several lines per paragraph.
    bool isGrouped() const { return m_grouping; }

    // File bytes, read in the encoding codec::detectEncoding chooses for them, which stays the
    // document's encoding until the next load; the second form reads them in a known encoding
    // (UTF-8 bytes that are not valid UTF-8 are read as Windows-1252 after all).
    // A very large text goes in in parts; progress (when given) hears the percentage done
    // after each part, so the caller can show it and let the window repaint.
    void loadBytes(const QByteArray &bytes, const Progress &progress = {});
    void loadBytes(const QByteArray &bytes, Encoding encoding, const Progress &progress = {});
    // The text in the document's encoding (a UTF-8 document with its byte-order mark if the
    // file had one).
    QByteArray toBytes() const;
    Encoding encoding() const { return m_encoding; }
    // True when the text may hold characters that look like marks on screen (only a UTF-8 text
    // can): displayText() then does not tell them apart.
    bool mayHoldLookalikes() const { return m_mayHoldLookalikes; }

    // Replaces count characters from start with text, as one undo step (an end inside a CR LF
    // pair keeps the half outside the range). Gives the document position just after the
    // text put in, or nothing when nothing changed.
    std::optional<int> replaceRange(int start, int count, const QString &text);
    // Replaces count characters at each of starts (ascending, not overlapping, positions in the
    // text as it is before the call) with text, as one undo step and one layout. Gives the
    // document position after the last replacement, or nothing when nothing changed.
    std::optional<int> replaceEach(const QList<int> &starts, int count, const QString &text);

    // Whether the text changed since it was last marked saved: every change sets it, a load
    // or a set text too; whoever saves or loads clears it.
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    // The file the text was read from or last saved to; empty while it is untitled.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString &path) { m_filePath = path; }
    bool isUntitled() const { return m_filePath.isEmpty(); }

    // Undo history: each command's change is one step; a run of typing is one step. Undo
    // gives the stretch the step's text took before, redo where it ends after.
    bool canUndo() const;
    bool canRedo() const;
    std::optional<DocSpan> undo();
    std::optional<DocSpan> redo();
    void clearUndoHistory();
    // Groups every change until the matching end into one undo step (nests).
    void beginEditGroup();
    void endEditGroup();

    // ---- positions in the underlying document, for the view ----

    int docToModel(int docPos) const;
    // Model position to document position; a position between CR and LF of a pair rounds
    // down to before the pair, or up after it when roundUp is set.
    int modelToDoc(int modelPos, bool roundUp = false) const;
    // A model position inside a surrogate pair moved before it, or after it when roundUp is set.
    int wholeCharacter(int modelPos, bool roundUp) const;
    // Whether the paragraph ends in a soft break.
    bool isSoftEnd(int blockNumber) const;
    // Whether a move from one position to another stopped at a soft break it should go on
    // past, as the caret goes past a wrap point: one it only crossed, or for a word move one
    // that splits a word.
    bool stopsAtSoftBreak(int from, int to, bool byWord) const;
    // Whether a position beside a soft break has letters or digits on both sides.
    bool splitsWord(int docPos) const;

    TextSlice docSlice(int docPos, int docCount) const;
    // The text's own form of text coming in, in this document's encoding.
    TextSlice sliceOf(const QString &text) const { return codec::sliceOfText(text, m_encoding); }
    // Replaces a stretch of the underlying document; gives where the replacement ended up,
    // which soft breaks put in or taken out may move. typing joins a run of typing.
    DocSpan replaceDocRange(int docPos, int docCount, const TextSlice &replacement, bool typing = false);

Q_SIGNALS:
    // Any change of the text.
    void textEdited();
    // The whole text was replaced (set or loaded).
    void replaced();
    // A load gave the document another encoding.
    void encodingChanged();

private:
    // Loads bytes known to be valid in the encoding.
    void loadChecked(const QByteArray &bytes, Encoding encoding, const Progress &progress);
    void setSlice(const TextSlice &slice, const Progress &progress = {});
    // Lookalikes are kept as the stand-in characters' format, which moves with them.
    void tagLookalikes(int docPos, const std::vector<TextSlice::Lookalike> &lookalikes);
    std::vector<TextSlice::Lookalike> lookalikesIn(int docPos, int docCount) const;
    // Positions in displayText() to positions in the document and back.
    int shownToDoc(int shownPos) const;
    int docToShown(int docPos) const;
    int blockModelStart(int blockNumber) const;

    // ---- line ends inside paragraphs (text_document_lines.cpp) ----
    // Line ends before a document position, U+2028 and paragraph ends alike.
    int endsBefore(int docPos) const;
    // The number of the line end that ends a paragraph, and the paragraph a line end ends.
    int endOfBlock(int blockNumber) const { return blockNumber + groupedBefore(blockNumber + 1); }
    int blockOfEnd(int endIndex) const;
    int lineEndCount() const;
    // U+2028 line ends in the paragraphs before blockNumber.
    int groupedBefore(int blockNumber) const;
    // A model offset into a paragraph that holds U+2028 line ends, as a document position.
    int modelToDocInGroup(int blockNumber, int modelOffset, bool roundUp) const;
    // After paragraphs first .. first+removed-1 gave way to added ones, whose U+2028 are
    // counted afresh.
    void recountGroups(int first, int removed, int added);
    // Holds a replacement's lines grouped when this text is grouped and it brings many.
    // A replacement of very many lines in a text not yet grouped starts the grouping.
    const TextSlice &grouped(const TextSlice &replacement, TextSlice &copy);

    // Runs edit as one change of the underlying document, so that it is laid out once.
    void asOneDocumentChange(const std::function<void()> &edit);
    // The stretch of the document an edit is widened to so that the paragraphs it leaves stay
    // near the soft-break limit; none when they already do.
    std::optional<DocSpan> rebreakSpan(int docPos, int docCount, const TextSlice &replacement) const;
    void applyEdit(int docPos, int docCount, const TextSlice &replacement);
    void onForeignChange(int position, int removed, int added);
    // After every change of the text: marks it changed and says so.
    void edited();

    QTextDocument *m_doc;
    LineEnds m_ends;
    int m_softLimit;
    Encoding m_encoding = Encoding::Windows1252;
    bool m_mayHoldLookalikes = false;
    bool m_changed = false;
    QString m_filePath;
    int m_endCount = 0;
    int m_groupLines;
    int m_groupFrom;
    bool m_grouping = false;
    // U+2028 line ends per paragraph while the text is grouped, and their running sums.
    std::vector<int> m_grouped;
    int m_groupedEnds = 0;
    mutable std::vector<int> m_groupedSums;
    mutable bool m_sumsStale = true;
    bool m_applying = false;
    bool m_batch = false;
    UndoHistory m_history;
};

} // namespace vornel
