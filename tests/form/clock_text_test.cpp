#include "clock_text.h"

#include <gtest/gtest.h>

namespace lptseg {
namespace {

class ClockText : public ::testing::TestWithParam<const char*> {};

const Fits Anything = [](const QString&) { return true; };

TEST_P(ClockText, TimeHasSecondsAndNoZoneName) {
    const QLocale locale(GetParam());
    const QString text = TimeText(locale, QTime(21, 7, 9), Anything);
    EXPECT_TRUE(text.contains("07")) << text.toStdString();
    EXPECT_TRUE(text.contains("09")) << text.toStdString();
    // The zone name of the long format is left out, brackets and all.
    const QString withZone =
        locale.toString(QTime(21, 7, 9), locale.timeFormat(QLocale::LongFormat));
    EXPECT_LT(text.size(), withZone.size()) << withZone.toStdString();
    EXPECT_FALSE(text.contains('(') || text.contains(')')) << text.toStdString();
    EXPECT_EQ(text, text.trimmed());
}

TEST_P(ClockText, DateIsTheShortDate) {
    const QLocale locale(GetParam());
    const QString text = DateText(locale, QDate(2026, 12, 28), Anything);
    EXPECT_TRUE(text.contains("28")) << text.toStdString();
    EXPECT_EQ(text, locale.toString(QDate(2026, 12, 28), QLocale::ShortFormat));
}

INSTANTIATE_TEST_SUITE_P(Locales, ClockText,
                         ::testing::Values("C", "en_US", "de_DE", "hr_HR", "zh_CN", "bg_BG"),
                         [](const auto& info) { return std::string(info.param); });

// Where a form does not fit: the locale's short time, then hours, minutes and
// seconds in the locale's digits, then in ASCII ones.
struct Narrow {
    const char* locale;
    int chars;  // the most characters that fit
    bool ascii; // only ASCII fits, as with a font that lacks the locale's script
    const char* time;
    const char* date;
};

TEST(ClockTextFallback, TakesTheLongestFormThatFits) {
    const Narrow table[] = {
        {"fr_CA", 10, false, "22 h 58", "2026-09-28"},
        {"sq_AL", 8, false, "22:58:58", "28.9.26"},
        {"ne_NP", 8, true, "22:58:58", "26/9/28"},
        {"as_IN", 12, true, "22:58:58", "28-9-2026"},
    };
    for (const Narrow& n : table) {
        const Fits fits = [&n](const QString& s) {
            bool ascii = true;
            for (QChar c : s)
                ascii = ascii && c.unicode() < 128;
            return s.size() <= n.chars && (ascii || !n.ascii);
        };
        const QLocale locale(n.locale);
        EXPECT_EQ(TimeText(locale, QTime(22, 58, 58), fits), n.time) << n.locale;
        EXPECT_EQ(DateText(locale, QDate(2026, 9, 28), fits), n.date) << n.locale;
    }
}

} // namespace
} // namespace lptseg
