#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace vornel {

// The status bar (Picture1) under the document area: the hint line StatusArea, then the
// key-lock panels txtNumLock, txtCapsLock, txtScrLock, txtInsert and txtNothing, laid out in
// twips from the main window's width. The lock panels follow the keyboard four times a second.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(QWidget *parent);

    void setText(const QString &text);
    QString text() const;
    // The last panel: the active document's encoding where it is not the usual one.
    void setEncodingText(const QString &text);
    // Paints the hint line now, for work that lets no events run.
    void repaintText();
    // Places the panels for a main window windowWidth pixels wide.
    void layoutFor(int windowWidth);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void pollKeyLocks();

    QLabel *m_area;
    QLabel *m_numLock;
    QLabel *m_capsLock;
    QLabel *m_scrLock;
    QLabel *m_insert;
    QLabel *m_nothing;
    QTimer *m_keyTimer;
};

} // namespace vornel
