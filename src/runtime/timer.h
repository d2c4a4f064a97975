#pragma once

#include <QTimer>
#include <functional>

namespace lptseg {

class Window;

// A window timer: its tick handler is raised on the window's thread each time
// the interval has elapsed, from load until the window unloads or ends. A tick
// that falls due while a handler runs comes afterwards; missed ticks do not pile up.
class Timer {
public:
    Timer(Window& form, int intervalMs, std::function<void()> onTick);

    int Interval() const { return timer_.interval(); }
    bool Enabled() const { return timer_.isActive(); }

    void Start() { timer_.start(); }
    void Stop() { timer_.stop(); }
    // Raises the tick now, as if the interval had just elapsed; nothing while
    // the timer is stopped.
    void Fire();

private:
    Window& form_;
    std::function<void()> onTick_;
    QTimer timer_;
};

} // namespace lptseg
