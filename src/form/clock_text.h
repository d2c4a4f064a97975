#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace lptseg {

// The time of day in the locale's long time format, without a time-zone name.
QString TimeText(const QLocale& locale, const QTime& time);

// The date in the locale's short date format.
QString DateText(const QLocale& locale, const QDate& date);

} // namespace lptseg
