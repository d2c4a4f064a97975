#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace lptseg {

// Turns SIGTERM, SIGINT and SIGHUP into a call of onSignal on the event loop's
// thread, so that the program can end the way its close box ends it. The
// handler itself only writes the signal's number into a pipe. A second such
// signal, while the first is being handled, ends the process at once. Does
// nothing on Windows.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int)> onSignal);
    ~TerminationSignals() override;

private:
    void Receive();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

// A write to a closed pipe then fails with EPIPE like any other failed write,
// instead of killing the process.
void IgnoreBrokenPipe();

// Ends the process by signal with its default action, so that the parent sees
// the usual status for it (143 for SIGTERM in a shell).
[[noreturn]] void EndBySignal(int signal);

} // namespace lptseg
