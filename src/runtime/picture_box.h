#pragma once

#include "colour.h"
#include "font_spec.h"
#include "twips.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

namespace lptseg {

class Window;

// A picture box: a surface the program draws text on. Cls erases it to its
// BackColor; Print draws at CurrentX, CurrentY in its ForeColor and font. Its
// scale unit is the twip. What is drawn stays until the next Cls.
//
// A banner prints the same text many times a second, so each text is laid out
// and rendered once and then only blitted; Cls erases, and the box repaints,
// only the part that was drawn on.
class PictureBox : public QWidget {
public:
    PictureBox(Window& form, const Twips& place, Colour backColor, Colour foreColor,
               const FontSpec& font, const QString& secondaryText, int tabIndex);

    float ScaleWidth() const;
    float TextWidth(const std::string& text) const;
    void Cls();
    void SetCurrentX(float x) { currentX_ = x; }
    void SetCurrentY(float y) { currentY_ = y; }
    void Print(const std::string& text);

    // What the box shows now, at device pixels.
    const QImage& Picture() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A text in the box's font and ForeColor, ready to blit: on a transparent
    // image, and the same already laid on BackColor for a blank part of the box.
    struct RenderedText {
        QImage image;
        QImage onBackColor;
        QPoint offset;    // the images' top-left from where the text starts
        float lineHeight; // in scale units
    };

    const RenderedText& Rendered(const std::string& text);
    void NewCanvas();

    QColor backColor_;
    QColor foreColor_;
    QImage canvas_;
    QRect ink_;               // what was drawn since the last Cls; the rest is BackColor
    std::vector<QRgb> blank_; // one row of BackColor, the width of the canvas
    std::map<std::string, RenderedText> rendered_;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
};

} // namespace lptseg
