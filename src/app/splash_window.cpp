#include "app/splash_window.h"

#include "platform/version.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vornel {

SplashWindow::SplashWindow(int lifetimeMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_version(new QLabel(versionText(), this))
    , m_lifetimeMs(lifetimeMs)
{
    setObjectName(QStringLiteral("Welcome"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kProductName);

    auto *product = new QLabel(kProductName, this);
    product->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.6);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);

    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_version->setAlignment(Qt::AlignCenter);

    auto *maker = new QLabel(tr("Teslund Applications"), this);
    maker->setObjectName(QStringLiteral("lblMaker"));
    maker->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 28);
    layout->setSpacing(10);
    layout->addWidget(product);
    layout->addWidget(m_version);
    layout->addSpacing(12);
    layout->addWidget(maker);
    resize(sizeHint().expandedTo(QSize(460, 200)));

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched != this && isVisible()) {
        const auto *window = qobject_cast<QWidget *>(watched);
        if (window && window->isWindow() && (window->isModal() || window->windowType() == Qt::Dialog))
            close();
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Counted from the moment it opens, and only once: hiding and showing does not restart it.
    if (!m_timerStarted) {
        m_timerStarted = true;
        QTimer::singleShot(m_lifetimeMs, this, &QWidget::close);
    }
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    // Without a window frame, a border of its own sets it off from what lies behind.
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(QPen(palette().color(QPalette::Dark), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

} // namespace vornel
