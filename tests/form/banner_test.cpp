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

// What the user sees tick by tick: the banner's own text in its colour,
// entering at the right edge and moving one 2-pixel step a tick; once it has
// wholly left on the left, it enters again. Each tick clears the box and prints
// the text, which the picture box renders once and then copies: it must show
// what drawing the text there shows, cut off at either edge.
TEST_F(FormTest, BannersScrollTheirTextsInTheirColours) {
    ASSERT_TRUE(Open());
    struct {
        Timer& timer;
        PictureBox& box;
        QColor colour;
        const char* text;
    } banners[] = {{form->Timer1, form->Picture1, QColor(0, 0, 255), "Velmarin 3.Bt"},
                   {form->Timer2, form->Picture2, QColor(255, 0, 0), "Trenutni broj"}};
    for (auto& b : banners) {
        const double right = b.box.width() * TwipsAPixel;
        // Qt 5 shades a glyph cut off at the left edge a level or two otherwise
        // than the same glyph drawn whole; nobody sees that.
        auto shows = [&](double x) {
            return Differences(b.box.Picture(), Drawn(b.box, b.colour, {{x, 0}}, b.text), 4);
        };
        double x = right; // where the text should be, in twips
        bool wasBlank = true;
        for (int tick = 0, entries = 0; entries < 2; ++tick, x -= 30) {
            ASSERT_LT(tick, 1000) << b.text << " never enters again";
            b.timer.Fire();
            if (shows(x) != "") { // it enters again, once nothing of it was left in the box
                ASSERT_TRUE(wasBlank) << b.text << " went back before it had left, tick " << tick;
                for (int step = 0; step < 3 && shows(x) != ""; ++step)
                    x = right - 30 * step;
                ++entries;
            }
            ASSERT_EQ(shows(x), "") << b.text << ", tick " << tick;
            // Left: at most a sliver of an overhanging glyph at the very edge.
            const QImage& shown = b.box.Picture();
            const QRect past(4 * int(shown.devicePixelRatio()), 0, shown.width(), shown.height());
            wasBlank = Differences(shown.copy(past), Drawn(b.box, b.colour, {}, b.text).copy(past),
                                   4) == "";
        }
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
