#include "option_button.h"

#include "qt_colour.h"
#include "window.h"

namespace lptseg {

OptionButton::OptionButton(Window& form, const QString& caption, const Twips& place,
                           Colour backColor, bool selected, int tabIndex,
                           std::function<void()> onClick)
    : QRadioButton(&form) {
    // The caption is set here, not by QRadioButton: setting it makes Qt build the
    // button's accessible interface, which must be built for an OptionButton.
    setText(caption);
    SetColours(*this, backColor);
    setChecked(selected);
    form.Place(*this, place, tabIndex);
    connect(this, &QAbstractButton::clicked, this,
            [&form, onClick = std::move(onClick)] { form.Raise(onClick); });
}

} // namespace lptseg
