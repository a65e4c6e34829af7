#include "app/toolbar_tip.h"

#include "platform/twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace vornel {

namespace {

constexpr int kFrame = 1;
constexpr int kMargin = 2;

} // namespace

ToolbarTip::ToolbarTip(const QString &boxName, const QString &timerName, QWidget &toolbar, QWidget &mainWindow)
    : QObject(&mainWindow)
    , m_toolbar(toolbar)
    , m_main(mainWindow)
    , m_box(new QLabel(&mainWindow))
    , m_timer(new QTimer(this))
{
    m_box->setObjectName(boxName);
    m_box->setFont(toolbar.font());
    m_box->setAutoFillBackground(true);
    m_box->setBackgroundRole(QPalette::ToolTipBase);
    m_box->setForegroundRole(QPalette::ToolTipText);
    m_box->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_box->setLineWidth(kFrame);
    m_box->setMargin(kMargin - kFrame);
    m_box->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_box->hide();
    m_timer->setObjectName(timerName);
    m_timer->setInterval(kFirstTipMs);
    connect(m_timer, &QTimer::timeout, this, &ToolbarTip::tick);
}

int ToolbarTip::boxWidth(const QString &text) const
{
    return QFontMetrics(m_box->font()).horizontalAdvance(text) + 2 * kMargin;
}

void ToolbarTip::arm(const QString &tip, int x)
{
    m_pending = tip;
    m_anchor = x;
    if (!m_timer->isActive())
        m_timer->start();
}

void ToolbarTip::tick()
{
    if (m_pending.isEmpty()) {
        m_box->hide();
        m_timer->setInterval(kNextTipMs);
        m_timer->stop();
        return;
    }
    if (m_pending != m_box->text()) {
        m_timer->setInterval(kFirstTipMs);
        m_box->setText(m_pending);
        Q_EMIT textChanged();
        const int width = boxWidth(m_pending);
        int left = m_anchor;
        // Pulled left so that it ends at the main window's right edge.
        if (left + width > m_main.width())
            left = m_main.width() - width;
        const int top = m_toolbar.mapTo(&m_main, QPoint(0, m_toolbar.height())).y();
        m_box->setGeometry(left, top, width, twipsToPixelsY(280));
    }
    m_box->show();
    m_box->raise();
    m_pending.clear();
}

void ToolbarTip::hide()
{
    m_pending.clear();
    m_timer->stop();
    m_box->hide();
    m_box->clear();
}

} // namespace vornel
