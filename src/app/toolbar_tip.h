#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QTimer;
class QWidget;

namespace vornel {

// One toolbar's own tool tip: a one-line box (txtMainToolTip or txtAuxToolTip) and the timer
// that shows it (Timer1 or Timer2). Moving over a button arms the timer with the button's tip
// as the pending text; a tick shows the pending text, or hides the box when nothing moved
// since the last tick. The first tip of a run therefore waits a second, the next ones come at
// once, and a tip goes away a second after the pointer stops moving over buttons.
class ToolbarTip : public QObject {
    Q_OBJECT

public:
    static constexpr int kFirstTipMs = 1000;
    static constexpr int kNextTipMs = 1;

    // The box is a child of the main window and stands just below toolbar, in its font.
    ToolbarTip(const QString &boxName, const QString &timerName, QWidget &toolbar, QWidget &mainWindow);

    QLabel *box() const { return m_box; }
    QTimer *timer() const { return m_timer; }
    QString pending() const { return m_pending; }
    // Where the box is to appear: the horizontal centre of the button, in the main window.
    int anchor() const { return m_anchor; }

    // The pointer moved over a button whose centre stands at x.
    void arm(const QString &tip, int x);
    void tick();
    // Box hidden and emptied, nothing pending, timer stopped.
    void hide();

    // The box's width for a text: the text in the toolbar's font and the box's frame.
    int boxWidth(const QString &text) const;

Q_SIGNALS:
    // The box took a new text: the other toolbar's tip goes.
    void textChanged();

private:
    QWidget &m_toolbar;
    QWidget &m_main;
    QLabel *m_box;
    QTimer *m_timer;
    QString m_pending;
    int m_anchor = 0;
};

} // namespace vornel
