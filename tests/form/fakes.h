#pragma once

#include "form1.h"
#include "port_writer.h"
#include "services.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QRegion>
#include <QString>
#include <gmock/gmock.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Qt values in failure messages read as values, not as bytes.
inline void PrintTo(const QString& s, std::ostream* out) {
    *out << '"' << s.toStdString() << '"';
}

namespace lptseg::test {

// Port writes and error reports go into one log, so their order shows.
using Log = std::vector<std::string>;

// A port write as the log shows it: "PortOut 0x378 0x51".
std::string Write(int port, int byte);

// The ten digit buttons in digit order, "0" to "9" (their names do not follow it).
std::vector<CommandButton*> Keypad(Form1& form);

// The five timers, Timer1 to Timer5.
std::vector<Timer*> Timers(Form1& form);

// How many pixels of two pictures differ by more than `tolerance` in a colour
// channel, and the first of them; empty if none.
std::string Differences(const QImage& shown, const QImage& expected, int tolerance = 0);

// Pixels of one colour.
int Count(const QImage& image, QColor colour);

// Everything a widget repaints from its creation on, until `painted` is cleared.
struct PaintWatch : QObject {
    explicit PaintWatch(QWidget& widget);
    bool eventFilter(QObject*, QEvent* event) override;
    QRegion painted;
};

// A Form1 loaded and shown as the program does it, with the system faked:
// port writes and error boxes go into one log, so their order shows,
// and the clock stands still until a test moves it.
class FormTest : public ::testing::Test,
                 public PortWriter,
                 public Beeper,
                 public Clock,
                 public ErrorReport {
public:
    Log log;
    bool portFails = false; // every write throws PortError while set
    QDateTime now{QDate(2026, 12, 6), QTime(23, 5, 9)};
    bool shownOverWindow = false; // the last error box came up over the window
    std::unique_ptr<Form1> form;

    void PortOut(std::int16_t Port, std::uint8_t Data) override;
    void Beep() override {} // the X server counts the real bells (tests/e2e)
    QDateTime Now() const override { return now; }
    void Show(QWidget* parent, const QString& shownTitle, const QString& message) override;

    // Creates and loads the window; true if it loaded and is shown.
    bool Open();
    void Click(QWidget& control);

private:
    Services services_{*this, *this, *this};
};

} // namespace lptseg::test
