#include "app/main_window.h"
#include "dialogs/date_time_dialog.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/hover.h"

#include <QApplication>
#include <QCheckBox>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

using namespace vornel;

namespace {

const QDateTime afternoon(QDate(2026, 12, 9), QTime(15, 4, 5));
const QDateTime nextMorning(QDate(2027, 1, 10), QTime(9, 5, 6));

} // namespace

class TestDateTimeDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    QDateTime m_now;
    int m_dialogsShown = 0;

    TextArea *textArea(const QString &marked)
    {
        TextArea *area = m_app->newDocument()->textArea();
        setMarked(*area, parseMarked(marked));
        return area;
    }

    // A dialog on the test's clock, in the C locale, shown.
    std::unique_ptr<DateTimeDialog> dialogFor(TextArea *area)
    {
        auto dialog = std::make_unique<DateTimeDialog>(area, *m_app->main(), [this] { return m_now; });
        dialog->setLocale(QLocale::c());
        dialog->show();
        return dialog;
    }

private Q_SLOTS:
    void init()
    {
        m_now = afternoon;
        m_dialogsShown = 0;
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->showMain());
    }

    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
    }

    void layout()
    {
        const auto dialog = dialogFor(nullptr);
        QCOMPARE(dialog->objectName(), QStringLiteral("frmTimeFormat"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Time/Date Format"));
        const QStringList captions = {"Date and Time", "Long Date", "Medium Date", "Short Date",
                                      "Long Time", "Medium Time", "Short Time"};
        for (int i = 0; i < DateTimeDialog::kFormatCount; ++i) {
            QRadioButton *option = dialog->formatOption(i);
            QCOMPARE(option->objectName(), QStringLiteral("FormatOption(%1)").arg(i));
            QCOMPARE(option->text(), captions[i]);
            QVERIFY(!option->isChecked());
        }
        QCOMPARE(dialog->formatOption(-1), nullptr);
        QCOMPARE(dialog->formatOption(7), nullptr);
        QCOMPARE(dialog->chkComment()->objectName(), QStringLiteral("chkComment"));
        QCOMPARE(dialog->chkComment()->text(), QStringLiteral("Format as a Comment"));
        QVERIFY(!dialog->chkComment()->isChecked());
        QCOMPARE(dialog->chkLastUp()->objectName(), QStringLiteral("chkLastUp"));
        QCOMPARE(dialog->chkLastUp()->text(), QStringLiteral("Include \"Last Updated\" Text"));
        QVERIFY(!dialog->chkLastUp()->isChecked());
        QCOMPARE(dialog->okButton()->text(), QStringLiteral("OK"));
        QVERIFY(dialog->okButton()->isDefault());
        QVERIFY(!dialog->okButton()->isEnabled());
        QCOMPARE(dialog->cancelButton()->text(), QStringLiteral("Cancel"));
    }

    void formatsStandInOneColumn()
    {
        const auto dialog = dialogFor(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QList<QRadioButton *> options = dialog->findChildren<QRadioButton *>();
        std::sort(options.begin(), options.end(),
                  [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); });
        QStringList names;
        for (const QRadioButton *option : options) {
            names << option->objectName();
            QCOMPARE(option->x(), options.first()->x());
        }
        QCOMPARE(names, (QStringList{"FormatOption(1)", "FormatOption(2)", "FormatOption(3)", "FormatOption(0)",
                                     "FormatOption(4)", "FormatOption(5)", "FormatOption(6)"}));
    }

    void centredOnTheScreen()
    {
        const auto dialog = dialogFor(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->geometry().center(), dialog->screen()->geometry().center());
    }

    void choosingAFormatEnablesOk_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < DateTimeDialog::kFormatCount; ++i)
            QTest::addRow("%d", i) << i;
    }
    void choosingAFormatEnablesOk()
    {
        QFETCH(int, index);
        const auto dialog = dialogFor(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QRadioButton *option = dialog->formatOption(index);
        // On the round mark: the button is wider than its caption.
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QVERIFY(option->isChecked());
        QVERIFY(dialog->okButton()->isEnabled());
    }

    void okWritesTheStamp_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("comment");
        QTest::addColumn<bool>("lastUpdated");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("plain") << 6 << false << false << "ab[cd]ef" << "ab15:04|ef";
        QTest::newRow("plain, last updated") << 6 << false << true << "ab[cd]ef" << "abLast Updated 15:04|ef";
        QTest::newRow("plain general date") << 0 << false << false << "|" << "2026-12-09 15:04:05|";
        QTest::newRow("comment") << 6 << true << false << "ab|" << "ab~<!-- 15:04 -->|";
        QTest::newRow("comment, last updated") << 3 << true << true << "x~|" << "x~<!-- Last Updated 2026-12-09 -->|";
        QTest::newRow("comment, selection behind it") << 5 << true << false << "[cd]" << "<!-- 03:04 PM -->cd|";
    }
    void okWritesTheStamp()
    {
        QFETCH(int, index);
        QFETCH(bool, comment);
        QFETCH(bool, lastUpdated);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TextArea *area = textArea(before);
        const auto dialog = dialogFor(area);
        dialog->formatOption(index)->click();
        dialog->chkComment()->setChecked(comment);
        dialog->chkLastUp()->setChecked(lastUpdated);
        dialog->okButton()->click();
        QCOMPARE(markedText(*area), after);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
    }

    void theStampIsTheTimeOfOk()
    {
        TextArea *area = textArea(QStringLiteral("|"));
        const auto dialog = dialogFor(area);
        dialog->formatOption(4)->click();
        m_now = nextMorning;
        dialog->okButton()->click();
        QCOMPARE(markedText(*area), QStringLiteral("09:05:06|"));
    }

    void theStampFollowsTheDialogsLocale()
    {
        TextArea *area = textArea(QStringLiteral("|"));
        const auto dialog = dialogFor(area);
        dialog->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        dialog->formatOption(0)->click();
        dialog->okButton()->click();
        QCOMPARE(markedText(*area), QStringLiteral("12/9/26 3:04:05 PM|"));
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelWritesNothing()
    {
        QFETCH(bool, escape);
        TextArea *area = textArea(QStringLiteral("ab[cd]ef"));
        const auto dialog = dialogFor(area);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->formatOption(6)->click();
        dialog->chkComment()->setChecked(true);
        dialog->chkLastUp()->setChecked(true);
        if (escape)
            QTest::keyClick(dialog->formatOption(6), Qt::Key_Escape);
        else
            dialog->cancelButton()->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(markedText(*area), QStringLiteral("ab[cd]ef"));
    }

    void previewFollowsTheClock_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("later");
        QTest::newRow("Date and Time") << 0 << "2026-12-09 15:04:05" << "2027-01-10 09:05:06";
        QTest::newRow("Long Date") << 1 << "Wednesday, 9 December 2026" << "Sunday, 10 January 2027";
        QTest::newRow("Medium Date") << 2 << "09-Dec-26" << "10-Jan-27";
        QTest::newRow("Short Date") << 3 << "2026-12-09" << "2027-01-10";
        QTest::newRow("Long Time") << 4 << "15:04:05" << "09:05:06";
        QTest::newRow("Medium Time") << 5 << "03:04 PM" << "09:05 AM";
        QTest::newRow("Short Time") << 6 << "15:04" << "09:05";
    }
    void previewFollowsTheClock()
    {
        QFETCH(int, index);
        QFETCH(QString, first);
        QFETCH(QString, later);
        const auto dialog = dialogFor(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        m_app->main()->setStatusText(QString());
        hover(dialog->formatOption(index));
        QCOMPARE(m_app->main()->statusText(), first);
        m_now = nextMorning;
        hover(dialog->formatOption(index), QPoint(3, 3));
        QCOMPARE(m_app->main()->statusText(), later);
    }

    void fixedHints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("comment") << "chkComment" << "Time/date information comment, not visible to browsers";
        QTest::newRow("last updated") << "chkLastUp"
                                      << "Time/date represents last update time for this document";
        QTest::newRow("OK") << "cmdOK" << "Close this window and insert specified time/date information";
        QTest::newRow("Cancel") << "cmdCancel" << "Close this window without inserting time/date information";
        QTest::newRow("background") << QString() << "Select Time/Date Format";
    }
    void fixedHints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        const auto dialog = dialogFor(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        m_app->main()->setStatusText(QString());
        if (control.isEmpty()) {
            hover(dialog.get(), QPoint(2, 2));
        } else {
            auto *widget = dialog->findChild<QWidget *>(control);
            QVERIFY(widget);
            hover(widget);
        }
        QCOMPARE(m_app->main()->statusText(), hint);
    }

    void commandShowsTheDialogForTheArea()
    {
        TextArea *area = textArea(QStringLiteral("Page|"));
        setModalDialogRunner([this](QDialog &shown) {
            ++m_dialogsShown;
            auto *dialog = qobject_cast<DateTimeDialog *>(&shown);
            if (!dialog)
                return int(QDialog::Rejected);
            // Each use starts afresh.
            if (dialog->chkComment()->isChecked() || dialog->chkLastUp()->isChecked())
                return int(QDialog::Rejected);
            dialog->setClock([this] { return m_now; });
            dialog->setLocale(QLocale::c());
            dialog->show();
            dialog->formatOption(6)->click();
            dialog->chkComment()->setChecked(true);
            dialog->chkLastUp()->setChecked(true);
            dialog->okButton()->click();
            return dialog->result();
        });
        dateTimeCommand(*m_app->main(), *area);
        m_now = nextMorning;
        dateTimeCommand(*m_app->main(), *area);
        QCOMPARE(m_dialogsShown, 2);
        QCOMPARE(markedText(*area),
                 QStringLiteral("Page~<!-- Last Updated 15:04 -->~<!-- Last Updated 09:05 -->|"));
    }
};

QTEST_MAIN(TestDateTimeDialog)
#include "tst_date_time_dialog.moc"
