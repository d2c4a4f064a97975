// One ending for the signals that come together, and none kept waiting by a
// further one. Signals that were pending together make one ending, whichever
// thread takes them and however late: here SIGTERM is held back until SIGINT's
// ending has begun, as when another thread takes it after the event loop's
// thread has.
#include "termination_signals.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {
int argc = 1;
char name[] = "program_tests", *argv[] = {name, nullptr};
} // namespace

TEST(TerminationSignals, SignalsPendingTogetherMakeOneEnding) {
    QCoreApplication app(argc, argv);
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    std::vector<int> endings;
    {
        lptseg::TerminationSignals watching([&](int signal) { endings.push_back(signal); }, [] {});
        pthread_sigmask(SIG_BLOCK, &term, nullptr);
        kill(getpid(), SIGTERM); // pending, held back
        kill(getpid(), SIGINT);  // taken: the ending begins
        for (int i = 0; i < 50 && endings.empty(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_EQ(endings, std::vector<int>{SIGINT});
        pthread_sigmask(SIG_UNBLOCK, &term, nullptr); // SIGTERM at last: not a second ending
        QCoreApplication::processEvents();
        EXPECT_EQ(endings, std::vector<int>{SIGINT}) << "the process is still here";
    } // gone before the watcher's grace ends the process
}

// Another signal once the ending has begun ends the process at once: the user
// who presses Ctrl+C again at an ending that hangs is not kept waiting.
TEST(TerminationSignals, AnotherSignalDuringTheEndingEndsAtOnce) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            QCoreApplication app(argc, argv);
            lptseg::TerminationSignals watching([](int) { kill(getpid(), SIGHUP); }, [] {});
            kill(getpid(), SIGINT);
            for (int i = 0; i < 50; ++i)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::_Exit(0); // well within the watcher's grace
        },
        testing::KilledBySignal(SIGHUP), "");
}
