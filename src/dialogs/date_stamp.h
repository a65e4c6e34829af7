#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QLocale;

namespace vornel {

// Where date stamps get the current date and time; tests hand in a clock of their own.
using StampClock = std::function<QDateTime()>;
QDateTime systemNow();

// The date stamp formats, by index: 0 General Date (the short date and the long time, a part
// that is zero left out), 1 Long Date, 2 Medium Date (09-Dec-26), 3 Short Date (numeric),
// 4 Long Time, 5 Medium Time (03:04 PM), 6 Short Time (15:04). Any other index is General
// Date. The long forms follow the locale; the others keep their shape in every locale and take
// only digits, month abbreviations and the AM/PM designator from it.
QString formatStamp(int index, const QDateTime &when, const QLocale &locale);

} // namespace vornel
