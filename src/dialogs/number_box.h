#pragma once

#include <QAbstractSpinBox>

namespace vornel {

// A number box of the form field dialogs: a text box with up and down arrows over the range
// 1..top. It holds whatever is typed, except that a text reading as 0 (0, empty, letters)
// turns into "1" at once, selected so that the next digit replaces it. The arrows, and the Up
// and Down keys, step by one and wrap around at the ends of the range (stepUp, stepDown).
class NumberBox : public QAbstractSpinBox {
    Q_OBJECT

public:
    NumberBox(int top, const QString &text, QWidget *parent = nullptr);

    int top() const { return m_top; }
    void setText(const QString &text);
    QLineEdit *editor() const { return lineEdit(); }

    // Whether entering the box selects its whole text (it does unless told otherwise).
    void setSelectsOnEntry(bool selects) { m_selectsOnEntry = selects; }

    void stepBy(int steps) override;

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void keepNonZero();

    int m_top;
    bool m_selectsOnEntry = true;
};

} // namespace vornel
