#include "command_button.h"

#include "qt_colour.h"
#include "window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lptseg {
namespace {

// Where the mouse is, in the button's own coordinates, in Qt 5 and Qt 6 alike.
QPoint PointOf(const QMouseEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.position().toPoint();
#else
    return event.pos();
#endif
}

constexpr int PressedLookMs = 100;
// X writes an auto-repeat's release and press together; this is ample for the
// press to arrive, and short enough not to be felt on a real release.
constexpr int SpaceRepeatWaitMs = 100;

bool IsSpace(const QKeyEvent& event) {
    return event.key() == Qt::Key_Space || event.key() == Qt::Key_Select;
}

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
    : QAbstractButton(&form), onClick_(std::move(onClick)), backColor_(backColor) {
    setText(caption);
    setFont(font.ToQFont());
    setFocusPolicy(Qt::StrongFocus);
    form.Place(*this, place, tabIndex);
    connect(this, &QAbstractButton::clicked, this, [this, &form] {
        if (onClick_)
            form.Raise(onClick_);
    });
    pressedLook_.setSingleShot(true);
    connect(&pressedLook_, &QTimer::timeout, this, &CommandButton::EndPressedLook);
    spaceRelease_.setSingleShot(true);
    connect(&spaceRelease_, &QTimer::timeout, this, &CommandButton::SettleSpaceRelease);
}

void CommandButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    update();
}

void CommandButton::Press() {
    keyLook_ = true;
    pressedLook_.start(PressedLookMs);
    update();
    emit clicked();
}

bool CommandButton::ShowsPressed() const {
    return keyLook_ || (mouseHeld_ && pointerOver_) || spaceHeld_;
}

void CommandButton::EndPressedLook() {
    pressedLook_.stop();
    keyLook_ = false;
    update();
}

void CommandButton::SettleSpaceRelease() {
    if (!spaceReleased_)
        return;
    spaceReleased_ = false;
    spaceRelease_.stop();
    spaceHeld_ = false;
    update();
    emit clicked();
}

// The press and release handling is the button's own rather than
// QAbstractButton's, whose single down state lets one press cancel another.
void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (IsSpace(*event)) {
        event->accept();
        // A press stamped with the time of the last release is that release's
        // auto-repeat: the key is still held. Even when it comes too late to hold
        // back the release, it starts no new press.
        const bool repeat = event->isAutoRepeat() ||
                            (event->timestamp() != 0 && event->timestamp() == spaceReleasedAt_);
        if (repeat) {
            spaceReleased_ = false;
            spaceRelease_.stop();
            return;
        }
        SettleSpaceRelease(); // a new press: the release before it was real
        spaceHeld_ = true;
        update();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Press();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent* event) {
    if (!IsSpace(*event)) {
        QAbstractButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    spaceReleasedAt_ = event->timestamp();
    if (spaceHeld_ && !spaceReleased_) {
        spaceReleased_ = true;
        spaceRelease_.start(SpaceRepeatWaitMs);
    }
}

void CommandButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !hitButton(PointOf(*event))) {
        event->ignore();
        return;
    }
    mouseHeld_ = pointerOver_ = true;
    update();
}

void CommandButton::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseHeld_ || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const bool over = hitButton(PointOf(*event));
    if (over != pointerOver_) {
        pointerOver_ = over;
        update();
    }
}

// A press dragged off the button before its release writes nothing.
void CommandButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (!mouseHeld_)
        return;
    mouseHeld_ = pointerOver_ = false;
    update();
    if (hitButton(PointOf(*event)))
        emit clicked();
}

// As with any push button, losing the focus abandons the presses still held on
// it: their release writes nothing. A Space already released still counts.
void CommandButton::focusOutEvent(QFocusEvent* event) {
    SettleSpaceRelease();
    mouseHeld_ = pointerOver_ = spaceHeld_ = false;
    QAbstractButton::focusOutEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = ShowsPressed();
    p.fillRect(r, ToQColor(backColor_));
    DrawBevel(p, r, sunken);

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
