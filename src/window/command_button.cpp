#include "command_button.h"

#include "qt_colour.h"
#include "window.h"

#include <QKeyEvent>
#include <QPainter>

namespace lptseg {
namespace {

constexpr int PressedLookMs = 100;

// The classic raised (or, pressed, sunken) two-pixel bevel.
void DrawBevel(QPainter& p, QRect r, bool sunken) {
    const QColor light(255, 255, 255), shadow(128, 128, 128), dark(0, 0, 0), face(192, 192, 192);
    const QColor outerTopLeft = sunken ? dark : light;
    const QColor outerBottomRight = sunken ? light : dark;
    const QColor innerTopLeft = sunken ? shadow : face;
    const QColor innerBottomRight = sunken ? face : shadow;
    auto edge = [&p](QRect r, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
        p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    edge(r, outerTopLeft, outerBottomRight);
    edge(r.adjusted(1, 1, -1, -1), innerTopLeft, innerBottomRight);
}

} // namespace

CommandButton::CommandButton(Window& form, const QString& caption, const Twips& place,
                             Colour backColor, const FontSpec& font, int tabIndex,
                             std::function<void()> onClick)
    : QAbstractButton(&form), backColor_(backColor) {
    setText(caption);
    setFont(font.ToQFont());
    setFocusPolicy(Qt::StrongFocus);
    form.Place(*this, place, tabIndex);
    connect(this, &QAbstractButton::clicked, this,
            [&form, onClick = std::move(onClick)] { form.Raise(onClick); });
    pressedLook_.setSingleShot(true);
    connect(&pressedLook_, &QTimer::timeout, this, [this] { setDown(false); });
}

void CommandButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    update();
}

void CommandButton::Press() {
    click();
    setDown(true);
    pressedLook_.start(PressedLookMs);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Press();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = isDown();
    p.fillRect(r, ToQColor(backColor_));
    DrawBevel(p, r.adjusted(0, 0, -1, -1), sunken);

    p.setFont(font());
    p.setPen(palette().color(QPalette::ButtonText));
    const QRect textArea = r.translated(sunken ? 1 : 0, sunken ? 1 : 0);
    p.drawText(textArea, Qt::AlignCenter, text());

    if (hasFocus()) {
        QPen dotted(QColor(0, 0, 0), 1, Qt::DotLine);
        p.setPen(dotted);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

} // namespace lptseg
