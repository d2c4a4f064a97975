#include "scroll_banner.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using ::testing::ElementsAre;

// A box of given widths that records where each Print lands.
class FakeBox {
public:
    FakeBox(float scaleWidth, float textWidth) : scaleWidth(scaleWidth), textWidth(textWidth) {}

    float scaleWidth;
    float textWidth;
    mutable int scaleWidthReads = 0;
    mutable int textWidthReads = 0;
    std::vector<float> printedAt;
    std::vector<std::string> steps;

    float ScaleWidth() const {
        ++scaleWidthReads;
        return scaleWidth;
    }
    float TextWidth(const std::string&) const {
        ++textWidthReads;
        return textWidth;
    }
    void Cls() { steps.push_back("Cls"); }
    void SetCurrentX(float x) { x_ = x; }
    void SetCurrentY(float y) { y_ = y; }
    void Print(const std::string& text) {
        steps.push_back("Print " + text + " at y " + std::to_string(static_cast<int>(y_)));
        printedAt.push_back(x_);
    }

private:
    float x_ = -1.0f;
    float y_ = -1.0f;
};

std::vector<float> Positions(float scaleWidth, float textWidth, int ticks) {
    FakeBox box(scaleWidth, textWidth);
    ScrollBanner banner;
    for (int i = 0; i < ticks; ++i)
        banner.Tick(box, "x");
    return box.printedAt;
}

TEST(ScrollBanner, WrapTestIsStrict) {
    // -60 is still drawn: only a position strictly below -W restarts the text.
    EXPECT_THAT(Positions(120, 60, 10), ElementsAre(120, 90, 60, 30, 0, -30, -60, 120, 90, 60));
    // With W a little under 60, -60 is past it and never drawn.
    EXPECT_THAT(Positions(120, 59.5f, 8), ElementsAre(120, 90, 60, 30, 0, -30, 120, 90));
}

struct Widths {
    float scale;
    float text;
};
void PrintTo(const Widths& w, std::ostream* out) {
    *out << "box " << w.scale << ", text " << w.text;
}

class ScrollCycle : public ::testing::TestWithParam<Widths> {};

TEST_P(ScrollCycle, StepsLeftToTheLastPositionNotBelowMinusWidthThenRestarts) {
    const auto [scale, text] = GetParam();
    const std::vector<float> seen = Positions(scale, text, 400);
    ASSERT_EQ(seen.front(), scale); // first drawn just outside the right edge
    std::size_t i = 1;
    while (i < seen.size() && seen[i] != scale) {
        EXPECT_FLOAT_EQ(seen[i], seen[i - 1] - ScrollStep);
        EXPECT_GE(seen[i], -text);
        ++i;
    }
    ASSERT_LT(i, seen.size()) << "never restarted";
    // The last frame before the restart is the lowest step not below -W.
    EXPECT_LT(seen[i - 1] - ScrollStep, -text);
    // The next cycle repeats the first.
    for (std::size_t k = 0; k < i && i + k < seen.size(); ++k)
        EXPECT_EQ(seen[i + k], seen[k]);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ScrollCycle,
                         ::testing::Values(Widths{1455, 1650.5f}, // text wider than its box
                                           Widths{4335, 1200.25f}, Widths{100, 7}, Widths{31, 0}),
                         [](const auto& info) { // e.g. "Box4335Text1200_25"
                             std::ostringstream name;
                             name << "Box" << info.param.scale << "Text" << info.param.text;
                             std::string text = name.str();
                             std::replace(text.begin(), text.end(), '.', '_');
                             return text;
                         });

TEST(ScrollBanner, TextWiderThanTheBoxScrollsRightThrough) {
    const std::vector<float> seen = Positions(100, 400, 30);
    // 100 down to -380 in steps of 30: the whole text passes before the restart.
    ASSERT_EQ(seen.size(), 30u);
    EXPECT_EQ(seen[16], -380.0f);
    EXPECT_EQ(seen[17], 100.0f);
}

TEST(ScrollBanner, EachTickErasesThenPrintsOnTheTopLine) {
    FakeBox box(120, 60);
    ScrollBanner banner;
    banner.Tick(box, "Trenutni broj");
    banner.Tick(box, "Trenutni broj");
    EXPECT_THAT(box.steps, ElementsAre("Cls", "Print Trenutni broj at y 0", "Cls",
                                       "Print Trenutni broj at y 0"));
}

TEST(ScrollBanner, MeasuresTheTextOnceAndTheBoxAtStartAndAtEachWrap) {
    FakeBox box(120, 60);
    ScrollBanner banner;
    for (int i = 0; i < 6; ++i) // 120 .. -30: no wrap yet
        banner.Tick(box, "x");
    EXPECT_EQ(box.textWidthReads, 1);
    EXPECT_EQ(box.scaleWidthReads, 1);

    box.scaleWidth = 300;  // the box is read anew at the wrap
    box.textWidth = 1000;  // but the text is not measured again
    banner.Tick(box, "x"); // draws -60, then wraps
    banner.Tick(box, "x");
    EXPECT_EQ(box.printedAt[6], -60.0f);
    EXPECT_EQ(box.printedAt[7], 300.0f);
    EXPECT_EQ(box.textWidthReads, 1);
    EXPECT_EQ(box.scaleWidthReads, 2);
    EXPECT_TRUE(banner.started);
    EXPECT_EQ(banner.posX, 270.0f);
}

} // namespace
} // namespace lptseg
