#include "timer.h"

#include "window.h"

namespace lptseg {

Timer::Timer(Window& form, int intervalMs, std::function<void()> onTick)
    : form_(form), onTick_(std::move(onTick)) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &form, [this] { form_.Raise(onTick_); });
    form.Adopt(*this);
}

void Timer::Fire() {
    if (timer_.isActive())
        form_.Raise(onTick_);
}

} // namespace lptseg
