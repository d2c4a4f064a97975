#pragma once

#include "colour.h"
#include "font_spec.h"
#include "twips.h"

#include <QAbstractButton>
#include <QTimer>
#include <functional>
#include <utility>

namespace lptseg {

class Window;

// A graphical command button: a flat face in exactly its BackColor, a raised
// bevel, and the caption centred. A click, Space, or Enter while it has the focus
// raises its click handler.
//
// Every press counts on its own: a mouse press, a held Space and the short
// pressed look of a keyboard press may overlap on one button, and each completed
// press raises the handler once. The sunken look only shows them; it never
// decides whether a press counts.
//
// A held Space is one press, counted on its real release. X sends auto-repeat as
// a release and a press with the same timestamp, and Qt marks the pair only when
// both had arrived when it looked; so a Space release counts only after a moment
// in which no such press followed.
class CommandButton : public QAbstractButton {
public:
    CommandButton(Window& form, const QString& caption, const Twips& place, Colour backColor,
                  const FontSpec& font, int tabIndex, std::function<void()> onClick = {});

    // The click handler, for a button whose handler is given after it is created.
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

    void SetBackColor(Colour colour);
    Colour BackColor() const { return backColor_; }

    // Presses the button from the keyboard: the handler runs at once and the
    // button shows its pressed look for a moment.
    void Press();

    // Whether the button is drawn sunken now.
    bool ShowsPressed() const;
    // Ends the pressed look of keyboard presses now; its timer calls this.
    void EndPressedLook();
    // Counts a Space release that no auto-repeat press followed; its timer calls this.
    void SettleSpaceRelease();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QSize sizeHint() const override { return size(); }

private:
    std::function<void()> onClick_;
    Colour backColor_;
    QTimer pressedLook_{this};
    bool keyLook_ = false;       // a keyboard press shows for a moment
    bool mouseHeld_ = false;     // the left button went down on the button and is still down
    bool pointerOver_ = false;   // while held: the pointer is over the button
    bool spaceHeld_ = false;     // Space went down while the button had the focus
    bool spaceReleased_ = false; // and went up; its release waits to be counted
    QTimer spaceRelease_{this};
    unsigned long spaceReleasedAt_ = 0; // the X time of the last Space release
};

} // namespace lptseg
