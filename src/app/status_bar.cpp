#include "app/status_bar.h"

#include "platform/platform.h"
#include "platform/twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace vornel {

namespace {

QLabel *newLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
    , m_area(newLabel(this, "StatusArea"))
    , m_numLock(newLabel(this, "txtNumLock"))
    , m_capsLock(newLabel(this, "txtCapsLock"))
    , m_scrLock(newLabel(this, "txtScrLock"))
    , m_insert(newLabel(this, "txtInsert"))
    , m_nothing(newLabel(this, "txtNothing"))
    , m_keyTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("Picture1"));
    setFixedHeight(twipsToPixelsY(360));
    for (QLabel *l : {m_numLock, m_capsLock, m_scrLock, m_insert, m_nothing}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
    }
    // Pointing at the hint line or clicking the status bar clears the hint.
    m_area->setMouseTracking(true);
    m_area->installEventFilter(this);

    m_keyTimer->setObjectName(QStringLiteral("timerKeys"));
    connect(m_keyTimer, &QTimer::timeout, this, &StatusBar::pollKeyLocks);
    m_keyTimer->start(250);
    pollKeyLocks();
}

void StatusBar::setText(const QString &text)
{
    m_area->setText(text);
}

QString StatusBar::text() const
{
    return m_area->text();
}

void StatusBar::setEncodingText(const QString &text)
{
    // The panel is as narrow as the lock panels: a word that does not fit gets a smaller font.
    QFont font = m_numLock->font();
    const int room = m_nothing->contentsRect().width() - 2;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    m_nothing->setFont(font);
    m_nothing->setText(text);
}

void StatusBar::repaintText()
{
    m_area->repaint();
}

void StatusBar::layoutFor(int windowWidth)
{
    const int widthTwips = pixelsToTwipsX(windowWidth);
    const int labelTop = twipsToPixelsY(30);
    const int labelWidth = twipsToPixelsX(495);
    const int labelHeight = twipsToPixelsY(255);
    const int areaWidthTwips = widthTwips - 3240;
    m_area->setGeometry(0, 0, std::max(twipsToPixelsX(areaWidthTwips), 0), height());
    int left = areaWidthTwips + 120;
    for (QLabel *l : {m_numLock, m_capsLock, m_scrLock, m_insert, m_nothing}) {
        l->setGeometry(twipsToPixelsX(left), labelTop, labelWidth, labelHeight);
        left += 600;
    }
}

void StatusBar::pollKeyLocks()
{
    const KeyLockState state = platform().keyLockState();
    if (!state.known)
        return;
    m_capsLock->setText(state.capsLock ? QStringLiteral("CAPS") : QString());
    m_numLock->setText(state.numLock ? QStringLiteral("NUM") : QString());
    m_scrLock->setText(state.scrollLock ? QStringLiteral("SCRL") : QString());
}

bool StatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && event->type() == QEvent::MouseMove)
        setText(QString());
    return QWidget::eventFilter(watched, event);
}

void StatusBar::mousePressEvent(QMouseEvent *event)
{
    setText(QString());
    QWidget::mousePressEvent(event);
}

} // namespace vornel
