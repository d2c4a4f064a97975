#include "fakes.h"

#include <QTest>

namespace lptseg::test {
namespace {

using ::testing::ElementsAre;

// A signal ends the program like the close box: the one unload write goes to
// the port chosen now, without beeps, and nothing is handled afterwards.
TEST_F(FormTest, EndingFromOutsideUnloadsOnceToThePortChosenNow) {
    ASSERT_TRUE(Open());
    Click(form->op3bc);
    Click(form->Command4);
    log.clear();
    form->UnloadAndEnd(143);
    EXPECT_THAT(log, ElementsAre("PortOut 0x3BC 0x00"));
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 143);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Timer3.Enabled());
    form->UnloadAndEnd(130);
    form->close();
    form->Command3.click();
    QTest::qWait(50);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(form->ExitStatus(), 143);
}

// Nobody waits for a box at an ending from outside: the failure goes to
// standard error only and the ending keeps its status.
TEST_F(FormTest, FailureOfTheUnloadAfterASignalShowsNoBoxAndKeepsTheStatus) {
    ASSERT_TRUE(Open());
    log.clear();
    port.fail = true;
    form->UnloadAndEnd(130);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 130);
}

// With the display gone only the unload write is left to do, once.
TEST_F(FormTest, UnloadWithoutDisplayWritesOnceAndNotAfterAnUnload) {
    ASSERT_TRUE(Open());
    Click(form->op278);
    Click(form->Command3);
    log.clear();
    EXPECT_TRUE(form->UnloadWithoutDisplay());
    EXPECT_FALSE(form->UnloadWithoutDisplay());
    EXPECT_THAT(log, ElementsAre("PortOut 0x278 0x00"));

    ASSERT_TRUE(Open());
    form->Unload(); // blanked the LEDs already, though the window's thread got no further
    log.clear();
    EXPECT_FALSE(form->UnloadWithoutDisplay());
    EXPECT_TRUE(log.empty());
}

TEST_F(FormTest, FailedUnloadWithoutDisplayShowsNoBox) {
    ASSERT_TRUE(Open());
    log.clear();
    port.fail = true;
    EXPECT_FALSE(form->UnloadWithoutDisplay());
    EXPECT_TRUE(log.empty()); // the message goes to standard error only
}

} // namespace
} // namespace lptseg::test
