#pragma once

#include "colour.h"
#include "font_spec.h"
#include "twips.h"

#include <QLabel>

namespace lptseg {

class Window;

// A label whose caption the program sets at any time.
class Label : public QLabel {
public:
    Label(Window& form, const Twips& place, Colour backColor, Colour foreColor,
          const FontSpec& font, int tabIndex);

    void SetCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }
    // Whether a caption would show whole on one line, in the label's font.
    bool Fits(const QString& caption) const;
};

} // namespace lptseg
