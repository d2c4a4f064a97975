#include "fakes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <functional>

namespace lptseg::test {
namespace {

struct ControlRow {
    const char* name;
    std::function<QWidget&(Form1&)> control;
    int left, top, width, height; // twips
    const char* caption;          // nullptr where the control has none
};
void PrintTo(const ControlRow& row, std::ostream* out) {
    *out << row.name;
}

#define CONTROL(member) #member, [](Form1 & f) -> QWidget& { return f.member; }

const std::vector<ControlRow> Layout = {
    {CONTROL(Command10), 480, 120, 615, 495, "0"},
    {CONTROL(Command1), 1200, 120, 615, 495, "1"},
    {CONTROL(Command9), 480, 720, 615, 495, "2"},
    {CONTROL(Command8), 1200, 720, 615, 495, "3"},
    {CONTROL(Command7), 480, 1320, 615, 495, "4"},
    {CONTROL(Command6), 1200, 1320, 615, 495, "5"},
    {CONTROL(Command5), 480, 1920, 615, 495, "6"},
    {CONTROL(Command4), 1200, 1920, 615, 495, "7"},
    {CONTROL(Command3), 480, 2520, 615, 495, "8"},
    {CONTROL(Command2), 1200, 2520, 615, 495, "9"},
    {CONTROL(Command12), 480, 3240, 1335, 255, "Brisi"},
    {CONTROL(Command11), 480, 3480, 1335, 345, "Zatvori"},
    {CONTROL(txt1[0]), 3120, 360, 975, 285, nullptr},
    {CONTROL(txt4[1]), 3120, 1320, 975, 285, nullptr},
    {CONTROL(txt7[2]), 3120, 2280, 975, 285, nullptr},
    {CONTROL(txt3[0]), 4080, 600, 255, 735, nullptr},
    {CONTROL(txt2[1]), 2880, 600, 255, 735, nullptr},
    {CONTROL(txt5[2]), 2880, 1560, 255, 735, nullptr},
    {CONTROL(txt6[3]), 4080, 1560, 255, 735, nullptr},
    {CONTROL(Picture2), 2880, 2640, 1455, 375, nullptr},
    {CONTROL(lbl2), 2880, 3240, 1215, 255, ""},
    {CONTROL(lbl1), 2880, 3480, 1215, 255, ""},
    {CONTROL(Frame1), 480, 3960, 4455, 615, "Adresa"},
    {CONTROL(op378), 1560, 4080, 1095, 375, "378"},
    {CONTROL(op278), 2760, 4080, 975, 375, "278"},
    {CONTROL(op3bc), 3840, 4080, 975, 375, "3BC"},
    {CONTROL(Picture1), 480, 4680, 4335, 495, nullptr},
};

class LayoutTest : public FormTest, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(LayoutTest, ControlSitsAtItsDesignedPlace) {
    ASSERT_TRUE(Open());
    const ControlRow& row = GetParam();
    QWidget& control = row.control(*form);
    EXPECT_EQ(control.geometry(),
              QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15));
    EXPECT_EQ(control.parentWidget(), form.get());
    if (!row.caption)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(&control))
        EXPECT_EQ(button->text(), row.caption);
    else if (auto* label = qobject_cast<QLabel*>(&control))
        EXPECT_EQ(label->text(), row.caption);
    else if (auto* frame = dynamic_cast<Frame*>(&control))
        EXPECT_EQ(frame->Caption(), row.caption);
    else
        ADD_FAILURE() << row.name << " has no caption";
}

INSTANTIATE_TEST_SUITE_P(AllControls, LayoutTest, ::testing::ValuesIn(Layout),
                         [](const auto& info) {
                             std::string name = info.param.name; // "txt1[0]" as "txt1_0"
                             std::erase(name, ']');
                             std::replace(name.begin(), name.end(), '[', '_');
                             return name;
                         });

TEST_F(FormTest, WindowHasItsCaptionSizeAndColour) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->windowTitle(), "Upravljanje 7-segmentnim diodnim zaslonom");
    EXPECT_EQ(form->size(), QSize(343, 356));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()); // cannot be resized
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(form->grab().toImage().pixelColor(2, 340), QColor(0, 255, 255));
}

// A pixel of the face away from the caption, the bevel and the focus mark.
QColor FaceColour(QWidget& button) {
    return button.grab().toImage().pixelColor(2, button.height() / 2);
}

TEST_F(FormTest, StartsWithYellowKeypadGreenCloseAndBlankDecorations) {
    ASSERT_TRUE(Open());
    for (CommandButton* digit :
         {&form->Command10, &form->Command1, &form->Command2, &form->Command3, &form->Command4,
          &form->Command5, &form->Command6, &form->Command7, &form->Command8, &form->Command9,
          &form->Command12})
        EXPECT_EQ(FaceColour(*digit), QColor(255, 255, 0)) << digit->text().toStdString();
    EXPECT_EQ(FaceColour(form->Command11), QColor(0, 255, 0));
    EXPECT_TRUE(form->op378.isChecked());
    EXPECT_FALSE(form->op278.isChecked());
    EXPECT_FALSE(form->op3bc.isChecked());
    EXPECT_EQ(form->lbl1.Caption(), "");
    EXPECT_EQ(form->lbl2.Caption(), "");
    for (PictureBox* banner : {&form->Picture1, &form->Picture2})
        EXPECT_EQ(banner->grab().toImage().pixelColor(banner->width() / 2, banner->height() / 2),
                  QColor(0, 255, 255));
    EXPECT_EQ(form->Picture1.toolTip(), " Autor");
    EXPECT_EQ(form->Picture2.toolTip(), "Trenutni broj");
    // The segment boxes show the text box default until the first digit or Clear.
    const QColor base = form->palette().color(QPalette::Base);
    EXPECT_EQ(form->txt4[1].grab().toImage().pixelColor(10, 5), base);
}

