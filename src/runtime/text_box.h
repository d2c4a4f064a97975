#pragma once

#include "colour.h"
#include "twips.h"

#include <QWidget>
#include <optional>

namespace lptseg {

class Window;

// A text box used only as a coloured rectangle: it holds no text and takes no
// focus. Until a BackColor is set it shows the default text box background.
class TextBox : public QWidget {
public:
    TextBox(Window& form, const Twips& place, int tabIndex);

    void SetBackColor(Colour colour);
    // What the box shows now.
    QColor ShownColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Colour> backColor_;
};

} // namespace lptseg
