// A held Space is one press. The real X server drives every other kind of press
// (tests/e2e); what it cannot be made to send is an auto-repeat that Qt does not
// mark, which comes when the repeated press was not yet there as Qt read the release.
#include "fakes.h"

#include <QApplication>
#include <QKeyEvent>

namespace lptseg::test {
namespace {

TEST_F(FormTest, AnUnmarkedAutoRepeatOfSpaceIsNoNewPress) {
    ASSERT_TRUE(Open());
    CommandButton& seven = form->Command4;
    auto space = [&](QEvent::Type type, ulong time) {
        QKeyEvent event(type, Qt::Key_Space, {}, " ");
        event.setTimestamp(time);
        QApplication::sendEvent(&seven, &event);
    };
    const std::string sevenWrite = Write(0x378, 0x51);
    log.clear();
    space(QEvent::KeyPress, 1);
    for (ulong time = 2; time < 5; ++time) { // X's repeats: a release and a press, one time each
        space(QEvent::KeyRelease, time);
        space(QEvent::KeyPress, time);
    }
    EXPECT_EQ(log, Log{}) << "still held";
    space(QEvent::KeyRelease, 5);
    space(QEvent::KeyPress, 6); // a new press before the moment has passed: the release was real
    EXPECT_EQ(log, Log{sevenWrite});
    space(QEvent::KeyRelease, 7);
    space(QEvent::KeyPress, 7);
    space(QEvent::KeyRelease, 8);
    seven.SettleSpaceRelease(); // the moment passes with no repeat: the key is up
    EXPECT_EQ(log, Log(2, sevenWrite));
    space(QEvent::KeyPress, 9); // once more, and a repeat comes after the moment
    space(QEvent::KeyRelease, 10);
    seven.SettleSpaceRelease();
    space(QEvent::KeyPress, 10);
    space(QEvent::KeyRelease, 11);
    seven.SettleSpaceRelease();
    EXPECT_EQ(log, Log(3, sevenWrite)) << "the late repeat began no press";
}

} // namespace
} // namespace lptseg::test
