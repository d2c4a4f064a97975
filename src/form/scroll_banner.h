#pragma once

#include <string>

namespace lptseg {

// How far a banner moves on each tick, in the box's scale units.
inline constexpr float ScrollStep = 30.0f;

// One line of text moving right to left through its box, starting again at the
// right once it has left on the left. One per banner, kept for the window's life.
// The box is a picture box, or anything else with its ScaleWidth, TextWidth,
// Cls, SetCurrentX, SetCurrentY and Print; every length is in its scale units.
struct ScrollBanner {
    bool started = false;
    float textWidth = 0.0f; // measured once, at the first tick
    float posX = 0.0f;      // where the text is drawn on the next tick

    // One timer tick: draw the text at posX, then move it one step left.
    template <class Box> void Tick(Box& box, const std::string& text) {
        if (!started) {
            textWidth = box.TextWidth(text);
            started = true;
            posX = box.ScaleWidth(); // just outside the right edge: it enters from there
        }
        box.Cls();
        box.SetCurrentX(posX);
        box.SetCurrentY(0.0f);
        box.Print(text);
        posX = posX - ScrollStep;
        // Strictly past its own width to the left: the text has left the box.
        if (-textWidth > posX)
            posX = box.ScaleWidth();
    }
};

} // namespace lptseg
