#include "fakes.h"

#include "port_address.h"
#include "port_error.h"

#include <QApplication>
#include <QPaintEvent>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>

namespace lptseg::test {

std::string Write(int port, int byte) {
    return "PortOut " + FormatPort(static_cast<std::int16_t>(port)) + " " +
           FormatByte(static_cast<std::uint8_t>(byte));
}

void FormTest::PortOut(std::int16_t Port, std::uint8_t Data) {
    if (portFails)
        throw PortError("Port " + FormatPort(Port) + " ne odgovara.");
    log.push_back(Write(Port, Data));
}

// The timers must have stopped when a box comes up: nothing moves behind it.
void FormTest::Show(QWidget* parent, const QString&, const QString& message) {
    shownOverWindow = parent != nullptr && parent->isVisible();
    log.push_back("error: " + message.toStdString());
    for (Timer* timer : Timers(*form))
        if (timer->Enabled())
            log.push_back("a timer runs behind the box");
}

bool FormTest::Open() {
    form = std::make_unique<Form1>(*this, services_);
    if (!form->Load())
        return false;
    form->Show();
    return form->isVisible();
}

// An option is clicked on its round indicator, anything else in its middle.
void FormTest::Click(QWidget& control) {
    const bool option = qobject_cast<QRadioButton*>(&control) != nullptr;
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier,
                      option ? QPoint(8, control.height() / 2) : control.rect().center());
}

std::string Differences(const QImage& shown, const QImage& expected, int tolerance) {
    const QImage a = shown.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return "a picture of another size";
    auto near = [tolerance](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) <= tolerance &&
               std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
               std::abs(qBlue(p) - qBlue(q)) <= tolerance;
    };
    int count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!near(a.pixel(x, y), b.pixel(x, y)) && count++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                        QColor(a.pixel(x, y)).name().toStdString() + ", not " +
                        QColor(b.pixel(x, y)).name().toStdString();
    return count ? std::to_string(count) + " pixels differ, first " + first : "";
}

int Count(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

PaintWatch::PaintWatch(QWidget& widget) {
    widget.installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        painted += static_cast<QPaintEvent*>(event)->region();
    return false;
}

std::vector<CommandButton*> Keypad(Form1& f) {
    return {&f.Command10, &f.Command1, &f.Command9, &f.Command8, &f.Command7,
            &f.Command6,  &f.Command5, &f.Command4, &f.Command3, &f.Command2};
}

std::vector<Timer*> Timers(Form1& f) {
    return {&f.Timer1, &f.Timer2, &f.Timer3, &f.Timer4, &f.Timer5};
}

} // namespace lptseg::test
