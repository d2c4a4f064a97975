#include "font_spec.h"

#include <QStringList>

namespace lptseg {

QFont FontSpec::ToQFont() const {
    QFont font;
    if (face == VinetaBT) {
        // A decorative script face; a serif italic is the nearest common stand-in.
        font.setFamilies({"Vineta BT", "Liberation Serif", "Times New Roman", "DejaVu Serif"});
        font.setStyleHint(QFont::Serif);
    } else {
        font.setFamilies(
            {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace lptseg
