#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

namespace lptseg {

// Whether a text fits where it is to be shown.
using Fits = std::function<bool(const QString&)>;

// The time of day in the locale's long time format, without its time-zone name.
// Where that does not fit, the locale's short format; where neither does, the
// hours, minutes and seconds alone, in the locale's digits or else in ASCII.
QString TimeText(const QLocale& locale, const QTime& time, const Fits& fits);

// The date in the locale's short date format; where that does not fit, the same
// format in ASCII digits and English names.
QString DateText(const QLocale& locale, const QDate& date, const Fits& fits);

} // namespace lptseg
