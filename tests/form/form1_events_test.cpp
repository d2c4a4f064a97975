// Keys press the button of the digit they type, on any keyboard layout; keys
// with Ctrl or Alt, and keys that type no digit, press nothing. (Every other
// click and key is checked against a model by the random press test.)
#include "fakes.h"
#include "segment_code.h"

#include <QApplication>
#include <QKeyEvent>

namespace lptseg::test {
namespace {

struct TypedKey {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    int digit; // the digit whose button it presses; -1 for none
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
    EXPECT_EQ(Writes(), k.digit < 0 ? Log{} : Log{Write(0x378, LookupDigit(k.digit).portByte)});
    EXPECT_FALSE(form->Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKeyTest,
    ::testing::Values(TypedKey{"FrenchShifted7", Qt::Key_7, Qt::ShiftModifier, "7", 7},
                      TypedKey{"KeypadWithNumLock3", Qt::Key_3, Qt::KeypadModifier, "3", 3},
                      TypedKey{"UnknownCodeTyping4", Qt::Key_unknown, Qt::NoModifier, "4", 4},
                      TypedKey{"FrenchUnshifted1", Qt::Key_Ampersand, Qt::NoModifier, "&", -1},
                      TypedKey{"EnglishShifted1", Qt::Key_Exclam, Qt::ShiftModifier, "!", -1},
                      TypedKey{"Ctrl1", Qt::Key_1, Qt::ControlModifier, "1", -1},
                      TypedKey{"CtrlShift7", Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier,
                               "7", -1},
                      TypedKey{"Alt5", Qt::Key_5, Qt::AltModifier, "5", -1},
                      TypedKey{"LetterA", Qt::Key_A, Qt::NoModifier, "a", -1},
                      TypedKey{"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", -1},
                      TypedKey{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lptseg::test
