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

TEST_F(FormTest, BannersEnterFromTheRight) {
    ASSERT_TRUE(Open());
    for (auto [timer, box] :
         {std::pair{&form->Timer1, &form->Picture1}, std::pair{&form->Timer2, &form->Picture2}}) {
        timer->Fire(); // drawn just outside the right edge: nothing shows yet
        EXPECT_EQ(InkIn(*box), 0);
        for (int i = 0; i < 10; ++i)
            timer->Fire();
        EXPECT_GT(InkIn(*box), 0);
        // Ten steps of 2 px: the text reaches 20 px into the box (an italic
        // overhang may lean a pixel or two further), no more.
        EXPECT_EQ(InkIn(*box, box->width() - 24), 0);
    }
}

TEST_F(FormTest, BannerTextsAndColours) {
    ASSERT_TRUE(Open());
    for (int i = 0; i < 30; ++i) {
        form->Timer1.Fire();
        form->Timer2.Fire();
    }
    auto inkColours = [](PictureBox& box) {
        std::set<QRgb> colours;
        const QImage& picture = box.Picture();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y) & 0xFFFFFF);
        return colours;
    };
    // Antialiased text blends its colour into the cyan; the pure colour must be there.
    EXPECT_TRUE(inkColours(form->Picture1).contains(0x0000FF));
    EXPECT_TRUE(inkColours(form->Picture2).contains(0xFF0000));
    // The scale unit is the twip: the credit banner's box is 4335 wide.
    EXPECT_EQ(form->Picture1.ScaleWidth(), 4335.0f);
}

// The clock speaks the default locale, which is the user's unless a test sets it.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(QLocale::system()); }
};

TEST_F(FormTest, ClockFillsTheLabelsOnItsFirstTick) {
    const DefaultLocale c(QLocale::c());
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->lbl1.Caption(), "");
    EXPECT_EQ(form->lbl2.Caption(), "");
    form->Timer3.Fire();
    EXPECT_EQ(form->lbl1.Caption(), "23:05:09");
    EXPECT_EQ(form->lbl2.Caption(), "6 Dec 2026");
    clock.now = clock.now.addSecs(1);
    form->Timer3.Fire();
    EXPECT_EQ(form->lbl1.Caption(), "23:05:10");
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
        for (const QDateTime& now : {QDateTime(QDate(2026, 9, 28), QTime(10, 58, 58)),
                                     QDateTime(QDate(2026, 12, 28), QTime(22, 58, 58))}) {
            clock.now = now;
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

TEST_F(FormTest, ABannerTickRepaintsOnlyItsOwnBox) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    for (Timer* other : {&form->Timer1, &form->Timer3, &form->Timer4, &form->Timer5})
        other->Stop(); // only Timer2 ticks during the count
    QCoreApplication::processEvents();

    struct PaintCounter : QObject {
        std::map<QObject*, int> paints;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++paints[watched];
            return false;
        }
    } counter;
    for (QWidget* w :
         std::initializer_list<QWidget*>{form.get(), &form->Picture1, &form->Picture2, &form->lbl1})
        w->installEventFilter(&counter);
    form->Timer2.Fire();
    QTest::qWait(50);
    EXPECT_GE(counter.paints[&form->Picture2], 1);
    EXPECT_EQ(counter.paints[form.get()], 0);
    EXPECT_EQ(counter.paints[&form->Picture1], 0);
    EXPECT_EQ(counter.paints[&form->lbl1], 0);
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
