#pragma once

#include "port_writer.h"

#include <chrono>
#include <mutex>

namespace lptseg {

// Lets one thread at a time write the port. When the window's thread is stuck
// at the end, another thread takes the port for good: it may then blank the
// LEDs, and nothing written later from elsewhere reaches the port.
class ExclusivePortWriter : public PortWriter {
public:
    explicit ExclusivePortWriter(PortWriter& port) : port_(port) {}

    void PortOut(std::int16_t Port, std::uint8_t Data) override {
        const std::lock_guard lock(mutex_);
        port_.PortOut(Port, Data);
    }

    // The calling thread has the port from now until the process ends.
    void TakeForGood() { mutex_.lock(); }
    // The same, waiting at most wait for a write in progress; false if it did not.
    bool TakeForGood(std::chrono::milliseconds wait) { return mutex_.try_lock_for(wait); }

private:
    PortWriter& port_;
    std::recursive_timed_mutex mutex_; // the taker still writes through PortOut
};

} // namespace lptseg
