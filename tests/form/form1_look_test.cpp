// How the window looks: where its controls are, and what they paint, compared
// with what the window's design says, pixel by pixel where the program draws.
#include "fakes.h"

#include <QPainter>
#include <QTest>
#include <algorithm>
#include <functional>

namespace lptseg::test {
namespace {

// What a user sees of the layout: the keypad two columns by five rows in
// reading order with Clear and Close under it as wide as both columns; the
// figure an eight; the number banner, date and time under it; the options in
// a row in their frame; the credit banner at the foot; nothing outside.
TEST_F(FormTest, ControlsLineUpAsDesigned) {
    ASSERT_TRUE(Open());
    Form1& f = *form;
    auto at = [](const QWidget& w) { return w.geometry(); };
    const std::vector<CommandButton*> digits = Keypad(f);
    const QRect zero = at(*digits[0]);
    const QPoint column = digits[1]->pos() - zero.topLeft(),
                 row = digits[2]->pos() - zero.topLeft();
    EXPECT_TRUE(column.x() > zero.width() && column.y() == 0 && row.x() == 0 &&
                row.y() > zero.height());
    for (int d = 0; d < 10; ++d)
        EXPECT_EQ(at(*digits[d]), zero.translated(column * (d % 2) + row * (d / 2)))
            << "digit " << d;
    EXPECT_TRUE(f.Command12.y() > at(*digits[8]).bottom() && f.Command11.y() > f.Command12.y());
    for (QWidget* w :
         std::initializer_list<QWidget*>{&f.Command12, &f.Command11, &f.Frame1, &f.Picture1})
        EXPECT_EQ(w->x(), zero.x()) << w->metaObject()->className();
    EXPECT_TRUE(at(f.Command12).right() == at(*digits[1]).right() &&
                at(f.Command11).right() == at(*digits[1]).right());
    // Bars a, g, d one step apart; uprights f and b from a to g, e and c from g to d.
    const QRect a = at(f.txt1[0]), g = at(f.txt4[1]), d = at(f.txt7[2]);
    const QRect fl = at(f.txt2[1]), e = at(f.txt5[2]), b = at(f.txt3[0]), c = at(f.txt6[3]);
    const QPoint down(0, g.y() - a.y());
    EXPECT_GT(down.y(), a.height());
    EXPECT_TRUE(g == a.translated(down) && d == g.translated(down));
    EXPECT_TRUE(e == fl.translated(down) && c == b.translated(down) && b.y() == fl.y());
    EXPECT_TRUE(fl.left() < a.left() && a.right() < b.right());
    for (QRect upright : {fl, b})
        EXPECT_TRUE(upright.intersects(a) && upright.intersects(g) && !upright.intersects(d));
    for (QRect upright : {e, c})
        EXPECT_TRUE(upright.intersects(g) && upright.intersects(d) && !upright.intersects(a));
    for (QWidget* w : std::initializer_list<QWidget*>{&f.Picture2, &f.lbl2, &f.lbl1})
        EXPECT_EQ(w->x(), fl.x()) << w->metaObject()->className();
    EXPECT_EQ(at(f.Picture2).right(), b.right());
    EXPECT_TRUE(d.bottom() < f.Picture2.y() && at(f.Picture2).bottom() < f.lbl2.y() &&
                f.lbl2.y() < f.lbl1.y());
    int right = f.Frame1.x();
    for (OptionButton* o : {&f.op378, &f.op278, &f.op3bc}) {
        EXPECT_TRUE(at(f.Frame1).contains(at(*o)) && o->y() == f.op378.y() && o->x() > right)
            << o->text().toStdString();
        right = at(*o).right();
    }
    EXPECT_LT(at(f.Frame1).bottom(), f.Picture1.y());
    for (QWidget* w : f.findChildren<QWidget*>())
        EXPECT_TRUE(!w->isVisible() || (f.rect().contains(at(*w)) && !at(*w).isEmpty()))
            << w->metaObject()->className();
}

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

// Each change of a button's look reaches the screen: the button is repainted.
TEST_F(FormTest, EveryChangeOfAButtonsLookIsRepainted) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    CommandButton& b = form->Command4;
    b.setFocus();
    PaintWatch watch(b);
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"mouse down", [&] { QTest::mousePress(&b, Qt::LeftButton, {}, b.rect().center()); }},
        {"dragged off", [&] { SendMouse(b, QEvent::MouseMove, false); }},
        {"dragged back", [&] { SendMouse(b, QEvent::MouseMove, true); }},
        {"mouse up", [&] { QTest::mouseRelease(&b, Qt::LeftButton, {}, b.rect().center()); }},
        {"Space down", [&] { QTest::keyPress(&b, Qt::Key_Space); }},
        {"Space up", [&] { QTest::keyRelease(&b, Qt::Key_Space); }},
        {"key 7", [&] { QTest::keyClick(&b, Qt::Key_7); }},
        {"the look ends", [&] { b.EndPressedLook(); }}};
    for (const auto& [name, step] : steps) {
        QCoreApplication::processEvents();
        watch.painted = QRegion();
        step();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !watch.painted.isEmpty(); }, 1000))
            << "not repainted after " << name;
    }
}

