// Another signal once the ending has begun ends the process at once: the user
// who presses Ctrl+C again at an ending that hangs is not kept waiting. (Signals
// that come together while the program is stopped make one ending: tests/e2e.)
#include "termination_signals.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
int argc = 1;
char name[] = "program_tests", *argv[] = {name, nullptr};
} // namespace

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
