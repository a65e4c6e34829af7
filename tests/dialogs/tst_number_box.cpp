#include "dialogs/number_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QtTest>

using namespace vornel;

class TestNumberBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<int>("backspaces");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 becomes 1") << "20" << true << 0 << "0" << "1";
        QTest::newRow("letters become 1") << "20" << true << 0 << "x" << "1";
        QTest::newRow("empty becomes 1") << "20" << true << 1 << "" << "1";
        QTest::newRow("the new 1 is replaced by the next digit") << "20" << false << 2 << "35" << "35";
        QTest::newRow("negative kept") << "20" << true << 0 << "-3" << "-3";
        QTest::newRow("above the range kept") << "20" << true << 0 << "75" << "75";
        QTest::newRow("digits before letters kept") << "20" << true << 0 << "12abc" << "12abc";
        QTest::newRow("a hundred digits kept") << "20" << true << 0 << QString(100, u'7') << QString(100, u'7');
        QTest::newRow("0 after a digit") << "2" << false << 0 << "0" << "20";
    }
    void typing()
    {
        QFETCH(QString, start);
        QFETCH(bool, selectAll);
        QFETCH(int, backspaces);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        NumberBox box(49, start);
        box.editor()->end(false);
        if (selectAll)
            box.editor()->selectAll();
        for (int i = 0; i < backspaces; ++i)
            QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), text);
    }

    void turningInto1SelectsIt()
    {
        NumberBox box(49, QStringLiteral("20"));
        QSignalSpy changes(&box, &NumberBox::textChanged);
        box.editor()->selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.text(), QStringLiteral("1"));
        QCOMPARE(box.editor()->selectedText(), QStringLiteral("1"));
        // The empty text on its way to "1" is not told.
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toString(), QStringLiteral("1"));
        box.setText(QStringLiteral("0"));
        QCOMPARE(box.text(), QStringLiteral("1"));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("up") << "20" << 49 << int(Qt::Key_Up) << "21";
        QTest::newRow("up from the top wraps") << "49" << 49 << int(Qt::Key_Up) << "1";
        QTest::newRow("down from 1 wraps to 120") << "1" << 120 << int(Qt::Key_Down) << "120";
        QTest::newRow("down from a negative wraps") << "-3" << 49 << int(Qt::Key_Down) << "49";
        QTest::newRow("up from -1 reaches 0, which is 1") << "-1" << 49 << int(Qt::Key_Up) << "1";
        QTest::newRow("up from a hundred digits wraps") << QString(100, u'9') << 49 << int(Qt::Key_Up) << "1";
        QTest::newRow("a page is one step") << "20" << 49 << int(Qt::Key_PageUp) << "21";
    }
    void keys()
    {
        QFETCH(QString, start);
        QFETCH(int, top);
        QFETCH(int, key);
        QFETCH(QString, text);
        NumberBox box(top, start);
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.text(), text);
    }

    void arrowsTakeClicks()
    {
        NumberBox box(49, QStringLiteral("49"));
        box.resize(120, box.sizeHint().height());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QStyleOptionSpinBox option;
        option.initFrom(&box);
        option.subControls = QStyle::SC_All;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        const auto centreOf = [&](QStyle::SubControl arrow) {
            return box.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &box).center();
        };
        QTest::mouseClick(&box, Qt::LeftButton, {}, centreOf(QStyle::SC_SpinBoxUp));
        QCOMPARE(box.text(), QStringLiteral("1"));
        QTest::mouseClick(&box, Qt::LeftButton, {}, centreOf(QStyle::SC_SpinBoxDown));
        QCOMPARE(box.text(), QStringLiteral("49"));
    }

    void entering_data()
    {
        QTest::addColumn<bool>("selects");
        QTest::addColumn<int>("reason");
        QTest::newRow("selects, tab") << true << int(Qt::TabFocusReason);
        QTest::newRow("selects, mouse") << true << int(Qt::MouseFocusReason);
        QTest::newRow("keeps the caret, tab") << false << int(Qt::TabFocusReason);
        QTest::newRow("keeps the caret, mouse") << false << int(Qt::MouseFocusReason);
    }
    void entering()
    {
        QFETCH(bool, selects);
        QFETCH(int, reason);
        NumberBox box(49, QStringLiteral("20"));
        box.setSelectsOnEntry(selects);
        box.editor()->setCursorPosition(1);
        QFocusEvent in(QEvent::FocusIn, Qt::FocusReason(reason));
        QApplication::sendEvent(&box, &in);
        QCoreApplication::processEvents();
        QCOMPARE(box.editor()->selectedText(), selects ? QStringLiteral("20") : QString());
        if (!selects)
            QCOMPARE(box.editor()->cursorPosition(), 1);
    }
};

QTEST_MAIN(TestNumberBox)
#include "tst_number_box.moc"
