#pragma once

#include "form1.h"
#include "port_writer.h"
#include "services.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Qt values in failure messages read as values, not as bytes.
inline void PrintTo(const QColor& c, std::ostream* out) {
    *out << c.name().toStdString();
}
inline void PrintTo(const QString& s, std::ostream* out) {
    *out << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.width() << 'x' << r.height() << '+' << r.x() << '+' << r.y();
}
inline void PrintTo(const QSize& s, std::ostream* out) {
    *out << s.width() << 'x' << s.height();
}
inline void PrintTo(const QPoint& p, std::ostream* out) {
    *out << '(' << p.x() << ", " << p.y() << ')';
}

namespace lptseg::test {

// Port writes, beeps and error reports go into one log, so their order shows.
using Log = std::vector<std::string>;

// A port write as the log shows it: "PortOut 0x378 0x51".
std::string Write(int port, int byte);

class RecordingPort : public PortWriter {
public:
    explicit RecordingPort(Log& log) : log_(log) {}
    void PortOut(std::int16_t Port, std::uint8_t Data) override;
    bool fail = false; // every write throws PortError while set

private:
    Log& log_;
};

class CountingBeeper : public Beeper {
public:
    explicit CountingBeeper(Log& log) : log_(log) {}
    void Beep() override { log_.push_back("beep"); }

private:
    Log& log_;
};

class FixedClock : public Clock {
public:
    QDateTime now{QDate(2026, 12, 6), QTime(23, 5, 9)};
    QDateTime Now() const override { return now; }
};

class RecordingErrors : public ErrorReport {
public:
    explicit RecordingErrors(Log& log) : log_(log) {}
    void Show(QWidget* parent, const QString& title, const QString& message) override;
    bool shownOverWindow = false;
    QString title;

private:
    Log& log_;
};

// A Form1 with fake services, loaded and shown as the program does it.
// The ten digit buttons in digit order, "0" to "9" (their names do not follow it).
std::vector<CommandButton*> Keypad(Form1& form);

// How the figure shows a set of lit segments, as Figure() reads it.
std::string Shows(SegmentSet lit);

class FormTest : public ::testing::Test {
public:
    Log log;
    RecordingPort port{log};
    CountingBeeper beeper{log};
    FixedClock clock;
    RecordingErrors errors{log};
    Services services{beeper, clock, errors};
    std::unique_ptr<Form1> form;

    // Creates and loads the window; true if it loaded and is shown.
    bool Open();
    void Click(QWidget& control);
    // The colour each segment a..g shows: R lit, W dark, ? anything else.
    std::string Figure();
    Log Writes() const;
};

} // namespace lptseg::test
