#include "picture_box.h"

#include "qt_colour.h"
#include "window.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

namespace lptseg {
namespace {

// A box prints a handful of texts; more than this and the oldest are dropped.
constexpr std::size_t MaxRenderedTexts = 16;

// An area given in device-independent pixels, in an image's own pixels.
QRect DevicePixels(const QImage& image, const QRect& area) {
    const qreal ratio = image.devicePixelRatio();
    return QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio)
        .toAlignedRect()
        .intersected(image.rect());
}

// Copies the pixels of an RGB32 source onto an RGB32 target, row by row.
void CopyPixels(QImage& target, QPoint to, const QImage& source, const QRect& from) {
    const auto bytes = static_cast<std::size_t>(from.width()) * sizeof(QRgb);
    for (int row = 0; row < from.height(); ++row)
        std::memcpy(reinterpret_cast<QRgb*>(target.scanLine(to.y() + row)) + to.x(),
                    reinterpret_cast<const QRgb*>(source.constScanLine(from.y() + row)) + from.x(),
                    bytes);
}

} // namespace

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
    if (canvas_.devicePixelRatio() != devicePixelRatioF()) {
        NewCanvas(); // moved to a screen of another scale
        update();
    } else if (!ink_.isEmpty()) {
        const QRect pixels = DevicePixels(canvas_, ink_);
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            std::memcpy(reinterpret_cast<QRgb*>(canvas_.scanLine(y)) + pixels.left(), blank_.data(),
                        static_cast<std::size_t>(pixels.width()) * sizeof(QRgb));
        update(ink_);
    }
    ink_ = QRect();
    currentX_ = currentY_ = 0.0f;
}

void PictureBox::Print(const std::string& text) {
    const RenderedText& rendered = Rendered(text);
    const QPoint at = QPoint(static_cast<int>(std::lround(currentX_ / TwipsPerPixel)),
                             static_cast<int>(std::lround(currentY_ / TwipsPerPixel))) +
                      rendered.offset;
    const QSize size = (QSizeF(rendered.image.size()) / rendered.image.devicePixelRatio()).toSize();
    const QRect area = QRect(at, size).intersected(rect());
    if (!area.isEmpty()) {
        if (area.intersects(ink_)) {
            QPainter(&canvas_).drawImage(at, rendered.image); // over what is there
        } else {
            // Only BackColor there, as after Cls: the text already laid on it will do.
            const QPoint atPixels = (QPointF(at) * canvas_.devicePixelRatio()).toPoint();
            const QRect from = DevicePixels(canvas_, area)
                                   .translated(-atPixels)
                                   .intersected(rendered.onBackColor.rect());
            CopyPixels(canvas_, from.topLeft() + atPixels, rendered.onBackColor, from);
        }
        ink_ |= area;
        update(area);
    }
    // Like a line printer: the next Print starts on the next line at the left.
    currentX_ = 0.0f;
    currentY_ += rendered.lineHeight;
}

const PictureBox::RenderedText& PictureBox::Rendered(const std::string& text) {
    if (auto found = rendered_.find(text); found != rendered_.end())
        return found->second;
    if (rendered_.size() >= MaxRenderedTexts)
        rendered_.clear();

    const QString string = QString::fromStdString(text);
    const QFontMetricsF metrics(font());
    // The text's top-left is its baseline's start less the ascent. Its ink can reach
    // past its advance (an italic overhang) and antialiasing a pixel further.
    const qreal ascent = metrics.ascent();
    const qreal ascentPixels = std::floor(ascent);
    const QRect ink = metrics.boundingRect(string).toAlignedRect().adjusted(-2, -2, 2, 2);
    const qreal ratio = devicePixelRatioF();
    QImage image(ink.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(font());
    p.setPen(foreColor_);
    p.drawText(QPointF(-ink.left(), -ink.top() + (ascent - ascentPixels)), string);
    p.end();
    QImage onBackColor(image.size(), QImage::Format_RGB32);
    onBackColor.setDevicePixelRatio(ratio);
    onBackColor.fill(backColor_);
    QPainter(&onBackColor).drawImage(0, 0, image);

    const QPoint offset(ink.left(), static_cast<int>(ascentPixels) + ink.top());
    const auto lineHeight = static_cast<float>(metrics.height() * TwipsPerPixel);
    return rendered_
        .emplace(text, RenderedText{std::move(image), std::move(onBackColor), offset, lineHeight})
        .first->second;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect();
    const qreal ratio = canvas_.devicePixelRatio();
    QPainter(this).drawImage(
        area.topLeft(), canvas_,
        QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toAlignedRect());
}

void PictureBox::resizeEvent(QResizeEvent*) {
    NewCanvas();
}

// A blank canvas for the box's size and scale; texts are rendered anew for it.
void PictureBox::NewCanvas() {
    const qreal ratio = devicePixelRatioF();
    canvas_ = QImage(size() * ratio, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
    canvas_.fill(backColor_);
    blank_.assign(static_cast<std::size_t>(canvas_.width()), backColor_.rgb());
    ink_ = QRect();
    rendered_.clear();
}

} // namespace lptseg