// The labels, the frame and the options lie on cyan, more than half of each;
// the labels' text is dark grey; the frame's caption sits in its top edge
// left of the first option; its etched border is lit from the top left.
TEST_F(FormTest, LabelsFrameAndOptionsShowTheirColours) {
    ASSERT_TRUE(Open());
    form->Timer3.Fire(); // the labels show the time and date
    for (QWidget* control : std::initializer_list<QWidget*>{
             &form->lbl1, &form->lbl2, &form->Frame1, &form->op378, &form->op278, &form->op3bc}) {
        const QImage shown = control->grab().toImage();
        EXPECT_GT(Count(shown, QColor(0, 255, 255)) * 2, shown.width() * shown.height())
            << control->metaObject()->className();
    }
    // Antialiased text blends into the background; its full colour must be there.
    for (Label* label : {&form->lbl1, &form->lbl2})
        EXPECT_GT(Count(label->grab().toImage(), QColor(64, 64, 64)), 0);
    // Coming in from the left or the top one meets a grey line then a white
    // one; from the right or the bottom, a white one then a grey one.
    const QImage etched = form->Frame1.grab().toImage();
    auto firstTwo = [&etched](QPoint at, QPoint step) {
        std::vector<QColor> met;
        for (; etched.rect().contains(at) && met.size() < 2; at += step)
            if (etched.pixelColor(at) != QColor(0, 255, 255))
                met.push_back(etched.pixelColor(at));
        return met;
    };
    const std::vector<QColor> greyWhite{QColor(128, 128, 128), Qt::white};
    const std::vector<QColor> whiteGrey{greyWhite.rbegin(), greyWhite.rend()};
    const int x = etched.width() * 3 / 4, y = etched.height() * 3 / 4;
    EXPECT_EQ(firstTwo({0, y}, {1, 0}), greyWhite) << "left";
    EXPECT_EQ(firstTwo({x, 0}, {0, 1}), greyWhite) << "top";
    EXPECT_EQ(firstTwo({etched.width() - 1, y}, {-1, 0}), whiteGrey) << "right";
    EXPECT_EQ(firstTwo({x, etched.height() - 1}, {0, -1}), whiteGrey) << "bottom";
    // The caption's ink, left of the first option, breaks the top line through
    // its middle: a piece of the line, a gap, the caption, a gap, the line.
    int line = 0;
    while (line < etched.height() && etched.pixelColor(x, line) != greyWhite[0])
        ++line;
    ASSERT_LT(line, etched.height()) << "no top line";
    QRect ink;
    for (int row = 0; row < line * 2; ++row)
        for (int col = 0; col < form->op378.x() - form->Frame1.x(); ++col)
            if (etched.pixelColor(col, row).lightness() < 100)
                ink |= QRect(col, row, 1, 1);
    EXPECT_GE(ink.width() * ink.height(), 100) << "caption";
    EXPECT_LE(std::abs(ink.center().y() - line), 1) << "line " << line << " through the caption";
    EXPECT_GT(ink.left(), 5) << "no line left of the caption";
    for (int col = 2; col < etched.width() - 2; ++col)
        EXPECT_EQ(etched.pixelColor(col, line) == greyWhite[0],
                  col < ink.left() - 2 || col > ink.right() + 2)
            << "top line at " << col;
}

// Only the buttons and options take the focus, in the design's order from "1".
TEST_F(FormTest, TabOrderFollowsTheDesignAndStartsOnOne) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->focusWidget(), &form->Command1);
    const std::vector<QWidget*> expected = {
        &form->Command1, &form->Command2,  &form->Command3,  &form->Command4,
        &form->Command5, &form->Command6,  &form->Command7,  &form->Command8,
        &form->Command9, &form->Command10, &form->Command11, &form->op378,
        &form->op278,    &form->op3bc,     &form->Command12, &form->Command1};
    QWidget* at = &form->Command1;
    for (std::size_t i = 1; i < expected.size(); ++i) {
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(at, expected[i]) << "tab stop " << i;
    }
}

// At the start the labels, banners and figure are blank, and every timer
// runs: the banners step every 50 and 30 ms, the clock every second, the
// keypad turns red after 26 s and dark red after 39 s. (That 378 is chosen the
// screen reader test reads.)
TEST_F(FormTest, StartsWithTheTimersRunningAndTheDecorationsBlank) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->lbl1.Caption() + form->lbl2.Caption(), "");
    for (PictureBox* banner : {&form->Picture1, &form->Picture2})
        EXPECT_EQ(InkIn(banner->grab().toImage()), 0) << banner->toolTip().toStdString();
    std::vector<int> intervals;
    for (Timer* t : Timers(*form))
        intervals.push_back(t->Enabled() ? t->Interval() : -1);
    EXPECT_EQ(intervals, (std::vector<int>{50, 30, 1000, 26000, 39000}));
    EXPECT_EQ(form->Picture1.toolTip() + form->Picture2.toolTip(), " AutorTrenutni broj");
    // The segment boxes show the text box default until the first digit or Clear.
    EXPECT_EQ(form->txt4[1].grab().toImage().pixelColor(10, 5),
              form->palette().color(QPalette::Base));
}

} // namespace
} // namespace lptseg::test
