#include "label.h"

#include "window.h"

namespace lptseg {

Label::Label(Window& form, const Twips& place, Colour backColor, Colour foreColor,
             const FontSpec& font, int tabIndex)
    : QLabel(&form) {
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(backColor));
    p.setColor(QPalette::WindowText, ToQColor(foreColor));
    setPalette(p);
    setAutoFillBackground(true);
    setFont(font.ToQFont());
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form.Place(*this, place, tabIndex);
}

} // namespace lptseg
