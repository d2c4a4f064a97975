#include "frame.h"

#include "qt_colour.h"
#include "window.h"

#include <QFontMetrics>
#include <QPainter>

namespace lptseg {

Frame::Frame(Window& form, const QString& caption, const Twips& place, Colour backColor,
             int tabIndex)
    : QWidget(&form), caption_(caption), backColor_(ToQColor(backColor)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    form.Place(*this, place, tabIndex);
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backColor_);

    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -2, -2);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(border);
    p.setPen(QColor(255, 255, 255));
    p.drawRect(border.translated(1, 1));

    const int textLeft = 8;
    const QRect title(textLeft, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
    p.fillRect(title, backColor_);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(title, Qt::AlignCenter, caption_);
}

} // namespace lptseg
