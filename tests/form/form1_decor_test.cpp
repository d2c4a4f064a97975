#include "clock_text.h"
#include "fakes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <map>
#include <set>

namespace lptseg::test {
namespace {

using ::testing::ElementsAre;

QColor Face(QWidget& button) {
    return button.grab().toImage().pixelColor(2, button.height() / 2);
}

// Pixels of the banner that are not background, in all of it or left of x.
int InkIn(PictureBox& box, int leftOf = -1) {
    const QImage& picture = box.Picture();
    const int right = leftOf < 0 ? picture.width() : leftOf;
    int ink = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < right; ++x)
            ink += picture.pixelColor(x, y) != QColor(0, 255, 255);
    return ink;
}

TEST_F(FormTest, ClockFillsTheLabelsOnItsFirstTick) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->lbl1.Caption(), "");
    EXPECT_EQ(form->lbl2.Caption(), "");
    form->Timer3.Fire();
    const QLocale locale = QLocale::system();
    EXPECT_EQ(form->lbl1.Caption(), TimeText(locale, QTime(23, 5, 9)));
    EXPECT_EQ(form->lbl2.Caption(), DateText(locale, QDate(2026, 12, 6)));
    clock.now = clock.now.addSecs(1);
    form->Timer3.Fire();
    EXPECT_EQ(form->lbl1.Caption(), TimeText(locale, QTime(23, 5, 10)));
}

class ClockFit : public FormTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClockFit, WidestTimeAndDateFitTheirLabels) {
    ASSERT_TRUE(Open());
    const QLocale locale(GetParam());
    const QFontMetrics time(form->lbl1.font()), date(form->lbl2.font());
    for (const QTime& t : {QTime(23, 58, 58), QTime(11, 58, 58), QTime(0, 0, 0)})
        EXPECT_LE(time.horizontalAdvance(TimeText(locale, t)), form->lbl1.width())
            << TimeText(locale, t).toStdString();
    for (const QDate& d : {QDate(2026, 12, 28), QDate(2026, 9, 30), QDate(2027, 5, 18)})
        EXPECT_LE(date.horizontalAdvance(DateText(locale, d)), form->lbl2.width())
            << DateText(locale, d).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, ClockFit, ::testing::Values("C", "en_US", "de_DE", "hr_HR"),
                         [](const auto& info) { return std::string(info.param); });

std::vector<CommandButton*> DigitButtons(Form1& f) {
    return {&f.Command10, &f.Command1, &f.Command2, &f.Command3, &f.Command4,
            &f.Command5,  &f.Command6, &f.Command7, &f.Command8, &f.Command9};
}

TEST_F(FormTest, KeypadTimersRecolourOnlyTheDigits) {
    ASSERT_TRUE(Open());
    form->Timer4.Fire();
    for (CommandButton* digit : DigitButtons(*form))
        EXPECT_EQ(Face(*digit), QColor(255, 65, 35)) << digit->text().toStdString();
    EXPECT_EQ(Face(form->Command12), QColor(255, 255, 0));
    EXPECT_EQ(Face(form->Command11), QColor(0, 255, 0));

    form->Timer5.Fire();
    for (CommandButton* digit : DigitButtons(*form))
        EXPECT_EQ(Face(*digit), QColor(195, 65, 35)) << digit->text().toStdString();
    EXPECT_EQ(Face(form->Command12), QColor(255, 255, 0));

    log.clear();
    Click(form->Command6); // a digit still works in any colour phase
    EXPECT_THAT(Writes(), ElementsAre("PortOut 0x378 0x6B"));
    EXPECT_EQ(Figure(), "RWRRWRR");
}

TEST_F(FormTest, NoTickIsHandledAfterTheUnload) {
    ASSERT_TRUE(Open());
    Click(form->Command11);
    for (Timer* t : {&form->Timer1, &form->Timer2, &form->Timer3, &form->Timer4, &form->Timer5})
        t->Fire();
    EXPECT_EQ(form->lbl1.Caption(), "");
    EXPECT_EQ(Face(form->Command1), QColor(255, 255, 0));
    EXPECT_EQ(InkIn(form->Picture2), 0);
}

TEST_F(FormTest, TimersRunOnTheirOwn) {
    ASSERT_TRUE(Open());
    // The fast timers tick within a second without any help.
    EXPECT_TRUE(QTest::qWaitFor([&] { return InkIn(form->Picture2) > 0; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return InkIn(form->Picture1) > 0; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->lbl1.Caption().isEmpty(); }, 3000));
}

} // namespace
} // namespace lptseg::test
