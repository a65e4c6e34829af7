#include "app/window_focus.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace vornel {

namespace {

bool takesTheKeyboard(const QWidget &widget)
{
    if (!widget.isWindow() || widget.testAttribute(Qt::WA_ShowWithoutActivating))
        return false;
    const Qt::WindowType type = widget.windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

// Activates the window once pending events are handled, unless something else (a window
// manager, the user) has given the keyboard to a window of the program by then.
void activateLater(QWidget *window)
{
    QTimer::singleShot(0, window, [window = QPointer<QWidget>(window)] {
        if (window && window->isVisible() && !QApplication::activeWindow())
            window->activateWindow();
    });
}

QWidget *windowBelow(const QWidget &closing)
{
    if (QWidget *parent = closing.parentWidget(); parent && parent->window()->isVisible())
        return parent->window();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top != &closing && top->isVisible() && qobject_cast<QMainWindow *>(top))
            return top;
    }
    return nullptr;
}

} // namespace

WindowFocus::WindowFocus(QObject *parent)
    : QObject(parent)
{
}

bool WindowFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !takesTheKeyboard(*widget))
        return false;
    if (event->type() == QEvent::Show) {
        // A new window is not active yet, whatever held the keyboard before it.
        QTimer::singleShot(0, widget, [widget = QPointer<QWidget>(widget)] {
            if (widget && widget->isVisible() && !widget->isActiveWindow())
                widget->activateWindow();
        });
    } else if (QWidget *below = windowBelow(*widget)) {
        activateLater(below);
    }
    return false;
}

} // namespace vornel
