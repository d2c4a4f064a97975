#include "scroll_banner.h"

namespace lptseg {

void ScrollBanner::Tick(BannerBox& box, const std::string& text) {
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

} // namespace lptseg