TEST_F(FormTest, TabOrderFollowsTheDesignAndStartsOnOne) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->focusWidget(), &form->Command1);
    const std::vector<QWidget*> expected = {
        &form->Command1,  &form->Command2, &form->Command3, &form->Command4, &form->Command5,
        &form->Command6,  &form->Command7, &form->Command8, &form->Command9, &form->Command10,
        &form->Command11, &form->op378,    &form->op278,    &form->op3bc,    &form->Command12};
    QWidget* at = &form->Command1;
    for (std::size_t i = 1; i < expected.size(); ++i) {
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(at, expected[i]) << "tab stop " << i;
    }
}

TEST_F(FormTest, SegmentBoxesAndBannersTakeNoFocus) {
    ASSERT_TRUE(Open());
    for (QWidget* w : std::initializer_list<QWidget*>{
             &form->txt1[0], &form->txt2[1], &form->txt3[0], &form->txt4[1], &form->txt5[2],
             &form->txt6[3], &form->txt7[2], &form->Picture1, &form->Picture2})
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
}

TEST_F(FormTest, TimersExistWithTheirIntervals) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(form->Timer1.Interval(), 50);
    EXPECT_EQ(form->Timer2.Interval(), 30);
    EXPECT_EQ(form->Timer3.Interval(), 1000);
    EXPECT_EQ(form->Timer4.Interval(), 26000);
    EXPECT_EQ(form->Timer5.Interval(), 39000);
    for (Timer* t : {&form->Timer1, &form->Timer2, &form->Timer3, &form->Timer4, &form->Timer5})
        EXPECT_TRUE(t->Enabled());
}

// What a screen reader meets, read through Qt's accessibility interface.
struct Node {
    QAccessible::Role role;
    QString name;
    QObject* object;
    std::vector<Node> children;
};

// The tree below an interface; every child must name its parent as the parent.
Node Read(QAccessibleInterface* at) {
    Node node{at->role(), at->text(QAccessible::Name), at->object(), {}};
    for (int i = 0; i < at->childCount(); ++i) {
        QAccessibleInterface* child = at->child(i);
        EXPECT_EQ(child->parent(), at) << child->text(QAccessible::Name).toStdString();
        EXPECT_EQ(at->indexOfChild(child), i);
        node.children.push_back(Read(child));
    }
    return node;
}

// The names of the nodes of one role anywhere below.
std::vector<QString> Named(const Node& node, QAccessible::Role role) {
    std::vector<QString> names;
    for (const Node& child : node.children) {
        if (child.role == role)
            names.push_back(child.name);
        const auto deeper = Named(child, role);
        names.insert(names.end(), deeper.begin(), deeper.end());
    }
    return names;
}

std::vector<QString> NamesOf(std::initializer_list<const char*> names) {
    return {names.begin(), names.end()};
}

TEST_F(FormTest, ScreenReaderMeetsTheWindowOneFigureAndTheAddressGroup) {
    ASSERT_TRUE(Open());
    const Node window = Read(QAccessible::queryAccessibleInterface(form.get()));
    EXPECT_EQ(window.role, QAccessible::Window);
    EXPECT_EQ(window.name, "Upravljanje 7-segmentnim diodnim zaslonom");
    // The figure is one graphic; its seven boxes are nowhere in the tree.
    EXPECT_EQ(Named(window, QAccessible::Graphic), NamesOf({"prazno"}));
    EXPECT_EQ(Named(window, QAccessible::Client).size(), 2u) << "only the two banners";
    // The options are read inside their group, and only there.
    EXPECT_EQ(Named(window, QAccessible::Grouping), NamesOf({"Adresa"}));
    const auto group = std::find_if(window.children.begin(), window.children.end(),
                                    [](const Node& n) { return n.role == QAccessible::Grouping; });
    ASSERT_NE(group, window.children.end());
    EXPECT_EQ(Named(*group, QAccessible::RadioButton), NamesOf({"378", "278", "3BC"}));
    EXPECT_EQ(Named(window, QAccessible::RadioButton).size(), 3u);
    EXPECT_EQ(Named(window, QAccessible::Button).size(), 12u);
}

TEST_F(FormTest, ScreenReaderReadsWhatTheFigureShows) {
    ASSERT_TRUE(Open());
    QAccessibleInterface* figure = QAccessible::queryAccessibleInterface(&form->figure);
    std::vector<QString> read;
    auto after = [&](auto action) {
        action();
        read.push_back(figure->text(QAccessible::Name));
    };
    after([&] { Click(form->Command4); });
    after([&] { QTest::keyClick(form->focusWidget(), Qt::Key_0); });
    after([&] { Click(form->Command12); });
    after([&] { QTest::keyClick(form->focusWidget(), Qt::Key_8); });
    after([&] { QTest::keyClick(form->focusWidget(), Qt::Key_Delete); });
    after([&] { Click(form->Command2); });
    port.fail = true;
    after([&] { Click(form->Command9); }); // "2" fails before the figure changes
    EXPECT_EQ(read, NamesOf({"7", "0", "prazno", "8", "prazno", "9", "9"}));
}

} // namespace
} // namespace lptseg::test
