// Signals that were pending together make one ending, whichever thread takes
// them and however late: here SIGTERM is held back until SIGINT's ending has
// begun, as when another thread takes it after the event loop's thread has.
#include "termination_signals.h"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

TEST(TerminationSignals, SignalsPendingTogetherMakeOneEnding) {
    int argc = 1;
    char name[] = "program_tests", *argv[] = {name, nullptr};
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
