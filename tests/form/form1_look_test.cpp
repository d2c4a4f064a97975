// How the window looks: where its controls are, and what they paint, compared
// with what the window's design says, pixel by pixel where the program draws.
#include "fakes.h"

#include <QPainter>
#include <QTest>
#include <algorithm>

namespace lptseg::test {
namespace {

// Each control's font as the design's table words it; the frame and the
// options have the standard window font.
TEST_F(FormTest, EveryControlHasTheDesignsFont) {
    ASSERT_TRUE(Open());
    Form1& f = *form;
    std::vector<std::pair<QWidget*, std::string>> rows = {
        {&f.Command12, "9.75 pt bold"}, {&f.Command11, "13.5 pt bold italic"},
        {&f.Picture2, "12 pt bold"},    {&f.lbl2, "8.25 pt bold"},
        {&f.lbl1, "8.25 pt bold"},      {&f.Frame1, "8.25 pt"},
        {&f.op378, "8.25 pt"},          {&f.op278, "8.25 pt"},
        {&f.op3bc, "8.25 pt"},          {&f.Picture1, "15.75 pt italic"}};
    for (CommandButton* digit : Keypad(f))
        rows.emplace_back(digit, "18 pt");
    for (const auto& [control, words] : rows) {
        const QFont font = control->font();
        EXPECT_EQ(QString::number(font.pointSizeF()).toStdString() + " pt" +
                      (font.bold() ? " bold" : "") + (font.italic() ? " italic" : ""),
                  words)
            << control->metaObject()->className();
    }
}

// What the design says a command button shows: its face colour, the classic
// raised bevel (sunken while pressed), and its caption centred in its font.
QImage DesignedButton(QSize size, QColor face, const QString& caption, const QFont& font,
                      bool pressed) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(face);
    // Two rings of one pixel: light falls from the top left (white outside, grey
    // inside), shadow lies bottom right (black outside, dark grey inside).
    const QRgb light[] = {qRgb(255, 255, 255), qRgb(192, 192, 192)};
    const QRgb shade[] = {qRgb(0, 0, 0), qRgb(128, 128, 128)};
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (int y = 0; y <= bottom; ++y)
        for (int x = 0; x <= right; ++x) {
            const int ring = std::min({x, y, right - x, bottom - y});
            const bool shaded = x == right - ring || y == bottom - ring;
            if (ring <= 1)
                image.setPixel(x, y, shaded != pressed ? shade[ring] : light[ring]);
        }
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(QPoint(pressed, pressed), size), Qt::AlignCenter, caption);
    return image;
}

TEST_F(FormTest, ButtonsLookAsDesignedRaisedAndPressed) {
    ASSERT_TRUE(Open());
    const QColor yellow(255, 255, 0);
    std::vector<std::tuple<CommandButton*, QString, QColor>> rows = {
        {&form->Command12, "Brisi", yellow}, {&form->Command11, "Zatvori", QColor(0, 255, 0)}};
    for (int digit = 0; digit <= 9; ++digit)
        rows.emplace_back(Keypad(*form)[digit], QString::number(digit), yellow);
    for (const auto& [b, caption, face] : rows) {
        for (bool pressed : {false, true}) {
            if (pressed)
                QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
            EXPECT_EQ(Differences(b->grab().toImage(),
                                  DesignedButton(b->size(), face, caption, b->font(), pressed)),
                      "")
                << caption.toStdString() << (pressed ? " pressed" : "");
        }
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-9, -9)); // off it: no click
    }
}

// The classic frame: an etched border, a grey line and a white one below and
// right of it, through the middle of the caption's line; the caption set into
// the top edge 8 pixels in, with 2 pixels of space each side.
QImage DesignedFrame(QSize size, const QString& caption, const QFont& font) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 255));
    const QFontMetrics metrics(font);
    const int top = metrics.height() / 2, right = size.width() - 2, bottom = size.height() - 2;
    for (int y = top; y <= bottom + 1; ++y)
        for (int x = 0; x <= right + 1; ++x) {
            auto on = [&](int d) { // the line d pixels right of and below the grey one
                return x >= d && y >= top + d && x <= right + d && y <= bottom + d &&
                       (x == d || y == top + d || x == right + d ||
                                                  y == bottom + d);
            };
            if (on(1) || on(0))
                image.setPixelColor(x, y, on(1) ? Qt::white : QColor(128, 128, 128));
        }
    QPainter p(&image);
    const QRect title(8, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
    p.fillRect(title, QColor(0, 255, 255));
    p.setFont(font);
    p.drawText(title, Qt::AlignCenter, caption);
    return image;
}

// The labels and the options lie on cyan, more than half of each; the labels'
// text is dark grey; the frame is drawn as designed.
TEST_F(FormTest, LabelsFrameAndOptionsShowTheirColours) {
    ASSERT_TRUE(Open());
    form->Timer3.Fire(); // the labels show the time and date
    for (QWidget* control : std::initializer_list<QWidget*>{
             &form->lbl1, &form->lbl2, &form->op378, &form->op278, &form->op3bc}) {
        const QImage shown = control->grab().toImage();
        EXPECT_GT(Count(shown, QColor(0, 255, 255)) * 2, shown.width() * shown.height())
            << control->metaObject()->className();
    }
    // Antialiased text blends into the background; its full colour must be there.
    for (Label* label : {&form->lbl1, &form->lbl2})
        EXPECT_GT(Count(label->grab().toImage(), QColor(64, 64, 64)), 0);
    EXPECT_EQ(Differences(form->Frame1.grab().toImage(),
                          DesignedFrame(form->Frame1.size(), "Adresa", form->Frame1.font())),
              "");
}

// At the start the labels, banners and figure are blank, and every timer
// runs: the banners step every 50 and 30 ms, the clock every second, the
// keypad turns red after 26 s and dark red after 39 s. (That 378 is chosen the
// screen reader test reads.)
TEST_F(FormTest, StartsWithTheTimersRunningAndTheDecorationsBlank) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->lbl1.Caption() + form->lbl2.Caption(), "");
    for (PictureBox* banner : {&form->Picture1, &form->Picture2}) {
        const QImage shown = banner->grab().toImage(); // all of it the window's cyan
        EXPECT_EQ(Count(shown, QColor(0, 255, 255)), shown.width() * shown.height());
    }
    std::vector<int> intervals;
    for (Timer* t : Timers(*form))
        intervals.push_back(t->Enabled() ? t->Interval() : -1);
    EXPECT_EQ(intervals, (std::vector<int>{50, 30, 1000, 26000, 39000}));
    // The segment boxes show the text box default until the first digit or Clear.
    EXPECT_EQ(form->txt4[1].grab().toImage().pixelColor(10, 5),
              form->palette().color(QPalette::Base));
}

} // namespace
} // namespace lptseg::test
