#pragma once

#include <QObject>
#include <functional>
#include <thread>

class QSocketNotifier;

namespace lptseg {

// Turns SIGTERM, SIGINT and SIGHUP into a call of onSignal on the event loop's
// thread, so that the program can end the way its close box ends it. The
// handler itself only writes the signal's number into pipes. Signals that
// arrive together make one ending; a further signal once that ending has begun
// ends the process at once.
//
// The event loop's thread can be stuck (a full pipe on standard output, a
// stopped X server). If the process still runs a second after the signal, a
// watching thread calls lastResort, which may blank the LEDs, waits for it at
// most 0.7 s and ends the process by the signal.
//
// On Windows the console's Ctrl+C, Ctrl+Break and closing stand for the
// signals (SIGINT, SIGBREAK, SIGTERM), with the same one ending and the same
// last resort.
class TerminationSignals : public QObject {
public:
    TerminationSignals(std::function<void(int)> onSignal, std::function<void()> lastResort);
    ~TerminationSignals() override;

private:
    void Receive();
    void Watch();

    std::function<void(int)> onSignal_;
    std::function<void()> lastResort_;
    QSocketNotifier* notifier_ = nullptr;
    std::thread watcher_;
};

// A write to a closed pipe then fails with EPIPE like any other failed write,
// instead of killing the process.
void IgnoreBrokenPipe();

// Ends the process by signal with its default action, so that the parent sees
// the usual status for it (143 for SIGTERM in a shell).
[[noreturn]] void EndBySignal(int signal);

} // namespace lptseg
