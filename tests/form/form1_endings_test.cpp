// Every way the window ends with the port failing, and the endings without a
// display: what reaches the port, the user and the exit status, and that
// nothing is handled afterwards. ("Zatvori", the close box, the signals and
// a lost X server with a working port are proven end to end, on X, Wine and a
// real kernel.)
#include "fakes.h"

#include <QTest>
#include <functional>

namespace lptseg::test {
namespace {

const std::string Box = "error: Port 0x3BC ne odgovara.";

struct Ending {
    const char* name;
    bool portFails;
    std::function<void(FormTest&)> end;
    Log seen; // port writes and error boxes (the bells are counted end to end)
    int status;
};

// clang-format off
const Ending Endings[] = {
    {"UnloadThenDisplayLost", false, [](FormTest& t) {
         t.form->Unload(); // the LEDs are dark, though the window's thread got no further
         EXPECT_FALSE(t.form->UnloadWithoutDisplay());
     }, {"PortOut 0x3BC 0x00"}, 0}, // blank, on the port chosen before the ending
    {"ClickWithThePortDown", true, [](FormTest& t) { t.Click(t.form->Command6); }, {Box}, 1},
    {"CloseButtonWithThePortDown", true, [](FormTest& t) { t.Click(t.form->Command11); }, {Box}, 1},
    {"CloseBoxWithThePortDown", true, [](FormTest& t) { t.form->close(); }, {Box}, 1},
    // Nobody waits for a box at these endings: the failure goes to standard error only.
    {"SignalWithThePortDown", true, [](FormTest& t) { t.form->UnloadAndEnd(130); }, {}, 130},
    {"DisplayLostWithThePortDown", true, [](FormTest& t) {
         EXPECT_FALSE(t.form->UnloadWithoutDisplay());
     }, {}, 0},
};
// clang-format on

TEST_F(FormTest, EveryEndingBlanksThePortChosenNowOnceAndHandlesNothingAfter) {
    for (const Ending& ending : Endings) {
        portFails = false;
        ASSERT_TRUE(Open());
        Click(form->op3bc);
        Click(form->Command4);
        log.clear();
        portFails = ending.portFails;
        ending.end(*this);
        EXPECT_EQ(log, ending.seen) << ending.name;
        EXPECT_EQ(form->ExitStatus(), ending.status) << ending.name;
        // The window goes at once, unless the display went first.
        EXPECT_EQ(form->isVisible(), std::string(ending.name).starts_with("DisplayLost"))
            << ending.name;
        const bool box = !ending.seen.empty() && ending.seen.back() == Box;
        EXPECT_EQ(shownOverWindow, box) << ending.name; // a box comes up over the window
        // The timers stop with the window, so nothing moves behind a box; an ending
        // without a display (perhaps on another thread) leaves the window alone.
        for (Timer* timer : Timers(*form))
            EXPECT_NE(timer->Enabled(), !form->isVisible()) << ending.name;
        // No further event is handled: another ending, the close box, a queued click.
        portFails = false;
        form->UnloadAndEnd(129);
        form->close();
        form->Command3.click();
        QTest::qWait(50);
        EXPECT_EQ(log, ending.seen) << ending.name;
        EXPECT_EQ(form->ExitStatus(), ending.status) << ending.name;
        shownOverWindow = false;
    }
}

} // namespace
} // namespace lptseg::test
