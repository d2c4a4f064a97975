#pragma once

#include "colour.h"
#include "font_spec.h"
#include "scroll_banner.h"
#include "twips.h"

#include <QImage>
#include <QWidget>

namespace lptseg {

class Window;

// A picture box: a surface the program draws text on. Cls erases it to its
// BackColor; Print draws at CurrentX, CurrentY in its ForeColor and font. Its
// scale unit is the twip. What is drawn stays until the next Cls.
class PictureBox : public QWidget, public BannerBox {
public:
    PictureBox(Window& form, const Twips& place, Colour backColor, Colour foreColor,
               const FontSpec& font, const QString& secondaryText, int tabIndex);

    float ScaleWidth() const override;
    float TextWidth(const std::string& text) const override;
    void Cls() override;
    void SetCurrentX(float x) override { currentX_ = x; }
    void SetCurrentY(float y) override { currentY_ = y; }
    void Print(const std::string& text) override;

    // What the box shows now, at device pixels.
    const QImage& Picture() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void NewCanvas();

    QColor backColor_;
    QColor foreColor_;
    QImage canvas_;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
};

} // namespace lptseg
