// Keys press the button of the digit they type, on any keyboard layout; keys
// with Ctrl or Alt, and keys that type no digit, press nothing. (Every other
// click and key is checked against a model by the random press test.)
#include "fakes.h"
#include "segment_code.h"

#include <QApplication>
#include <QKeyEvent>

namespace lptseg::test {
namespace {

TEST_F(FormTest, TypedKeysPressTheDigitTheyType) {
    struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        int digit; // the digit whose button it presses; -1 for none
    } const keys[] = {{"French shifted 7", Qt::Key_7, Qt::ShiftModifier, "7", 7},
                      {"keypad 3 with Num Lock", Qt::Key_3, Qt::KeypadModifier, "3", 3},
                      {"unknown key typing 4", Qt::Key_unknown, Qt::NoModifier, "4", 4},
                      {"French unshifted 1", Qt::Key_Ampersand, Qt::NoModifier, "&", -1},
                      {"English shifted 1", Qt::Key_Exclam, Qt::ShiftModifier, "!", -1},
                      {"Ctrl+1", Qt::Key_1, Qt::ControlModifier, "1", -1},
                      {"Ctrl+Shift+7", Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier, "7", -1},
                      {"Alt+5", Qt::Key_5, Qt::AltModifier, "5", -1},
                      {"letter a", Qt::Key_A, Qt::NoModifier, "a", -1},
                      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", -1},
                      {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", -1}};
    ASSERT_TRUE(Open());
    for (const auto& k : keys) {
        log.clear();
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, QString::fromUtf8(k.text));
        QApplication::sendEvent(form->focusWidget(), &press);
        EXPECT_EQ(Writes(), k.digit < 0 ? Log{} : Log{Write(0x378, LookupDigit(k.digit).portByte)})
            << k.name;
        EXPECT_FALSE(form->Ended()) << k.name;
    }
}

} // namespace
} // namespace lptseg::test
