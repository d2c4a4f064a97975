#include "figure.h"

#include "window.h"

#include <QAccessible>
#include <algorithm>

namespace lptseg {

Figure::Figure(Window& form, std::initializer_list<QWidget*> parts)
    : QWidget(&form), parts_(parts) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QRect area;
    for (QWidget* part : parts_)
        area |= part->geometry();
    setGeometry(area);
}

void Figure::Describe(const QString& what) {
    if (what == description_)
        return;
    description_ = what;
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

bool Figure::HasPart(const QWidget& control) const {
    return std::find(parts_.begin(), parts_.end(), &control) != parts_.end();
}

} // namespace lptseg
