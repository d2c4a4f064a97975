#include "accessibility.h"

#include "figure.h"
#include "frame.h"
#include "option_button.h"
#include "window.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <vector>

namespace lptseg {
namespace {

QAccessibleInterface* Interface(QObject* object) {
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

template <class Control> std::vector<Control*> ChildrenOf(const QWidget& parent) {
    std::vector<Control*> found;
    for (QObject* child : parent.children())
        if (auto* control = dynamic_cast<Control*>(child))
            found.push_back(control);
    return found;
}

// The option buttons lie on the window, over their frame, not in it.
Frame* FrameAround(const QWidget& control) {
    if (!dynamic_cast<const OptionButton*>(&control) || !control.parentWidget())
        return nullptr;
    for (Frame* frame : ChildrenOf<Frame>(*control.parentWidget()))
        if (frame->geometry().contains(control.geometry()))
            return frame;
    return nullptr;
}

// The controls a screen reader visits in a window, or in one of its frames, in
// the window's order: neither a figure's parts nor, at the window's level, the
// option buttons of a frame.
std::vector<QWidget*> Visited(const QWidget& window, const Frame* frame) {
    const auto figures = ChildrenOf<Figure>(window);
    std::vector<QWidget*> visited;
    for (QWidget* control : ChildrenOf<QWidget>(window)) {
        const bool part = std::any_of(figures.begin(), figures.end(),
                                      [control](Figure* f) { return f->HasPart(*control); });
        if (!control->isWindow() && !part && FrameAround(*control) == frame)
            visited.push_back(control);
    }
    return visited;
}

// A window, or a frame, with the children a screen reader should visit.
class Container : public QAccessibleWidget {
public:
    Container(QWidget* widget, QAccessible::Role role, const QString& name, const Frame* frame)
        : QAccessibleWidget(widget, role, name), frame_(frame) {}

    int childCount() const override { return int(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto children = Children();
        return index >= 0 && index < int(children.size()) ? Interface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto children = Children();
        const auto at =
            std::find(children.begin(), children.end(), child ? child->object() : nullptr);
        return at == children.end() ? -1 : int(at - children.begin());
    }

private:
    std::vector<QWidget*> Children() const {
        const QWidget* window = frame_ ? widget()->parentWidget() : widget();
        return window ? Visited(*window, frame_) : std::vector<QWidget*>{};
    }
    const Frame* frame_;
};

// Qt's own option button, but a member of the frame it lies in.
class GroupedOption : public QAccessibleWidget {
public:
    explicit GroupedOption(OptionButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessibleInterface* parent() const override {
        Frame* frame = FrameAround(*widget());
        return frame ? Interface(frame) : QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Button().text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Button().isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            Button().click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    OptionButton& Button() const { return *static_cast<OptionButton*>(widget()); }
};

// A figure: one graphic, named by what it shows.
class WholeFigure : public QAccessibleWidget {
public:
    explicit WholeFigure(Figure* figure) : QAccessibleWidget(figure, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Figure*>(widget())->Description()
                                      : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Create(const QString&, QObject* object) {
    if (auto* window = dynamic_cast<Window*>(object))
        return new Container(window, QAccessible::Window, {}, nullptr);
    if (auto* frame = dynamic_cast<Frame*>(object))
        return new Container(frame, QAccessible::Grouping, frame->Caption(), frame);
    if (auto* option = dynamic_cast<OptionButton*>(object))
        return new GroupedOption(option);
    if (auto* figure = dynamic_cast<Figure*>(object))
        return new WholeFigure(figure);
    return nullptr;
}

} // namespace

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(Create), true);
    (void)installed;
}

} // namespace lptseg
