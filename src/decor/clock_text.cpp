#include "clock_text.h"

#include <QRegularExpression>

namespace lptseg {

QString TimeText(const QLocale& locale, const QTime& time) {
    // Long time formats end in a zone name ("t") that would not fit the label.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?")));
    return locale.toString(time, format.trimmed());
}

QString DateText(const QLocale& locale, const QDate& date) {
    return locale.toString(date, QLocale::ShortFormat);
}

} // namespace lptseg
