// The two scrolling banners: where the text moves, and what the picture box shows.
#include "fakes.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

namespace lptseg::test {
namespace {

// A box of given widths that records its steps, each Print with where it lands.
struct FakeBox {
    FakeBox(float box, float text) : scaleWidth(box), textWidth(text) {}
    float scaleWidth, textWidth;
    mutable int measured = 0; // TextWidth calls
    std::vector<std::string> steps;
    float x = -1;

    float ScaleWidth() const { return scaleWidth; }
    float TextWidth(const std::string&) const { return ++measured, textWidth; }
    void Cls() { steps.push_back("Cls"); }
    void SetCurrentX(float at) { x = at; }
    void SetCurrentY(float y) { steps.push_back("y " + std::to_string(int(y))); }
    void Print(const std::string& text) { steps.push_back(text + " at " + std::to_string(int(x))); }
};

// 30 twips a tick from the right edge; the text restarts only once it is
// strictly past its own width. Each tick clears the box and prints at the top.
TEST(BannerScroll, EntersAtTheRightStepsLeftAndRestartsOnceThrough) {
    struct {
        const char* name;
        float box, text;
        std::vector<int> positions; // of the first ticks
    } const scrolls[] = {
        {"last step exactly at minus the width is drawn",
         120,
         60,
         {120, 90, 60, 30, 0, -30, -60, 120, 90}},
        {"a step past minus the width restarts", 120, 59.5f, {120, 90, 60, 30, 0, -30, 120, 90}},
        {"text wider than the box passes whole", 60, 100, {60, 30, 0, -30, -60, -90, 60}}};
    for (const auto& s : scrolls) {
        FakeBox box{s.box, s.text};
        ScrollBanner banner;
        std::vector<std::string> expected;
        for (int at : s.positions) {
            banner.Tick(box, "x");
            expected.insert(expected.end(), {"Cls", "y 0", "x at " + std::to_string(at)});
        }
        EXPECT_EQ(box.steps, expected) << s.name;
        EXPECT_EQ(box.measured, 1) << s.name; // the text is measured once
    }
}

constexpr double TwipsAPixel = 15; // at 96 dots per inch

// The box's picture as painting the text straight onto a blank box gives it.
QImage Drawn(PictureBox& box, QColor colour, const std::vector<QPointF>& twips,
             const QString& text) {
    QImage image(box.Picture().size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(box.Picture().devicePixelRatio());
    image.fill(QColor(0, 255, 255));
    QPainter p(&image);
    p.setFont(box.font());
    p.setPen(colour);
    for (QPointF at : twips)
        p.drawText(at / TwipsAPixel + QPointF(0, QFontMetricsF(box.font()).ascent()), text);
    p.end();
    return image;
}

QImage Shown(PictureBox& box) {
    return box.Picture().convertToFormat(QImage::Format_RGB32);
}

// Print blits a text rendered once; it must show what drawing it there shows,
// wherever it lands and over whatever is there, and Cls erases all of it.
TEST_F(FormTest, PictureBoxShowsWhatDrawingTheTextThereShows) {
    ASSERT_TRUE(Open());
    PictureBox& box = form->Picture2;
    const std::vector<std::vector<QPointF>> cases = {
        {{30, 0}},  {{-600, 0}},          {{1200, 0}},
        {{90, 75}}, {{30, 0}, {300, 30}}, {{-900, 0}, {1200, 0}}};
    for (const auto& prints : cases) {
        for (int round = 0; round < 2; ++round) { // the second from the rendered text
            box.Cls();
            for (QPointF at : prints) {
                box.SetCurrentX(static_cast<float>(at.x()));
                box.SetCurrentY(static_cast<float>(at.y()));
                box.Print("Velmarin 3.Bt");
            }
            ASSERT_EQ(Shown(box), Drawn(box, QColor(255, 0, 0), prints, "Velmarin 3.Bt"))
                << "print at x " << prints[0].x() << ", round " << round;
        }
    }
    box.Cls();
    EXPECT_EQ(Shown(box), Drawn(box, {}, {}, ""));
}

// What the user sees after some ticks: the banner's own text in its colour,
// entered from the right edge one
// 2-pixel step a tick.
TEST_F(FormTest, BannersScrollTheirTextsInTheirColours) {
    ASSERT_TRUE(Open());
    struct {
        Timer& timer;
        PictureBox& box;
        QColor colour;
        const char* text;
        int ticks;
    } banners[] = {{form->Timer1, form->Picture1, QColor(0, 0, 255), "Velmarin 3.Bt", 60},
                   {form->Timer2, form->Picture2, QColor(255, 0, 0), "Trenutni broj", 21}};
    for (auto& b : banners) {
        for (int i = 0; i < b.ticks; ++i)
            b.timer.Fire();
        const double x = b.box.width() * TwipsAPixel - (b.ticks - 1) * 30.0;
        EXPECT_EQ(Shown(b.box), Drawn(b.box, b.colour, {{x, 0}}, b.text)) << b.text;
    }
}

// Ticks, Print and Cls repaint only part of the box; every pixel that changed
// must be in it, or the screen keeps a stale piece of the text.
TEST_F(FormTest, PictureBoxRepaintsEveryPixelThatChanged) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    PaintWatch watch(form->Picture2);
    int changed = 0;
    auto expectRepainted = [&](const std::function<void()>& change, const std::string& what) {
        QCoreApplication::processEvents();
        const QImage before = form->Picture2.Picture().copy();
        watch.painted = QRegion();
        change();
        QCoreApplication::processEvents();
        const QImage& after = form->Picture2.Picture();
        const auto ratio = static_cast<int>(after.devicePixelRatio());
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != before.pixel(x, y)) {
                    ++changed;
                    ASSERT_TRUE(watch.painted.contains(QPoint(x / ratio, y / ratio)))
                        << what << " left (" << x << ", " << y << ") unpainted";
                }
    };
    for (int tick = 0; tick < 160; ++tick) // in, across, out and in again
        expectRepainted([&] { form->Timer2.Fire(); }, "tick " + std::to_string(tick));
    expectRepainted([&] { form->Picture2.Print("Trenutni broj"); }, "a Print");
    expectRepainted([&] { form->Picture2.Cls(); }, "a Cls alone");
    EXPECT_GT(changed, 0);
}

} // namespace
} // namespace lptseg::test
