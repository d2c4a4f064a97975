#pragma once

#include "colour.h"
#include "font_spec.h"
#include "twips.h"

#include <QAbstractButton>
#include <QTimer>
#include <functional>

namespace lptseg {

class Window;

// A graphical command button: a flat face in exactly its BackColor, a raised
// bevel, and the caption centred. A click, Space, or Enter while it has the focus
// raises its click handler.
class CommandButton : public QAbstractButton {
public:
    CommandButton(Window& form, const QString& caption, const Twips& place, Colour backColor,
                  const FontSpec& font, int tabIndex, std::function<void()> onClick);

    void SetBackColor(Colour colour);
    Colour BackColor() const { return backColor_; }

    // Presses the button from the keyboard: the handler runs at once and the
    // button shows its pressed look for a moment.
    void Press();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QSize sizeHint() const override { return size(); }

private:
    Colour backColor_;
    QTimer pressedLook_;
};

} // namespace lptseg
