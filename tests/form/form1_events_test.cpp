#include "fakes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>

namespace lptseg::test {
namespace {

using ::testing::ElementsAre;

struct DigitButton {
    const char* name;
    std::function<CommandButton&(Form1&)> button;
    const char* write;
    const char* figure; // segments a b c d e f g: R lit, W dark
};
void PrintTo(const DigitButton& button, std::ostream* out) {
    *out << button.name;
}

#define BUTTON(member) [](Form1& f) -> CommandButton& { return f.member; }

class DigitButtonTest : public FormTest, public ::testing::WithParamInterface<DigitButton> {};

TEST_P(DigitButtonTest, ClickWritesTheDigitAndLightsItsSegments) {
    ASSERT_TRUE(Open());
    Click(form->Command3); // "8" first: every segment lit, so stale red would show
    log.clear();
    Click(GetParam().button(*form));
    EXPECT_THAT(Writes(), ElementsAre(GetParam().write));
    EXPECT_EQ(Figure(), GetParam().figure);
}

INSTANTIATE_TEST_SUITE_P(
    Keypad, DigitButtonTest,
    ::testing::Values(DigitButton{"Command10", BUTTON(Command10), "PortOut 0x378 0xF7", "RRRRRRW"},
                      DigitButton{"Command1", BUTTON(Command1), "PortOut 0x378 0x11", "WRRWWWW"},
                      DigitButton{"Command9", BUTTON(Command9), "PortOut 0x378 0x5E", "RRWRRWR"},
                      DigitButton{"Command8", BUTTON(Command8), "PortOut 0x378 0x5B", "RRRRWWR"},
                      DigitButton{"Command7", BUTTON(Command7), "PortOut 0x378 0x39", "WRRWWRR"},
                      DigitButton{"Command6", BUTTON(Command6), "PortOut 0x378 0x6B", "RWRRWRR"},
                      DigitButton{"Command5", BUTTON(Command5), "PortOut 0x378 0xEF", "RWRRRRR"},
                      DigitButton{"Command4", BUTTON(Command4), "PortOut 0x378 0x51", "RRRWWWW"},
                      DigitButton{"Command3", BUTTON(Command3), "PortOut 0x378 0xFF", "RRRRRRR"},
                      DigitButton{"Command2", BUTTON(Command2), "PortOut 0x378 0xFB", "RRRRWRR"},
                      DigitButton{"Command12", BUTTON(Command12), "PortOut 0x378 0x00", "WWWWWWW"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, LoadBlanksPort378BeforeAnything) {
    ASSERT_TRUE(Open());
    EXPECT_THAT(log, ElementsAre("PortOut 0x378 0x00"));
}

TEST_F(FormTest, OptionChoosesWhereLaterWritesGo) {
    ASSERT_TRUE(Open());
    Click(form->op278);
    EXPECT_TRUE(form->op278.isChecked());
    EXPECT_FALSE(form->op378.isChecked());
    Click(form->Command3);
    Click(form->op3bc);
    Click(form->Command12);
    Click(form->op3bc); // already selected: changes nothing
    Click(form->Command1);
    EXPECT_THAT(Writes(), ElementsAre("PortOut 0x378 0x00", "PortOut 0x278 0xFF",
                                      "PortOut 0x3BC 0x00", "PortOut 0x3BC 0x11"));
}

TEST_F(FormTest, CloseButtonBeepsSixTimesBlanksThePortAndEnds) {
    ASSERT_TRUE(Open());
    Click(form->op3bc);
    log.clear();
    Click(form->Command11);
    EXPECT_THAT(log,
                ElementsAre("beep", "beep", "beep", "beep", "beep", "beep", "PortOut 0x3BC 0x00"));
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 0);
    EXPECT_FALSE(form->isVisible());
    for (Timer* t : {&form->Timer1, &form->Timer2, &form->Timer3, &form->Timer4, &form->Timer5})
        EXPECT_FALSE(t->Enabled());
    // Nothing is handled after the end, not even a click that was already queued.
    form->Command4.click();
    QTest::qWait(80);
    EXPECT_EQ(log.size(), 7u);
}

TEST_F(FormTest, TitleBarCloseBlanksThePortOnceWithoutBeeping) {
    ASSERT_TRUE(Open());
    Click(form->Command4);
    log.clear();
    form->close();
    EXPECT_THAT(log, ElementsAre("PortOut 0x378 0x00"));
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitStatus(), 0);
    form->close();
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(FormTest, SpaceAndEnterActivateTheFocusedButton) {
    ASSERT_TRUE(Open());
    log.clear();
    QTest::keyClick(&form->Command1, Qt::Key_Space);
    // Space counts once no auto-repeat can follow its release.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Writes().empty(); }, 2000));
    form->Command4.setFocus();
    QTest::keyClick(&form->Command4, Qt::Key_Return);
    QTest::keyClick(&form->Command4, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_THAT(Writes(),
                ElementsAre("PortOut 0x378 0x11", "PortOut 0x378 0x51", "PortOut 0x378 0x51"));
}

TEST_F(FormTest, DigitKeysAndDeletePressTheirButtons) {
    ASSERT_TRUE(Open());
    log.clear();
    QWidget* focused = form->focusWidget();
    QTest::keyClick(focused, Qt::Key_7);
    EXPECT_THAT(Writes(), ElementsAre("PortOut 0x378 0x51")); // at once, not on release
    EXPECT_TRUE(form->Command4.ShowsPressed());               // pressed look...
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Command4.ShowsPressed(); })); // ...for a moment
    QTest::keyClick(focused, Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(focused, Qt::Key_0);
    QTest::keyClick(focused, Qt::Key_Delete);
    EXPECT_THAT(Writes(), ElementsAre("PortOut 0x378 0x51", "PortOut 0x378 0x5E",
                                      "PortOut 0x378 0xF7", "PortOut 0x378 0x00"));
    EXPECT_EQ(Figure(), "WWWWWWW");
}

TEST_F(FormTest, DigitKeysWorkWhateverHasTheFocus) {
    ASSERT_TRUE(Open());
    log.clear();
    form->op278.setFocus();
    QTest::keyClick(&form->op278, Qt::Key_9);
    EXPECT_THAT(Writes(), ElementsAre("PortOut 0x378 0xFB"));
}

TEST_F(FormTest, RepeatingKeyLosesNoPress) {
    ASSERT_TRUE(Open());
    log.clear();
    QWidget* focused = form->focusWidget();
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, "3", i > 0);
        QApplication::sendEvent(focused, &repeat);
    }
    EXPECT_EQ(Writes(), Log(5, "PortOut 0x378 0x5B"));
}

