#include "clock_text.h"

namespace lptseg {
namespace {

// The format without its time-zone field ("t", "tttt") and the brackets and
// space around it. Quoted literal text is kept as it is.
QString WithoutZone(const QString& format) {
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format.at(i);
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || ch != QLatin1Char('t')) {
            kept += ch;
            continue;
        }
        while (!kept.isEmpty() && (kept.back().isSpace() || kept.back() == QLatin1Char('(')))
            kept.chop(1);
        while (i + 1 < format.size() &&
               (format.at(i + 1) == QLatin1Char('t') || format.at(i + 1) == QLatin1Char(')')))
            ++i;
    }
    return kept.trimmed();
}

} // namespace

QString TimeText(const QLocale& locale, const QTime& time) {
    // Long time formats end in a zone name that would not fit the label.
    return locale.toString(time, WithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

QString DateText(const QLocale& locale, const QDate& date) {
    return locale.toString(date, locale.dateFormat(QLocale::ShortFormat));
}

} // namespace lptseg
