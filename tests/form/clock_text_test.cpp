#include "clock_text.h"

#include <gtest/gtest.h>

namespace lptseg {
namespace {

class ClockText : public ::testing::TestWithParam<const char*> {};

TEST_P(ClockText, TimeHasSecondsAndNoZoneName) {
    const QLocale locale(GetParam());
    const QString text = TimeText(locale, QTime(21, 7, 9));
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
    const QString text = DateText(locale, QDate(2026, 12, 28));
    EXPECT_TRUE(text.contains("28")) << text.toStdString();
    EXPECT_EQ(text, locale.toString(QDate(2026, 12, 28), QLocale::ShortFormat));
}

INSTANTIATE_TEST_SUITE_P(Locales, ClockText,
                         ::testing::Values("C", "en_US", "de_DE", "hr_HR", "zh_CN", "bg_BG"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace lptseg