// A key presses the digit it types, whatever layout and Shift it took; keys
// held with Ctrl or Alt, and other keys, do nothing.
struct TypedKey {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    const char* write; // nullptr: nothing
};
void PrintTo(const TypedKey& key, std::ostream* out) {
    *out << key.name;
}

class TypedKeyTest : public FormTest, public ::testing::WithParamInterface<TypedKey> {};

TEST_P(TypedKeyTest, PressesTheDigitItTypes) {
    ASSERT_TRUE(Open());
    log.clear();
    const TypedKey& k = GetParam();
    QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, QString::fromUtf8(k.text));
    QApplication::sendEvent(form->focusWidget(), &press);
    EXPECT_EQ(Writes(), k.write ? Log{k.write} : Log{});
    EXPECT_FALSE(form->Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKeyTest,
    ::testing::Values(
        TypedKey{"FrenchShifted7", Qt::Key_7, Qt::ShiftModifier, "7", "PortOut 0x378 0x51"},
        TypedKey{"KeypadWithNumLock3", Qt::Key_3, Qt::KeypadModifier, "3", "PortOut 0x378 0x5B"},
        TypedKey{"UnknownCodeTyping4", Qt::Key_unknown, Qt::NoModifier, "4", "PortOut 0x378 0x39"},
        TypedKey{"FrenchUnshifted1", Qt::Key_Ampersand, Qt::NoModifier, "&", nullptr},
        TypedKey{"EnglishShifted1", Qt::Key_Exclam, Qt::ShiftModifier, "!", nullptr},
        TypedKey{"Ctrl1", Qt::Key_1, Qt::ControlModifier, "1", nullptr},
        TypedKey{"CtrlShift7", Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier, "7", nullptr},
        TypedKey{"Alt5", Qt::Key_5, Qt::AltModifier, "5", nullptr},
        TypedKey{"LetterA", Qt::Key_A, Qt::NoModifier, "a", nullptr},
        TypedKey{"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", nullptr},
        TypedKey{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lptseg::test
