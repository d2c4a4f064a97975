// How the window looks: every control's font and colours as designed, and what
// the custom-drawn controls actually paint, checked pixel by pixel.
#include "fakes.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTest>
#include <functional>
#include <map>
#include <optional>
#include <ostream>

namespace lptseg::test {
namespace {

using ::testing::Each;
using ::testing::Gt;

#define CONTROL(member) #member, [](Form1 & f) -> QWidget& { return f.member; }

enum class Face { MsSansSerif, Banner };

struct FontRow {
    const char* name;
    std::function<QWidget&(Form1&)> control;
    Face face;
    double points;
    bool bold;
    bool italic;
};
void PrintTo(const FontRow& row, std::ostream* out) {
    *out << row.name;
}

// The design's fonts. The frame and the option buttons have none of their own:
// they show the standard window font, "MS Sans Serif" 8.25 pt.
const std::vector<FontRow> Fonts = {
    {CONTROL(Command10), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command1), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command9), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command8), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command7), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command6), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command5), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command4), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command3), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command2), Face::MsSansSerif, 18, false, false},
    {CONTROL(Command12), Face::MsSansSerif, 9.75, true, false},
    {CONTROL(Command11), Face::MsSansSerif, 13.5, true, true},
    {CONTROL(Picture2), Face::MsSansSerif, 12, true, false},
    {CONTROL(lbl2), Face::MsSansSerif, 8.25, true, false},
    {CONTROL(lbl1), Face::MsSansSerif, 8.25, true, false},
    {CONTROL(Frame1), Face::MsSansSerif, 8.25, false, false},
    {CONTROL(op378), Face::MsSansSerif, 8.25, false, false},
    {CONTROL(op278), Face::MsSansSerif, 8.25, false, false},
    {CONTROL(op3bc), Face::MsSansSerif, 8.25, false, false},
    {CONTROL(Picture1), Face::Banner, 15.75, false, true},
};

class FontTest : public FormTest, public ::testing::WithParamInterface<FontRow> {};

TEST_P(FontTest, ControlHasItsDesignedFont) {
    ASSERT_TRUE(Open());
    const FontRow& row = GetParam();
    const QFont font = row.control(*form).font();
    EXPECT_EQ(font.pointSizeF(), row.points);
    EXPECT_EQ(font.bold(), row.bold);
    EXPECT_EQ(font.italic(), row.italic);
    // "MS Sans Serif" is not installed: whatever face stands in for it, every
    // control that names it gets the same one as the window, the credit banner another.
    const QString family = QFontInfo(font).family();
    const QString standard = QFontInfo(form->font()).family();
    if (row.face == Face::MsSansSerif)
        EXPECT_EQ(family, standard);
    else
        EXPECT_NE(family, standard);
}

INSTANTIATE_TEST_SUITE_P(AllControls, FontTest, ::testing::ValuesIn(Fonts),
                         [](const auto& info) { return std::string(info.param.name); });

