#include "dialogs/number_box.h"

#include "dialogs/form_markup.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace vornel {

NumberBox::NumberBox(int top, const QString &text, QWidget *parent)
    : QAbstractSpinBox(parent)
    , m_top(top)
{
    // The arrows wrap around, so both always work.
    setWrapping(true);
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &changed) {
        keepNonZero();
        // Only the final text is told, not a 0 on its way to "1".
        if (lineEdit()->text() == changed)
            Q_EMIT textChanged(changed);
    });
    setText(text);
}

void NumberBox::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void NumberBox::stepBy(int steps)
{
    // A page or wheel step counts as one click of the arrow.
    if (steps > 0)
        setText(vornel::stepUp(text(), m_top));
    else if (steps < 0)
        setText(vornel::stepDown(text(), m_top));
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void NumberBox::focusInEvent(QFocusEvent *event)
{
    if (m_selectsOnEntry) {
        QAbstractSpinBox::focusInEvent(event);
        // Selected once the click that brought the focus has placed the cursor.
        QTimer::singleShot(0, lineEdit(), &QLineEdit::selectAll);
        return;
    }
    // The spin box and its line edit select everything when tabbed into; this box keeps the
    // caret where it is.
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(lineEdit(), &plain);
    QWidget::focusInEvent(event);
}

void NumberBox::keepNonZero()
{
    if (!readsAsZero(text()))
        return;
    lineEdit()->setText(QStringLiteral("1"));
    lineEdit()->selectAll();
}

} // namespace vornel
