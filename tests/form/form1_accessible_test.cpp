// What a screen reader meets, read through Qt's accessibility interface.
#include "fakes.h"

#include <QAccessible>

namespace lptseg::test {
namespace {

struct Node {
    QAccessible::Role role, parent;
    QString name;
};

// Every node below `at`; each child must name `at` as its parent.
void Read(QAccessibleInterface* at, std::vector<Node>& nodes) {
    for (int i = 0; i < at->childCount(); ++i) {
        QAccessibleInterface* child = at->child(i);
        nodes.push_back({child->role(), at->role(), child->text(QAccessible::Name)});
        EXPECT_TRUE(child->parent() == at && at->indexOfChild(child) == i)
            << nodes.back().name.toStdString();
        Read(child, nodes);
    }
}

// The names of the nodes of one role, each with its parent's role if that is
// not the window.
std::vector<QString> Named(const std::vector<Node>& nodes, QAccessible::Role role) {
    std::vector<QString> names;
    for (const Node& node : nodes)
        if (node.role == role)
            names.push_back(node.parent == QAccessible::Window
                                ? node.name
                                : QString::number(node.parent) + ":" + node.name);
    return names;
}

std::vector<QString> NamesOf(std::initializer_list<QString> names) {
    return {names.begin(), names.end()};
}

TEST_F(FormTest, ScreenReaderMeetsTheWindowOneFigureAndTheAddressGroup) {
    ASSERT_TRUE(Open());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Upravljanje 7-segmentnim diodnim zaslonom");
    std::vector<Node> nodes;
    Read(window, nodes);
    // The figure is one graphic; its seven boxes are nowhere in the tree.
    EXPECT_EQ(Named(nodes, QAccessible::Graphic), NamesOf({"prazno"}));
    EXPECT_EQ(Named(nodes, QAccessible::Client).size(), 2u) << "only the two banners";
    // The options are read inside their group, and only there.
    EXPECT_EQ(Named(nodes, QAccessible::Grouping), NamesOf({"Adresa"}));
    const QString group = QString::number(QAccessible::Grouping) + ":";
    EXPECT_EQ(Named(nodes, QAccessible::RadioButton),
              NamesOf({group + "378", group + "278", group + "3BC"}));
    EXPECT_EQ(Named(nodes, QAccessible::Button).size(), 12u);
    // Which option is selected is read too, and follows a click; so does what
    // the figure shows, until a failed write leaves it as it was.
    auto read = [this](QWidget& control) {
        const QAccessibleInterface* at = QAccessible::queryAccessibleInterface(&control);
        return at->state().checked ? "checked" : at->text(QAccessible::Name);
    };
    EXPECT_EQ(read(form->op378), "checked");
    // The reader's own "press" selects an option as a click does.
    QAccessible::queryAccessibleInterface(&form->op278)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    std::vector<QString> seen = {read(form->op378), read(form->op278)};
    for (CommandButton* b : {&form->Command4, &form->Command12, &form->Command2, &form->Command9}) {
        portFails = b == &form->Command9; // "2" fails
        Click(*b);
        seen.push_back(read(form->figure));
    }
    EXPECT_EQ(seen, NamesOf({"378", "checked", "7", "prazno", "9", "9"}));
}

} // namespace
} // namespace lptseg::test
