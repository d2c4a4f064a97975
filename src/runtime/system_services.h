#pragma once

#include "services.h"

namespace lptseg {

// The real services: the system beep, the system clock and a message box (none
// on a platform without a screen, such as offscreen or minimal).
class SystemBeeper : public Beeper {
public:
    void Beep() override;
};

class SystemClock : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

class MessageBoxReport : public ErrorReport {
public:
    void Show(QWidget* parent, const QString& title, const QString& message) override;
};

} // namespace lptseg
