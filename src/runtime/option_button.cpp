#include "option_button.h"

#include "qt_colour.h"
#include "window.h"

namespace lptseg {

OptionButton::OptionButton(Window& form, const QString& caption, const Twips& place,
                           Colour backColor, bool selected, int tabIndex,
                           std::function<void()> onClick)
    : QRadioButton(caption, &form) {
    SetColours(*this, backColor);
    setChecked(selected);
    form.Place(*this, place, tabIndex);
    connect(this, &QAbstractButton::clicked, this,
            [&form, onClick = std::move(onClick)] { form.Raise(onClick); });
}

} // namespace lptseg
