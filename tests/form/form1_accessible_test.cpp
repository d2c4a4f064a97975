// What a screen reader meets, read through Qt's accessibility interface.
#include "fakes.h"

#include <QAccessible>
#include <QTest>
#include <algorithm>

namespace lptseg::test {
namespace {

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
    // Which option is selected is read too, and follows a click.
    auto checked = [this](OptionButton& option) {
        return QAccessible::queryAccessibleInterface(&option)->state().checked != 0;
    };
    EXPECT_TRUE(checked(form->op378));
    Click(form->op278);
    EXPECT_TRUE(checked(form->op278));
    EXPECT_FALSE(checked(form->op378));
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
