#include "clock_text.h"

#include <QStringList>

namespace lptseg {
namespace {

// The format without its time-zone field ("t", "tttt") and what belongs to it:
// the space before it, brackets around it, and a comma that led up to it.
// Quoted literal text is kept as it is.
QString WithoutZone(const QString& format) {
    QString kept;
    bool quoted = false;
    bool dropped = false; // a zone went; the next text needs a space before it
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format.at(i);
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || ch != QLatin1Char('t')) {
            if (dropped && !ch.isSpace() && !kept.isEmpty())
                kept += QLatin1Char(' ');
            dropped = false;
            kept += ch;
            continue;
        }
        while (!kept.isEmpty() &&
               (kept.back().isSpace() || QStringLiteral("([,;").contains(kept.back())))
            kept.chop(1);
        while (i + 1 < format.size() && QStringLiteral("t)] ").contains(format.at(i + 1)))
            ++i;
        dropped = true;
    }
    return kept.trimmed();
}

// The first format whose text fits for the value and for the widest values the
// format can take, so that the choice holds all day; else the last format, in
// ASCII.
template <typename Value>
QString FirstThatFits(const QLocale& locale, const QStringList& formats, const Value& value,
                      std::initializer_list<Value> widest, const Fits& fits) {
    for (const QString& format : formats) {
        bool all = fits(locale.toString(value, format));
        for (const Value& other : widest)
            all = all && fits(locale.toString(other, format));
        if (all)
            return locale.toString(value, format);
    }
    return QLocale::c().toString(value, formats.back());
}

} // namespace

QString TimeText(const QLocale& locale, const QTime& time, const Fits& fits) {
    const QStringList formats = {WithoutZone(locale.timeFormat(QLocale::LongFormat)),
                                 WithoutZone(locale.timeFormat(QLocale::ShortFormat)),
                                 QStringLiteral("HH:mm:ss")};
    return FirstThatFits(locale, formats, time, {QTime(10, 58, 58), QTime(22, 58, 58)}, fits);
}

QString DateText(const QLocale& locale, const QDate& date, const Fits& fits) {
    const int year = date.year();
    return FirstThatFits(locale, {locale.dateFormat(QLocale::ShortFormat)}, date,
                         {QDate(year, 9, 28), QDate(year, 12, 28)}, fits);
}

} // namespace lptseg
