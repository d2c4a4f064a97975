#include "label.h"

#include "qt_colour.h"
#include "window.h"

#include <QFontMetrics>

namespace lptseg {

Label::Label(Window& form, const Twips& place, Colour backColor, Colour foreColor,
             const FontSpec& font, int tabIndex)
    : QLabel(&form) {
    SetColours(*this, backColor, foreColor);
    setFont(font.ToQFont());
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form.Place(*this, place, tabIndex);
}

bool Label::Fits(const QString& caption) const {
    return QFontMetrics(font()).horizontalAdvance(caption) <= contentsRect().width();
}

} // namespace lptseg
