#include "picture_box.h"

#include "qt_colour.h"
#include "window.h"

#include <QFontMetricsF>
#include <QPainter>

namespace lptseg {

PictureBox::PictureBox(Window& form, const Twips& place, Colour backColor, Colour foreColor,
                       const FontSpec& font, const QString& secondaryText, int tabIndex)
    : QWidget(&form), backColor_(ToQColor(backColor)), foreColor_(ToQColor(foreColor)) {
    setFont(font.ToQFont());
    setToolTip(secondaryText);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    form.Place(*this, place, tabIndex);
    NewCanvas();
}

float PictureBox::ScaleWidth() const {
    return static_cast<float>(width() * TwipsPerPixel);
}

float PictureBox::TextWidth(const std::string& text) const {
    return static_cast<float>(
        QFontMetricsF(font()).horizontalAdvance(QString::fromStdString(text)) * TwipsPerPixel);
}

void PictureBox::Cls() {
    if (canvas_.devicePixelRatio() != devicePixelRatioF())
        NewCanvas(); // moved to a screen of another scale
    canvas_.fill(backColor_);
    currentX_ = currentY_ = 0.0f;
    update();
}

void PictureBox::Print(const std::string& text) {
    QPainter p(&canvas_);
    p.setFont(font());
    p.setPen(foreColor_);
    const QFontMetricsF metrics(font());
    const QPointF baseline(currentX_ / TwipsPerPixel, currentY_ / TwipsPerPixel + metrics.ascent());
    p.drawText(baseline, QString::fromStdString(text));
    // Like a line printer: the next Print starts on the next line at the left.
    currentX_ = 0.0f;
    currentY_ += static_cast<float>(metrics.height() * TwipsPerPixel);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), canvas_);
}

void PictureBox::resizeEvent(QResizeEvent*) {
    NewCanvas();
}

void PictureBox::NewCanvas() {
    const qreal ratio = devicePixelRatioF();
    canvas_ = QImage(size() * ratio, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
    canvas_.fill(backColor_);
}

} // namespace lptseg
