#pragma once

#include <QObject>

namespace vornel {

// Gives the keyboard to each main window and dialog as it opens, and back to the window below
// when a dialog closes. A window manager does this by itself; without one (a bare X display)
// nothing would hold the keyboard, and neither typing nor the menus' Alt keys would reach the
// program. Tool windows and windows shown without activating are left alone.
class WindowFocus : public QObject {
public:
    explicit WindowFocus(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace vornel
