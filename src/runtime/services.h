#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace lptseg {

// The system services the window uses, behind small interfaces so that tests can
// count beeps, fix the clock and catch error reports.

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
};

class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    // Shows the message to the user and returns once it has been dismissed.
    virtual void Show(QWidget* parent, const QString& title, const QString& message) = 0;
};

struct Services {
    Beeper& beeper;
    Clock& clock;
    ErrorReport& errors;
};

} // namespace lptseg
