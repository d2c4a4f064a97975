#include "termination_signals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace lptseg {

namespace {

constexpr int handled[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int graceMs = 1000;                            // for the event loop's thread
constexpr std::chrono::milliseconds lastResortTime{700}; // for the blanking write
// To the event loop and to the watching thread: the signal's number; 0 tells
// the watcher that the program ends without one.
int loopPipe[2] = {-1, -1};
int watchPipe[2] = {-1, -1};
std::atomic<int> signalled{0};
std::atomic<bool> endingBegun{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<unsigned>::is_always_lock_free,
              "used in a signal handler");

void Send(int end, unsigned char number) {
    [[maybe_unused]] const auto written = write(end, &number, 1);
}

// The signals still pending when the first was taken. Any thread may take
// them, and a late one only after the ending has begun: they still belong to
// that one ending.
std::atomic<unsigned> pendingWithFirst{0};

unsigned Bit(int signal) {
    return 1u << static_cast<unsigned>(signal);
}

extern "C" void OnSignal(int signal) {
    if (endingBegun) {
        if ((pendingWithFirst.fetch_and(~Bit(signal)) & Bit(signal)) != 0)
            return;
        std::signal(signal, SIG_DFL); // a further signal: end now
        std::raise(signal);
        return;
    }
    int none = 0;
    if (!signalled.compare_exchange_strong(none, signal)) {
        pendingWithFirst.fetch_and(~Bit(signal)); // taken already: one ending for both
        return;
    }
    const int saved = errno;
    sigset_t pending;
    sigpending(&pending);
    for (int other : handled)
        if (sigismember(&pending, other) == 1)
            pendingWithFirst.fetch_or(Bit(other));
    Send(loopPipe[1], static_cast<unsigned char>(signal));
    Send(watchPipe[1], static_cast<unsigned char>(signal));
    errno = saved;
}

// A thread that takes no signal at all: its waits are never interrupted and
// the handler runs on the other threads.
std::thread StartWithoutSignals(std::function<void()> work) {
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &before);
    std::thread thread(std::move(work));
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal,
                                       std::function<void()> lastResort)
    : onSignal_(std::move(onSignal)), lastResort_(std::move(lastResort)) {
    if (pipe(loopPipe) != 0 || pipe(watchPipe) != 0)
        return; // then the signals keep their default action
    for (int end : {loopPipe[0], loopPipe[1], watchPipe[0], watchPipe[1]})
        fcntl(end, F_SETFD, FD_CLOEXEC);
    for (int end : {loopPipe[0], loopPipe[1], watchPipe[1]})
        fcntl(end, F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(loopPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Receive);
    watcher_ = StartWithoutSignals([this] { Watch(); });
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
    Send(watchPipe[1], 0);
    watcher_.join();
    delete notifier_;
    for (int* ends : {loopPipe, watchPipe}) {
        for (int i : {0, 1}) {
            close(ends[i]);
            ends[i] = -1;
        }
    }
}

void TerminationSignals::Receive() {
    unsigned char number = 0;
    if (read(loopPipe[0], &number, 1) == 1) {
        endingBegun = true;
        onSignal_(number);
    }
}

void TerminationSignals::Watch() {
    unsigned char number = 0;
    if (read(watchPipe[0], &number, 1) != 1 || number == 0)
        return;
    // The event loop's thread normally ends the process well within this.
    pollfd watch{watchPipe[0], POLLIN, 0};
    if (poll(&watch, 1, graceMs) != 0)
        return; // the program ends on its own
    endingBegun = true;
    // The blanking write may block too: it gets a thread of its own and a time limit.
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    StartWithoutSignals([lastResort = lastResort_, done] {
        lastResort();
        done->set_value();
    }).detach();
    finished.wait_for(lastResortTime);
    EndBySignal(number);
}

void IgnoreBrokenPipe() {
    std::signal(SIGPIPE, SIG_IGN);
}

void EndBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal); // not reached
}

} // namespace lptseg
