#include "fakes.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lptseg::test {
namespace {

// Where each Print goes, in twips from the box's inner top-left.
using Prints = std::vector<std::pair<float, float>>;

struct PrintCase {
    const char* name;
    Prints prints;
};

void PrintTo(const PrintCase& c, std::ostream* out) {
    *out << c.name;
}

// The box's picture as painting the text straight onto a blank box gives it.
QImage Drawn(PictureBox& box, QColor foreColor, const Prints& prints, const QString& text) {
    QImage image(box.Picture().size(), QImage::Format_RGB32);
    image.fill(QColor(0, 255, 255));
    QPainter p(&image);
    p.setFont(box.font());
    p.setPen(foreColor);
    const qreal ascent = QFontMetricsF(box.font()).ascent();
    for (auto [x, y] : prints)
        p.drawText(QPointF(x / TwipsPerPixel, y / TwipsPerPixel + ascent), text);
    return image;
}

class PictureBoxPrint : public FormTest, public ::testing::WithParamInterface<PrintCase> {};

// Print blits a text rendered once; the pixels must be those of drawing it there.
TEST_P(PictureBoxPrint, ShowsWhatDrawingTheTextThereShows) {
    ASSERT_TRUE(Open());
    for (auto [box, colour] : {std::pair{&form->Picture1, QColor(0, 0, 255)},
                               std::pair{&form->Picture2, QColor(255, 0, 0)}}) {
        for (int round = 0; round < 2; ++round) { // the second from the cached text
            box->Cls();
            for (auto [x, y] : GetParam().prints) {
                box->SetCurrentX(x);
                box->SetCurrentY(y);
                box->Print("Velmarin 3.Bt");
            }
            EXPECT_EQ(box->Picture().convertToFormat(QImage::Format_RGB32),
                      Drawn(*box, colour, GetParam().prints, "Velmarin 3.Bt"))
                << (box == &form->Picture1 ? "Picture1" : "Picture2") << ", round " << round;
        }
        box->Cls(); // erases every print, wherever it was
        EXPECT_EQ(box->Picture().convertToFormat(QImage::Format_RGB32),
                  Drawn(*box, colour, {}, ""));
    }
}

INSTANTIATE_TEST_SUITE_P(Places, PictureBoxPrint,
                         ::testing::Values(PrintCase{"Inside", {{30, 0}}},
                                           PrintCase{"PastTheLeftEdge", {{-600, 0}}},
                                           PrintCase{"PastTheRightEdge", {{1200, 0}}},
                                           PrintCase{"Lower", {{90, 75}}},
                                           PrintCase{"OverAnotherPrint", {{30, 0}, {300, 30}}},
                                           PrintCase{"ApartFromAnother", {{-900, 0}, {1200, 0}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Ticks, Print and Cls repaint only part of the box; every pixel that changed
// must be in it, or the screen keeps a stale piece of the text.
TEST_F(FormTest, TheRepaintCoversEveryPixelThatChanged) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    for (Timer* other : {&form->Timer1, &form->Timer3, &form->Timer4, &form->Timer5})
        other->Stop();
    struct PaintRegion : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } paints;
    form->Picture2.installEventFilter(&paints);
    int changed = 0;
    auto expectRepainted = [&](const std::function<void()>& change, const std::string& what) {
        QCoreApplication::processEvents();
        const QImage before = form->Picture2.Picture().copy();
        paints.painted = QRegion();
        change();
        QCoreApplication::processEvents();
        const QImage& after = form->Picture2.Picture();
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != before.pixel(x, y)) {
                    ++changed;
                    ASSERT_TRUE(paints.painted.contains(QPoint(x, y)))
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
