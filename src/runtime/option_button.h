#pragma once

#include "colour.h"
#include "twips.h"

#include <QRadioButton>
#include <functional>

namespace lptseg {

class Window;

// An option button. All option buttons of a window form one group: selecting one
// deselects the others. Its click handler is raised when the user selects it.
class OptionButton : public QRadioButton {
public:
    OptionButton(Window& form, const QString& caption, const Twips& place, Colour backColor,
                 bool selected, int tabIndex, std::function<void()> onClick);

    // Whether the button reads selected.
    bool Value() const { return isChecked(); }
};

} // namespace lptseg
