#pragma once

#include <QRect>

namespace lptseg {

// The window is designed in twips: 1/1440 inch, 15 to a device-independent pixel.
inline constexpr int TwipsPerPixel = 15;

// A control's place in the window's client area, in twips.
struct Twips {
    int left;
    int top;
    int width;
    int height;

    QRect ToPixels() const {
        return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                     height / TwipsPerPixel);
    }
};

} // namespace lptseg
