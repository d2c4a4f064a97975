// Windows has no SIGTERM to send a program: a console program is asked to end
// by Ctrl+C, Ctrl+Break and the closing of its console. The system calls the
// handler on a thread of its own and, for a close, ends the process as soon as
// the handler returns; so the handler hands the ending to the event loop and
// then waits there, to blank the LEDs itself if the loop does not end in time.
#include "termination_signals.h"

#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <csignal>
#include <future>
#include <memory>
#include <mutex>
#include <windows.h>

namespace lptseg {
namespace {

constexpr DWORD graceMs = 1000;                          // for the event loop's thread
constexpr std::chrono::milliseconds lastResortTime{700}; // for the blanking write

// The one TerminationSignals, guarded: its handler thread must not use it
// once the window is gone.
std::mutex installedMutex;
TerminationSignals* installed = nullptr;
std::function<void()> deliver; // to the event loop
std::function<void()> watch;   // on the handler's thread
std::atomic<int> signalled{0};

int SignalFor(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        return SIGINT;
    case CTRL_BREAK_EVENT:
        return SIGBREAK;
    default: // the console closed, the user logs off, the system shuts down
        return SIGTERM;
    }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
    const int signal = SignalFor(event);
    int none = 0;
    if (!signalled.compare_exchange_strong(none, signal))
        EndBySignal(signal); // a further one while the first is ending: end now
    {
        const std::lock_guard lock(installedMutex);
        if (!installed)
            EndBySignal(signal);
        deliver();
    }
    Sleep(graceMs); // the event loop's thread normally ends the process within this
    const std::lock_guard lock(installedMutex);
    if (installed)
        watch();
    EndBySignal(signal);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal,
                                       std::function<void()> lastResort)
    : onSignal_(std::move(onSignal)), lastResort_(std::move(lastResort)) {
    const std::lock_guard lock(installedMutex);
    installed = this;
    deliver = [this] { QMetaObject::invokeMethod(this, [this] { Receive(); }, Qt::QueuedConnection); };
    watch = [this] { Watch(); };
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals() {
    const std::lock_guard lock(installedMutex);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    installed = nullptr;
}

void TerminationSignals::Receive() {
    onSignal_(signalled);
}

void TerminationSignals::Watch() {
    // The blanking write may block too: it gets a thread of its own and a time limit.
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([lastResort = lastResort_, done] {
        lastResort();
        done->set_value();
    }).detach();
    finished.wait_for(lastResortTime);
}

void IgnoreBrokenPipe() {} // a write to a closed pipe fails there already

// What Windows' own handler does for every console event: the parent sees
// STATUS_CONTROL_C_EXIT.
void EndBySignal(int) {
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    std::_Exit(3); // not reached
}

} // namespace lptseg
