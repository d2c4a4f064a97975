#include "timer.h"

#include "window.h"

namespace lptseg {

Timer::Timer(Window& form, int intervalMs, std::function<void()> onTick) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &form,
                     [&form, onTick = std::move(onTick)] { form.Raise(onTick); });
    form.Adopt(*this);
}

} // namespace lptseg
