#pragma once

#include <string>

namespace lptseg {

// The box a banner scrolls in. Every length is in the box's own scale units.
class BannerBox {
public:
    virtual ~BannerBox() = default;
    virtual float ScaleWidth() const = 0;
    virtual float TextWidth(const std::string& text) const = 0;
    virtual void Cls() = 0;
    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;
    virtual void Print(const std::string& text) = 0;
};

// How far a banner moves on each tick, in scale units.
inline constexpr float ScrollStep = 30.0f;

// One line of text moving right to left through its box, starting again at the
// right once it has left on the left. One per banner, kept for the window's life.
struct ScrollBanner {
    bool started = false;
    float textWidth = 0.0f; // measured once, at the first tick
    float posX = 0.0f;      // where the text is drawn on the next tick

    // One timer tick: draw the text at posX, then move it one step left.
    void Tick(BannerBox& box, const std::string& text);
};

} // namespace lptseg
