// One ending for the signals that come together, and none kept waiting by a
// further one. SIGTERM, pending with SIGINT, is held back until SIGINT's ending
// has begun, as when another thread takes it late: it belongs to that ending.
// SIGHUP then comes on its own, as Ctrl+C pressed again at an ending that
// hangs: it ends the process at once.
#include "termination_signals.h"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(TerminationSignals, PendingSignalsMakeOneEndingAndAFurtherOneEndsAtOnce) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            int argc = 1;
            char name[] = "program_tests";
            char* argv[2] = {name}; // and a null pointer after it
            QCoreApplication app(argc, argv);
            sigset_t term;
            sigemptyset(&term);
            sigaddset(&term, SIGTERM);
            pthread_sigmask(SIG_BLOCK, &term, nullptr);
            lptseg::TerminationSignals watching(
                [&](int) {
                    pthread_sigmask(SIG_UNBLOCK, &term, nullptr);
                    kill(getpid(), SIGHUP);
                },
                [] {});
            kill(getpid(), SIGTERM);
            kill(getpid(), SIGINT);
            for (int i = 0; i < 50; ++i)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        },
        testing::KilledBySignal(SIGHUP), "");
}
