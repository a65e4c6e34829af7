#include "dialogs/date_stamp.h"

#include <QList>
#include <QLocale>

namespace vornel {

namespace {

// A run of one pattern letter outside quotes in a Qt date or time format.
struct FieldRun {
    QChar letter;
    qsizetype start;
    qsizetype length;
};

QList<FieldRun> fieldRuns(const QString &format)
{
    QList<FieldRun> runs;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            // '' is a quote mark in or out of a quoted part; toggling twice keeps the state.
            quoted = !quoted;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (!quoted && c.isLetter() && end < format.size() && format.at(end) == c)
            ++end;
        if (!quoted && c.isLetter())
            runs.append({c, i, end - i});
        i = end;
    }
    return runs;
}

QString shortDate(const QDate &date, const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    // The C locale's short date names the month; a short date here is all numbers.
    for (const FieldRun &run : fieldRuns(format)) {
        if ((run.letter == QLatin1Char('M') || run.letter == QLatin1Char('d')) && run.length >= 3)
            return locale.toString(date, QStringLiteral("yyyy-MM-dd"));
    }
    return locale.toString(date, format);
}

QString longTime(const QTime &time, const QLocale &locale)
{
    // The clock gives local time, but a bare time would be named UTC; the stamp names no zone.
    QString format = locale.timeFormat(QLocale::LongFormat);
    const QList<FieldRun> runs = fieldRuns(format);
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        if (run->letter == QLatin1Char('t'))
            format.remove(run->start, run->length);
    }
    return locale.toString(time, format.trimmed());
}

QString mediumTime(const QTime &time, const QLocale &locale)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const bool morning = time.hour() < 12;
    QString designator = morning ? locale.amText() : locale.pmText();
    if (designator.isEmpty())
        designator = morning ? QStringLiteral("AM") : QStringLiteral("PM");
    return locale.toString(QTime(hour, time.minute()), QStringLiteral("hh:mm")) + QLatin1Char(' ') + designator;
}

QString generalDate(const QDateTime &when, const QLocale &locale)
{
    const QTime time = when.time();
    const QString date = shortDate(when.date(), locale);
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    return date + QLatin1Char(' ') + longTime(time, locale);
}

} // namespace

QDateTime systemNow()
{
    return QDateTime::currentDateTime();
}

QString formatStamp(int index, const QDateTime &when, const QLocale &locale)
{
    switch (index) {
    case 1: return locale.toString(when.date(), QLocale::LongFormat);
    case 2: return locale.toString(when.date(), QStringLiteral("dd-MMM-yy"));
    case 3: return shortDate(when.date(), locale);
    case 4: return longTime(when.time(), locale);
    case 5: return mediumTime(when.time(), locale);
    case 6: return locale.toString(when.time(), QStringLiteral("HH:mm"));
    default: return generalDate(when, locale);
    }
}

} // namespace vornel
