#include "clock_text.h"
#include "fakes.h"


namespace lptseg::test {
namespace {

// The clock speaks the default locale, which is the user's unless a test sets it.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(QLocale::system()); }
};

TEST_F(FormTest, ClockFillsTheLabelsOnItsFirstTick) {
    const DefaultLocale c(QLocale::c());
    ASSERT_TRUE(Open());
    form->Timer3.Fire();
    EXPECT_EQ(form->lbl1.Caption(), "23:05:09");
    EXPECT_EQ(form->lbl2.Caption(), "6 Dec 2026");
    now = now.addSecs(1);
    form->Timer3.Fire();
    EXPECT_EQ(form->lbl1.Caption(), "23:05:10");
}

// Quoted text in a locale's time format shows as written; only the zone goes,
// also where it comes first (zh_CN: "t HH:mm:ss", in Qt 5 "t APh:mm:ss").
TEST(TimeText, KeepsTheQuotedTextOfALocalesFormat) {
    for (auto [locale, shown] : {std::pair{"fr_CA", "22 h 58 min 58 s"},
                                 {"nds_DE", "Klock 22.58:58"},
                                 {"nn_NO", "kl. 22:58:58"},
                                 {"eo_001", "22-a horo kaj 58:58"},
                                 {"zh_CN", QT_VERSION >= 0x060000 ? "22:58:58" : "下午10:58:58"}})
        EXPECT_EQ(TimeText(QLocale(locale), QTime(22, 58, 58), [](auto&) { return true; }), shown)
            << locale;
}

// A text that starts or ends on a separator, or leaves a bracket open.
bool Dangles(const QString& text) {
    const QString separators = QStringLiteral(",;:-/([");
    return text.isEmpty() || text != text.trimmed() || separators.contains(text.back()) ||
           QStringLiteral(",;:)]").contains(text.front()) || text.count('(') != text.count(')') ||
           text.count('[') != text.count(']');
}

TEST_F(FormTest, EveryLocalesTimeAndDateShowWholeInTheirLabels) {
    ASSERT_TRUE(Open());
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyCountry);
    ASSERT_GT(locales.size(), 100);
    for (const QLocale& locale : locales) {
        const DefaultLocale in(locale);
        for (const QDateTime& time : {QDateTime(QDate(2026, 9, 28), QTime(10, 58, 58)),
                                      QDateTime(QDate(2026, 12, 28), QTime(22, 58, 58))}) {
            now = time;
            form->Timer3.Fire();
            for (Label* label : {&form->lbl1, &form->lbl2}) {
                const QString text = label->Caption();
                const std::string shown = locale.name().toStdString() + ": " + text.toStdString();
                EXPECT_LE(label->sizeHint().width(), label->width()) << shown;
                EXPECT_FALSE(Dangles(text)) << shown;
                // The minutes and the day show, in the locale's digits or in ASCII.
                EXPECT_TRUE(text.contains(locale.toString(58)) || text.contains("58") ||
                            label == &form->lbl2)
                    << shown;
                EXPECT_TRUE(text.contains(locale.toString(28)) || text.contains("28") ||
                            label == &form->lbl1)
                    << shown;
            }
        }
    }
}

} // namespace
} // namespace lptseg::test
