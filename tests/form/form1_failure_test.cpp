#include "fakes.h"

#include <QTest>

namespace lptseg::test {
namespace {

using ::testing::ElementsAre;

TEST_F(FormTest, FailureAtLoadIsShownBeforeTheWindowAndEndsWithStatusOne) {
    port.fail = true;
    EXPECT_FALSE(Open());
    EXPECT_THAT(log, ElementsAre("error: Port 0x378 ne odgovara."));
    EXPECT_FALSE(errors.shownOverWindow);
    EXPECT_EQ(errors.title, "Upravljanje 7-segmentnim diodnim zaslonom");
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 1);
    EXPECT_FALSE(form->Timer1.Enabled());
    form->Show(); // the program would not show it; even so it stays hidden
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FormTest, FailureOnAClickEndsWithoutAnotherWrite) {
    ASSERT_TRUE(Open());
    Click(form->Command4);
    log.clear();
    port.fail = true;
    Click(form->Command6);
    port.fail = false;
    EXPECT_THAT(log, ElementsAre("error: Port 0x378 ne odgovara."));
    EXPECT_TRUE(errors.shownOverWindow);
    EXPECT_EQ(form->ExitStatus(), 1);
    EXPECT_EQ(Figure(), "RRRWWWW"); // the 7 stays: the figure follows only what was written
    // No unload write follows, neither from the close box nor from a queued click.
    form->close();
    form->Command3.click();
    QTest::qWait(50);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(FormTest, FailureAtUnloadIsReportedAndEndsWithStatusOne) {
    ASSERT_TRUE(Open());
    log.clear();
    port.fail = true;
    Click(form->Command11);
    EXPECT_THAT(log, ElementsAre("beep", "beep", "beep", "beep", "beep", "beep",
                                 "error: Port 0x378 ne odgovara."));
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 1);
}

TEST_F(FormTest, FailureAtTitleBarCloseIsReported) {
    ASSERT_TRUE(Open());
    log.clear();
    port.fail = true;
    form->close();
    EXPECT_THAT(log, ElementsAre("error: Port 0x378 ne odgovara."));
    EXPECT_EQ(form->ExitStatus(), 1);
}

} // namespace
} // namespace lptseg::test
