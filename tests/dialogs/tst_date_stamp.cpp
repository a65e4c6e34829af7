#include "dialogs/date_stamp.h"

#include <QLocale>
#include <QtTest>

using namespace vornel;

namespace {

const QLocale unitedStates(QLocale::English, QLocale::UnitedStates);

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, 9), QTime(hour, minute, second));
}

} // namespace

class TestDateStamp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formats_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("index");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("stamp");
        const QLocale c = QLocale::c();
        QTest::newRow("C general") << c << 0 << at(15, 4, 5) << "2026-12-09 15:04:05";
        QTest::newRow("C general at midnight") << c << 0 << at(0, 0) << "2026-12-09";
        QTest::newRow("C general a second past midnight") << c << 0 << at(0, 0, 1) << "2026-12-09 00:00:01";
        QTest::newRow("C long date") << c << 1 << at(15, 4, 5) << "Wednesday, 9 December 2026";
        QTest::newRow("C medium date") << c << 2 << at(15, 4, 5) << "09-Dec-26";
        QTest::newRow("C short date") << c << 3 << at(15, 4, 5) << "2026-12-09";
        QTest::newRow("C long time") << c << 4 << at(15, 4, 5) << "15:04:05";
        QTest::newRow("C medium time") << c << 5 << at(15, 4, 5) << "03:04 PM";
        QTest::newRow("C medium time after midnight") << c << 5 << at(0, 7) << "12:07 AM";
        QTest::newRow("C medium time after noon") << c << 5 << at(12, 30) << "12:30 PM";
        QTest::newRow("C medium time before noon") << c << 5 << at(11, 59) << "11:59 AM";
        QTest::newRow("C short time") << c << 6 << at(15, 4, 5) << "15:04";
        QTest::newRow("C short time in the morning") << c << 6 << at(9, 5, 59) << "09:05";
        const QLocale us = unitedStates;
        QTest::newRow("US general") << us << 0 << at(15, 4, 5) << "12/9/26 3:04:05 PM";
        QTest::newRow("US general at midnight") << us << 0 << at(0, 0) << "12/9/26";
        QTest::newRow("US long date") << us << 1 << at(15, 4, 5) << "Wednesday, December 9, 2026";
        QTest::newRow("US medium date") << us << 2 << at(15, 4, 5) << "09-Dec-26";
        QTest::newRow("US short date") << us << 3 << at(15, 4, 5) << "12/9/26";
        QTest::newRow("US long time") << us << 4 << at(15, 4, 5) << "3:04:05 PM";
        QTest::newRow("US long time after midnight") << us << 4 << at(0, 4, 5) << "12:04:05 AM";
        QTest::newRow("US medium time") << us << 5 << at(15, 4, 5) << "03:04 PM";
        QTest::newRow("US medium time after midnight") << us << 5 << at(0, 59) << "12:59 AM";
        QTest::newRow("US medium time after noon") << us << 5 << at(12, 1) << "12:01 PM";
        QTest::newRow("US short time") << us << 6 << at(15, 4, 5) << "15:04";
        // Month abbreviations and designators come from the locale, the shape does not.
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("German medium date") << german << 2 << at(15, 4, 5) << "09-Dez.-26";
        QTest::newRow("German short date") << german << 3 << at(15, 4, 5) << "09.12.26";
        const QLocale finnish(QLocale::Finnish, QLocale::Finland);
        QTest::newRow("Finnish medium time") << finnish << 5 << at(9, 4) << "09:04 ap.";
        // The zone is left out wherever the locale puts it.
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        QTest::newRow("Chinese long time") << chinese << 4 << at(15, 4, 5) << "15:04:05";
    }
    void formats()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, index);
        QFETCH(QDateTime, when);
        QFETCH(QString, stamp);
        QCOMPARE(formatStamp(index, when, locale), stamp);
    }

    void otherIndexesGiveTheGeneralDate_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("-1") << -1;
        QTest::newRow("7") << 7;
        QTest::newRow("100") << 100;
    }
    void otherIndexesGiveTheGeneralDate()
    {
        QFETCH(int, index);
        QCOMPARE(formatStamp(index, at(15, 4, 5), QLocale::c()), QStringLiteral("2026-12-09 15:04:05"));
        QCOMPARE(formatStamp(index, at(0, 0), unitedStates), QStringLiteral("12/9/26"));
    }

    void everyLocaleKeepsTheMeaningOfEachFormat()
    {
        // A time in UTC, so that a zone written into the stamp would show.
        const QDateTime when(QDate(2026, 12, 9), QTime(14, 8, 37), Qt::UTC);
        for (const QLocale &locale :
             QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const QString name = locale.name();
            const QString shortDate = formatStamp(3, when, locale);
            QVERIFY2(!shortDate.contains(locale.monthName(12, QLocale::LongFormat)), qPrintable(name + shortDate));
            QVERIFY2(!shortDate.contains(locale.dayName(3, QLocale::ShortFormat)), qPrintable(name + shortDate));
            const QString longTime = formatStamp(4, when, locale);
            QVERIFY2(longTime.contains(locale.toString(37)), qPrintable(name + longTime));
            QVERIFY2(!longTime.contains(QStringLiteral("UTC")), qPrintable(name + longTime));
            QVERIFY2(longTime == longTime.trimmed(), qPrintable(name + longTime));
            QVERIFY2(formatStamp(5, when, locale).endsWith(locale.pmText()), qPrintable(name));
            QCOMPARE(formatStamp(6, when, locale), formatStamp(6, at(14, 8), locale));
        }
    }
};

QTEST_GUILESS_MAIN(TestDateStamp)
#include "tst_date_stamp.moc"