// Pixels of one colour in an image.
int Count(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

QColor MostCommonColour(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

const QColor Cyan(0, 255, 255);

struct ColourRow {
    const char* name;
    std::function<QWidget&(Form1&)> control;
    QColor back;
    std::optional<QColor> text; // where the design gives one
};
void PrintTo(const ColourRow& row, std::ostream* out) {
    *out << row.name;
}

// The banners' colours are checked with their scrolling.
const std::vector<ColourRow> Colours = {
    {CONTROL(lbl1), Cyan, QColor(64, 64, 64)},
    {CONTROL(lbl2), Cyan, QColor(64, 64, 64)},
    {CONTROL(Frame1), Cyan, {}},
    {CONTROL(op378), Cyan, {}},
    {CONTROL(op278), Cyan, {}},
    {CONTROL(op3bc), Cyan, {}},
};

class ColourTest : public FormTest, public ::testing::WithParamInterface<ColourRow> {};

TEST_P(ColourTest, ControlShowsItsBackAndTextColours) {
    ASSERT_TRUE(Open());
    const ColourRow& row = GetParam();
    form->Timer3.Fire(); // the labels show the time and date
    const QImage shown = row.control(*form).grab().toImage();
    EXPECT_EQ(MostCommonColour(shown), row.back);
    // Antialiased text blends into the background; its full colour must be there.
    if (row.text) {
        EXPECT_GT(Count(shown, *row.text), 0) << "no pixel in " << row.text->name().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Painted, ColourTest, ::testing::ValuesIn(Colours),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, FrameCaptionShowsLeftOfTheOptions) {
    ASSERT_TRUE(Open());
    const QImage window = form->grab().toImage();
    // The caption sits in the frame's top edge, in the strip left of the first
    // option button that lies over the frame. Its text is the only dark thing
    // there: the etched border is grey and white.
    const QRect frame = form->Frame1.geometry();
    const QRect strip(frame.left(), frame.top(), form->op378.x() - frame.left(),
                      QFontMetrics(form->Frame1.font()).height());
    int dark = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y)
        for (int x = strip.left(); x <= strip.right(); ++x)
            dark += window.pixelColor(x, y).lightness() < 100;
    EXPECT_GE(dark, 20);
}

// The classic two-pixel bevel: raised, light falls from the top left (white
// outside, face grey inside) and shadow lies bottom right (black outside, dark
// grey inside); pressed, the two swap.
const QColor White(255, 255, 255), Black(0, 0, 0), Light(192, 192, 192), Shadow(128, 128, 128);

struct BevelPixel {
    const char* where;
    std::function<QPoint(QSize)> at;
    QColor raised;
    QColor pressed;
};
void PrintTo(const BevelPixel& p, std::ostream* out) {
    *out << p.where;
}

const std::vector<BevelPixel> Bevel = {
    {"OuterTopLeftCorner", [](QSize) { return QPoint(0, 0); }, White, Black},
    {"OuterTop", [](QSize s) { return QPoint(s.width() / 2, 0); }, White, Black},
    {"OuterLeft", [](QSize s) { return QPoint(0, s.height() / 2); }, White, Black},
    {"OuterBottomRightCorner", [](QSize s) { return QPoint(s.width() - 1, s.height() - 1); }, Black,
     White},
    {"OuterBottom", [](QSize s) { return QPoint(s.width() / 2, s.height() - 1); }, Black, White},
    {"OuterRight", [](QSize s) { return QPoint(s.width() - 1, s.height() / 2); }, Black, White},
    {"InnerTop", [](QSize s) { return QPoint(s.width() / 2, 1); }, Light, Shadow},
    {"InnerLeft", [](QSize s) { return QPoint(1, s.height() / 2); }, Light, Shadow},
    {"InnerBottom", [](QSize s) { return QPoint(s.width() / 2, s.height() - 2); }, Shadow, Light},
    {"InnerRight", [](QSize s) { return QPoint(s.width() - 2, s.height() / 2); }, Shadow, Light},
};

class BevelTest : public FormTest, public ::testing::WithParamInterface<BevelPixel> {};

TEST_P(BevelTest, RaisedAndPressed) {
    ASSERT_TRUE(Open());
    for (CommandButton* b : {&form->Command4, &form->Command11}) {
        const QPoint at = GetParam().at(b->size());
        EXPECT_EQ(b->grab().toImage().pixelColor(at), GetParam().raised) << b->text().toStdString();
        QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
        ASSERT_TRUE(b->ShowsPressed());
        EXPECT_EQ(b->grab().toImage().pixelColor(at), GetParam().pressed)
            << b->text().toStdString();
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-9, -9)); // off it: no click
    }
}

INSTANTIATE_TEST_SUITE_P(Pixels, BevelTest, ::testing::ValuesIn(Bevel),
                         [](const auto& info) { return std::string(info.param.where); });

// Black pixels on each side of the rectangle inset by `inset`, within six
// pixels of its top-left and bottom-right corners, where no caption reaches.
std::vector<int> DotsPerSide(const QImage& button, int inset) {
    const int right = button.width() - 1 - inset, bottom = button.height() - 1 - inset;
    std::vector<int> dots(4);
    for (int d = 0; d <= 6; ++d) {
        dots[0] += button.pixelColor(inset + d, inset) == Black;  // top
        dots[1] += button.pixelColor(inset, inset + d) == Black;  // left
        dots[2] += button.pixelColor(right - d, bottom) == Black; // bottom
        dots[3] += button.pixelColor(right, bottom - d) == Black; // right
    }
    return dots;
}

TEST_F(FormTest, FocusMarkIsADottedRectangleThreePixelsIn) {
    ASSERT_TRUE(Open());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    CommandButton& one = form->Command1;
    ASSERT_TRUE(one.hasFocus());
    const QImage focused = one.grab().toImage();
    EXPECT_THAT(DotsPerSide(focused, 3), Each(Gt(0)));
    EXPECT_THAT(DotsPerSide(focused, 2), Each(0));
    EXPECT_THAT(DotsPerSide(focused, 4), Each(0));

    form->Command2.setFocus();
    ASSERT_FALSE(one.hasFocus());
    EXPECT_THAT(DotsPerSide(one.grab().toImage(), 3), Each(0));
}

} // namespace
} // namespace lptseg::test
