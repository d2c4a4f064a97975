#include "termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lptseg {

#ifndef _WIN32
namespace {

constexpr int handled[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

extern "C" void OnSignal(int signal) {
    if (received) { // the program is already ending: end it now
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    received = signal;
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto written = write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {
    if (pipe(pipeEnds) != 0)
        return; // then the signals keep their default action
    for (int end : pipeEnds) {
        fcntl(end, F_SETFD, FD_CLOEXEC);
        fcntl(end, F_SETFL, O_NONBLOCK);
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Receive);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : handled)
        sigaddset(&action.sa_mask, signal); // one handler at a time
    action.sa_flags = SA_RESTART;
    for (int signal : handled)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_)
        return;
    for (int signal : handled)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    for (int& end : pipeEnds) {
        close(end);
        end = -1;
    }
}

void TerminationSignals::Receive() {
    unsigned char number = 0;
    if (read(pipeEnds[0], &number, 1) == 1)
        onSignal_(number);
}

void IgnoreBrokenPipe() {
    std::signal(SIGPIPE, SIG_IGN);
}

void EndBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal); // not reached
}

#else

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {}
TerminationSignals::~TerminationSignals() = default;
void TerminationSignals::Receive() {}
void IgnoreBrokenPipe() {}
void EndBySignal(int signal) {
    std::_Exit(128 + signal);
}

#endif

} // namespace lptseg
