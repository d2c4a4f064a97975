#include "text_box.h"

#include "qt_colour.h"
#include "window.h"

#include <QPainter>

namespace lptseg {

TextBox::TextBox(Window& form, const Twips& place, int tabIndex) : QWidget(&form) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    form.Place(*this, place, tabIndex);
}

void TextBox::SetBackColor(Colour colour) {
    backColor_ = colour;
    update();
}

QColor TextBox::ShownColor() const {
    return backColor_ ? ToQColor(*backColor_) : palette().color(QPalette::Base);
}

void TextBox::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), ShownColor());
}

} // namespace lptseg
