#pragma once

#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace vornel {

class StatusHints;
class Workspace;

// Where the extended-characters toolbox opens (left, top in twips): set at start-up, then to
// where the toolbox stood each time it closed, for the rest of the run.
QPoint &toolboxPosition();

// The toolbox's place at start-up, from the main window's geometry in twips: its left edge
// 3400 twips short of the main window's right edge, 400 twips from the top of the screen.
// Computed in full-width integers: a main window wider than a 16-bit count of twips (about
// 2,200 pixels) still gives its true right edge.
QPoint toolboxStartPosition(const QRect &mainTwips);

// The top-left corner that brings window (pixels) inside area, moving it no further than
// needed; a window larger than the area keeps its top-left corner inside.
QPoint keptOnScreen(const QRect &window, const QRect &area);

// The extended-characters toolbox (Extended): a small tool window, not modal, above the
// other windows, with one button per accented Latin-1 letter. A click writes the letter, or
// its entity reference, in front of the active document's selection. It never takes the
// keyboard focus, so the caret stays where it was in the document.
//
// The mode is the text of the note ActionNote and is read back from it. Opening marks the
// toolbox shown (ExtShow) and takes the mode from EInsHTML; closing records the mode in
// EInsHTML, clears ExtShow and remembers the position for this run.
class ExtendedCharactersToolbox : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 8;
    static inline const QString kCaption = QStringLiteral("Extended Characters");
    static inline const QString kCharactersNote = QStringLiteral("Buttons will insert characters into active document");
    static inline const QString kHtmlNote = QStringLiteral("Buttons will insert HTML codes into active document");

    // Placed at toolboxPosition(), kept on the screen; shown by the caller.
    explicit ExtendedCharactersToolbox(Workspace &workspace);

    // The button for an offered code, or nullptr.
    QToolButton *characterButton(int code) const;
    QList<QToolButton *> characterButtons() const { return m_buttons; }
    QLabel *actionNote() const { return m_note; }
    QLabel *preview() const { return m_preview; }
    QPushButton *charactersButton() const { return m_characters; }
    QPushButton *htmlButton() const { return m_html; }
    QPushButton *quitButton() const { return m_quit; }

    // The code of the last clicked character button, 0 before the first click.
    int lastClicked() const { return m_lastClicked; }
    // Whether the button of code is drawn as the last clicked one.
    bool isHighlighted(int code) const;
    // Characters mode: the note says "character".
    bool insertsCharacters() const;

Q_SIGNALS:
    // Closed, by "Quit" or otherwise; the mode and the position are recorded by then.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createCharacterButtons();
    void setHtmlMode(bool html);
    void characterClicked(int code);
    void setHighlighted(int code, bool highlighted);
    // The character buttons' hint, which names the active document.
    QString characterHint() const;
    void placeOnScreen();

    Workspace &m_workspace;
    QToolButton *m_template = nullptr;
    QList<QToolButton *> m_buttons;
    QHash<const QObject *, int> m_codes;
    QLabel *m_note = nullptr;
    QLabel *m_preview = nullptr;
    QPushButton *m_characters = nullptr;
    QPushButton *m_html = nullptr;
    QPushButton *m_quit = nullptr;
    StatusHints *m_hints = nullptr;
    int m_lastClicked = 0;
};

} // namespace vornel
