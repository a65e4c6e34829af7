#pragma once

#include <QWidget>

class QLabel;

namespace vornel {

// The splash window (Welcome) shown while the program starts: frameless, not modal, centred on the
// screen; it closes (and deletes) itself a fixed time after it was shown, or as soon as a dialog
// opens, which it would otherwise cover (and take the clicks meant for its buttons).
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDefaultLifetimeMs = 3000;

    explicit SplashWindow(int lifetimeMs = kDefaultLifetimeMs);

    QLabel *versionLabel() const { return m_version; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_version;
    int m_lifetimeMs;
    bool m_timerStarted = false;
};

} // namespace vornel
