#include "dialogs/history_combo_box.h"
#include "support/test_files.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QByteArray kHistory = "a.gif\r\nb.gif\r\nc.gif\r\n";

QStringList entries(const QComboBox &combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

} // namespace

class TestHistoryComboBox : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HistoryComboBox> m_combo;
    QString path() const { return m_dir->filePath(QStringLiteral("gif-list.qvl")); }

    void pick(int index)
    {
        for (int i = m_combo->currentIndex(); i < index; ++i)
            QTest::keyClick(m_combo.get(), Qt::Key_Down);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(writeFile(path(), kHistory));
        m_combo = std::make_unique<HistoryComboBox>();
        m_combo->loadHistory(path());
    }
    void cleanup()
    {
        m_combo.reset();
        m_dir.reset();
    }

    void opensWithAnEmptyFieldAndNothingPicked()
    {
        QCOMPARE(m_combo->objectName(), QStringLiteral("LIBListBox"));
        QCOMPARE(entries(*m_combo), (QStringList{"a.gif", "b.gif", "c.gif"}));
        QCOMPARE(m_combo->currentText(), QString());
        QCOMPARE(m_combo->pickedIndex(), -1);
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), kHistory);
    }

    void typedTextEqualToAnEntryIsStillTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Enter") << "b.gif" << true;
        QTest::newRow("leaving the field") << "b.gif" << false;
        QTest::newRow("start of an entry, Enter") << "b" << true;
    }
    void typedTextEqualToAnEntryIsStillTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        // Typed into the focused field, where completion would act.
        m_combo->show();
        m_combo->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_combo.get()));
        m_combo->setFocus();
        QTest::keyClicks(m_combo.get(), typed);
        if (byEnter) {
            QTest::keyClick(m_combo->lineEdit(), Qt::Key_Return);
        } else {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(m_combo->lineEdit(), &out);
        }
        QCOMPARE(m_combo->pickedIndex(), -1);
        QCOMPARE(m_combo->count(), 3);
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), kHistory + typed.toLatin1() + "\r\n");
    }

    void pickedEntryIsNotAddedAgain_data()
    {
        QTest::addColumn<bool>("fromPopup");
        QTest::newRow("arrow keys") << false;
        QTest::newRow("popup") << true;
    }
    void pickedEntryIsNotAddedAgain()
    {
        QFETCH(bool, fromPopup);
        if (fromPopup) {
            m_combo->show();
            m_combo->showPopup();
            m_combo->view()->setCurrentIndex(m_combo->model()->index(1, 0));
            QTest::keyClick(m_combo->view(), Qt::Key_Return);
        } else {
            pick(1);
        }
        QCOMPARE(m_combo->pickedIndex(), 1);
        QCOMPARE(m_combo->currentText(), QStringLiteral("b.gif"));
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), kHistory);
    }

    void editedOrBrowsedTextIsTyped()
    {
        pick(0);
        QTest::keyClicks(m_combo->lineEdit(), QStringLiteral("x"));
        QCOMPARE(m_combo->pickedIndex(), -1);
        pick(2);
        m_combo->enterText(QStringLiteral("images/c.gif"));
        QCOMPARE(m_combo->pickedIndex(), -1);
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), kHistory + "images/c.gif\r\n");
    }

    void removingThePickRewritesTheList()
    {
        pick(1);
        m_combo->removePicked();
        QCOMPARE(entries(*m_combo), (QStringList{"a.gif", "c.gif"}));
        QCOMPARE(m_combo->currentText(), QString());
        QCOMPARE(m_combo->pickedIndex(), -1);
        QVERIFY(m_combo->savesAll());
        // A text typed after a removal is not added.
        QTest::keyClicks(m_combo->lineEdit(), QStringLiteral("new.gif"));
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), QByteArray("a.gif\r\nc.gif\r\n"));
    }

    void removingWithNothingPickedOnlyMarksTheList()
    {
        QTest::keyClicks(m_combo->lineEdit(), QStringLiteral("typed"));
        m_combo->removePicked();
        QCOMPARE(m_combo->count(), 3);
        QCOMPARE(m_combo->currentText(), QStringLiteral("typed"));
        QVERIFY(m_combo->savesAll());
        QVERIFY(QFile::remove(path()));
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), kHistory);
    }

    void rewriteKeepsTheEntriesNotShown()
    {
        m_combo->loadHistory(path(), HistoryLimits{2, 1024});
        QCOMPARE(entries(*m_combo), (QStringList{"a.gif", "b.gif"}));
        pick(0);
        m_combo->removePicked();
        m_combo->saveHistory();
        QCOMPARE(readFile(path()), QByteArray("b.gif\r\nc.gif\r\n"));
    }
};

QTEST_MAIN(TestHistoryComboBox)
#include "tst_history_combo_box.moc"
