// Overlapping presses: every completed press of a button writes once, whatever
// else is pressed or shown at the same time.
#include "fakes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>

namespace lptseg::test {
namespace {

// One user with one mouse and one keyboard. Keys go where the focus is.
struct Hands {
    Form1& form;

    static QPoint On(QWidget& c) {
        // An option button is pressed on its round indicator, anything else in its middle.
        return qobject_cast<QRadioButton*>(&c) ? QPoint(8, c.height() / 2) : c.rect().center();
    }
    void Press(QWidget& c) { QTest::mousePress(&c, Qt::LeftButton, {}, On(c)); }
    // The second press of a double click, as the window system delivers it: a press,
    // then the double click event, with the button left down (QTest::mouseDClick
    // sends the double click event alone).
    void DoubleClick(QWidget& c) {
        Press(c);
        Send(c, QEvent::MouseButtonDblClick, On(c), Qt::LeftButton);
    }
    // A move with the button held; the control that took the press gets it.
    // QTest::mouseMove only moves the cursor in Qt 5, so the control never saw it.
    void Move(QWidget& c, bool over) {
        Send(c, QEvent::MouseMove, over ? On(c) : QPoint(-9, -9), Qt::NoButton);
    }
    static void Send(QWidget& c, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, at, c.mapToGlobal(at), button, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&c, &event);
    }
    void Release(QWidget& c, bool over) {
        QTest::mouseRelease(&c, Qt::LeftButton, {}, over ? On(c) : QPoint(-9, -9));
    }
    // Each key event has its own time, as from the window system, unless given one.
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}, bool repeat = false,
             ulong time = 0) {
        static ulong clock = 0;
        const QString text = key == Qt::Key_Space ? " "
                             : key >= Qt::Key_0 && key <= Qt::Key_9
                                 ? QString(QChar('0' + key - Qt::Key_0))
                                 : QString();
        QKeyEvent event(type, key, mods, text, repeat);
        event.setTimestamp(time ? time : ++clock);
        QApplication::sendEvent(form.focusWidget() ? form.focusWidget() : &form, &event);
    }
    void Type(int key, Qt::KeyboardModifiers mods = {}) {
        Key(QEvent::KeyPress, key, mods);
        Key(QEvent::KeyRelease, key, mods);
    }
    // X's auto-repeat of a held Space: a release and a press with one timestamp,
    // which Qt marks as a repeat only when it saw both at once.
    void SpaceRepeat(bool marked, bool settleBetween = false) {
        const ulong time = 1'000'000 + ++repeats;
        Key(QEvent::KeyRelease, Qt::Key_Space, {}, marked, time);
        if (settleBetween)
            Settle();
        Key(QEvent::KeyPress, Qt::Key_Space, {}, marked, time);
    }
    // Space goes up, and the moment in which a repeat could still follow passes.
    void SpaceUp() {
        Key(QEvent::KeyRelease, Qt::Key_Space);
        Settle();
    }
    void Settle() {
        if (auto* button = dynamic_cast<CommandButton*>(form.focusWidget()))
            button->SettleSpaceRelease();
    }
    static inline ulong repeats = 0;
};

// Focus changes reach the controls only in the active window.
class PressTest : public FormTest {
protected:
    bool OpenActive() {
        if (!Open())
            return false;
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
};

bool LookTimerRuns(CommandButton& b) {
    return b.findChild<QTimer*>()->isActive();
}

// Scripts on one button: k its key typed, r the key's auto-repeat, e Enter,
// m mouse press, u release over it, x release off it, o drag off, n drag back on,
// s Space down, S Space up, U Space up and its wait for a repeat passes for real,
// R Space auto-repeat marked, X not marked, L its press too late to hold the
// release back, t Tab, l the pressed look ends, w it runs out for real.
struct Overlap {
    const char* name;
    const char* script;
    int writes;
};

void PrintTo(const Overlap& overlap, std::ostream* out) {
    *out << overlap.script;
}

class OverlapTest : public PressTest,
                    public ::testing::WithParamInterface<std::tuple<Overlap, bool>> {};

TEST_P(OverlapTest, EveryCompletedPressWritesOnce) {
    const auto [overlap, clear] = GetParam();
    ASSERT_TRUE(OpenActive());
    CommandButton& b = clear ? form->Command12 : form->Command4;
    const int key = clear ? Qt::Key_Delete : Qt::Key_7;
    b.setFocus();
    log.clear();
    Hands hands{*form};
    for (const char* c = overlap.script; *c; ++c) {
        switch (*c) {
        case 'k':
            hands.Type(key);
            break;
        case 'r':
            hands.Key(QEvent::KeyPress, key, {}, true);
            break;
        case 'e':
            hands.Type(Qt::Key_Return);
            break;
        case 'm':
            hands.Press(b);
            break;
        case 'u':
            hands.Release(b, true);
            break;
        case 'x':
            hands.Release(b, false);
            break;
        case 'o':
            hands.Move(b, false);
            break;
        case 'n':
            hands.Move(b, true);
            break;
        case 's':
            hands.Key(QEvent::KeyPress, Qt::Key_Space);
            break;
        case 'S':
            hands.SpaceUp();
            break;
        case 'U':
            hands.Key(QEvent::KeyRelease, Qt::Key_Space);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !b.ShowsPressed(); }, 2000));
            break;
        case 'R':
        case 'X':
        case 'L':
            hands.SpaceRepeat(*c == 'R', *c == 'L');
            break;
        case 't':
            hands.Type(Qt::Key_Tab);
            break;
        case 'l':
            b.EndPressedLook();
            break;
        case 'w':
            EXPECT_TRUE(QTest::qWaitFor([&] { return !LookTimerRuns(b); }, 2000));
            break;
        default:
            FAIL() << "bad script step " << *c;
        }
    }
    EXPECT_EQ(Writes(), Log(overlap.writes, clear ? "PortOut 0x378 0x00" : "PortOut 0x378 0x51"));
    EXPECT_FALSE(b.ShowsPressed());
    EXPECT_FALSE(LookTimerRuns(b));
}

INSTANTIATE_TEST_SUITE_P(
    Presses, OverlapTest,
    ::testing::Combine(
        ::testing::Values(
            Overlap{"KeyThenMouseHeldPastTheLook", "kmwu", 2}, Overlap{"KeyThenMouse", "kmlu", 2},
            Overlap{"KeyThenSpace", "kslS", 2}, Overlap{"EnterThenSpace", "eslS", 2},
            Overlap{"EnterThenMouse", "emlu", 2}, Overlap{"RepeatsThenMouse", "krrmlu", 4},
            Overlap{"MouseHeldThenKey", "mklu", 2}, Overlap{"SpaceHeldThenEnter", "selS", 2},
            Overlap{"SpaceRepeatIsOnePress", "sRXRklS", 2},
            Overlap{"HeldSpaceWritesOnItsRelease", "sXXXU", 1},
            Overlap{"LateRepeatStartsNoPress", "sLXXS", 1}, Overlap{"MouseAroundSpace", "msSu", 2},
            Overlap{"MouseAndSpaceCrossed", "msuS", 2}, Overlap{"KeyThenDragOff", "kmlox", 1},
            Overlap{"KeyThenDragOffAndBack", "kmlonu", 2},
            Overlap{"DragOffLeavesSpaceAlone", "smoxS", 1},
            Overlap{"FocusLeavingAbandonsHeldPresses", "msktluS", 1}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_Brisi" : "_7");
    });

// The reference for the random run, written from the wiring and the digits' shapes:
// bit i of the port byte lights segment Wiring[i]; D7 is high for 0, 6, 8 and 9.
const std::string Wiring = "cdegbfa";
const char* const Lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                             "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};


// What the program should do, press by press. Command buttons count each press
// on its own; option buttons keep the one down state of a standard button.
struct Model {
    enum Kind { Digit, Clear, Close, Option };
    struct Control {
        QAbstractButton* widget;
        Kind kind;
        int value; // the digit, or the option's port
        bool mouse = false, over = false, space = false, look = false, down = false;
    };
    std::vector<Control> controls;
    int port = 0x378;
    std::string figure; // empty until the first digit or Clear
    Log log{Write(0x378, 0)};
    bool ended = false;
    QWidget* focus = nullptr;

    explicit Model(Form1& f) {
        CommandButton* digits[] = {&f.Command10, &f.Command1, &f.Command9, &f.Command8,
                                   &f.Command7,  &f.Command6, &f.Command5, &f.Command4,
                                   &f.Command3,  &f.Command2};
        for (int d = 0; d < 10; ++d)
            controls.push_back({digits[d], Digit, d});
        controls.push_back({&f.Command12, Clear, 0});
        controls.push_back({&f.Command11, Close, 0});
        controls.push_back({&f.op378, Option, 0x378});
        controls.push_back({&f.op278, Option, 0x278});
        controls.push_back({&f.op3bc, Option, 0x3BC});
        focus = f.focusWidget();
    }
    Control* Find(QWidget* w) {
        for (auto& c : controls)
            if (c.widget == w)
                return &c;
        return nullptr;
    }
    void Complete(Control& c) {
        if (c.kind == Option) {
            port = c.value;
        } else if (c.kind == Close) {
            log.insert(log.end(), 6, "beep");
            log.push_back(Write(port, 0));
            ended = true;
        } else {
            const std::string lit = c.kind == Digit ? Lit[c.value] : "";
            const bool d7 = c.kind == Digit &&
                            std::string("0689").find(char('0' + c.value)) != std::string::npos;
            int byte = d7 ? 0x80 : 0;
            figure.clear();
            for (char s : std::string("abcdefg")) {
                const bool on = lit.find(s) != std::string::npos;
                byte |= on ? 1 << Wiring.find(s) : 0;
                figure += on ? 'R' : 'W';
            }
            log.push_back(Write(port, byte));
        }
    }
    void KeyPress(Control& c) {
        c.look = c.kind != Option;
        Complete(c);
    }
    // The focus moved (a Tab or a mouse press): presses held on the old control end.
    void FocusTo(QWidget* now) {
        if (now == focus)
            return;
        if (Control* old = Find(focus)) {
            old->space = old->down = false;
            if (old->kind != Option) // a standard button still follows the mouse
                old->mouse = old->over = false;
        }
        focus = now;
    }
    void MousePress(Control& c) { c.mouse = c.over = c.down = true; }
    void MouseMove(Control& c, bool over) {
        if (c.kind == Option && c.mouse)
            c.down = over;
        c.over = over;
    }
    void MouseRelease(Control& c, bool over) {
        const bool counts = c.kind == Option ? c.mouse && c.down : c.mouse;
        c.mouse = c.over = c.down = false;
        if (counts && over)
            Complete(c);
    }
    void SpacePress() {
        if (Control* c = Find(focus))
            c->space = c->down = true;
    }
    void SpaceRelease() {
        Control* c = Find(focus);
        if (c && (c->kind == Option ? c->down : c->space)) {
            c->space = c->down = false;
            Complete(*c);
        }
    }
};

TEST_F(PressTest, RandomPressesMatchTheModel) {
    const char* fixed = std::getenv("LPTSEG_SEED");
    const unsigned seed =
        fixed ? unsigned(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    std::printf("LPTSEG_SEED=%u\n", seed);
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto chance = [&](int percent) { return pick(100) < percent; };
    // The keys that press a button: the ten digits, Delete, and Enter on the focused one.
    const int keys[] = {Qt::Key_0,      Qt::Key_1,      Qt::Key_2,    Qt::Key_3, Qt::Key_4,
                        Qt::Key_5,      Qt::Key_6,      Qt::Key_7,    Qt::Key_8, Qt::Key_9,
                        Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter};

    ASSERT_TRUE(OpenActive());
    auto model = std::make_unique<Model>(*form);
    Model::Control* held = nullptr; // the control the mouse button went down on
    bool over = false;              // while held: whether the pointer is over it
    bool spaceDown = false;
    std::deque<std::string> trail; // the last steps, to explain a failure
    int writes = 0, restarts = 0;
    for (int step = 0; step < 100000; ++step) {
        Hands hands{*form};
        auto& controls = model->controls;
        std::string did;
        const int action = pick(10);
        if (action < 3 && !held) { // the mouse goes down on a control
            const int other = pick(14);
            // The close button ends the program, so it is pressed seldom.
            held = &controls[chance(1) ? 11 : other + (other >= 11)];
            hands.Press(*held->widget);
            model->FocusTo(form->focusWidget());
            model->MousePress(*held);
            over = true;
            did = "mouse down on " + held->widget->text().toStdString();
            if (chance(15)) { // the second press of a double click follows
                hands.Release(*held->widget, true);
                model->MouseRelease(*held, true);
                if (!model->ended) {
                    hands.DoubleClick(*held->widget);
                    model->MousePress(*held);
                }
                did = "double click on " + held->widget->text().toStdString();
            }
        } else if (action < 3 && chance(30)) {
            over = chance(50);
            hands.Move(*held->widget, over);
            model->MouseMove(*held, over);
            did = over ? "drag on" : "drag off";
        } else if (action < 3) {
            hands.Release(*held->widget, over);
            model->MouseRelease(*held, over);
            held = nullptr;
            did = over ? "mouse up" : "mouse up off";
        } else if (action < 6) { // a key, perhaps repeating, from the main block or the keypad
            const int k = pick(13);
            const int repeats = chance(20) ? 1 + pick(4) : 0;
            const bool keypad = keys[k] == Qt::Key_Enter || (k < 10 && chance(30));
            const auto mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
            hands.Key(QEvent::KeyPress, keys[k], mods);
            for (int r = 0; r < repeats; ++r)
                hands.Key(QEvent::KeyPress, keys[k], mods, true);
            hands.Key(QEvent::KeyRelease, keys[k], mods);
            Model::Control* c = k < 11 ? &controls[k] : model->Find(model->focus);
            for (int r = 0; c->kind != Model::Option && r <= repeats && !model->ended; ++r)
                model->KeyPress(*c);
            did = std::string("key ") + "0123456789DRE"[k] + " x" + std::to_string(repeats + 1);
        } else if (action == 6 && !spaceDown) {
            hands.Key(QEvent::KeyPress, Qt::Key_Space);
            model->SpacePress();
            spaceDown = true;
            did = "space down";
        } else if (action == 6 && chance(30)) {
            // Qt's own option buttons may take an unmarked repeat as a click; selecting
            // an option again writes nothing, but the model does not follow that.
            hands.SpaceRepeat(chance(50) || !dynamic_cast<CommandButton*>(form->focusWidget()));
            did = "space repeat";
        } else if (action == 6) {
            hands.SpaceUp();
            model->SpaceRelease();
            spaceDown = false;
            did = "space up";
        } else if (action == 7) {
            hands.Type(chance(70) ? Qt::Key_Tab : Qt::Key_Backtab);
            model->FocusTo(form->focusWidget());
            did = "tab";
        } else if (action == 8) { // a pressed look ends, as its timer would
            Model::Control& c = controls[pick(12)];
            static_cast<CommandButton*>(c.widget)->EndPressedLook();
            c.look = false;
            did = "look ends on " + c.widget->text().toStdString();
        } else if (chance(1)) {
            form->close(); // the title-bar close box
            model->log.push_back(Write(model->port, 0));
            model->ended = true;
            did = "close box";
        } else if (chance(2)) {
            QCoreApplication::processEvents(); // paints; real timers may fire
            did = "events";
        }
        trail.push_back(did);
        if (trail.size() > 16)
            trail.pop_front();
        auto explain = [&] {
            std::string text =
                "seed " + std::to_string(seed) + ", step " + std::to_string(step) + "; last steps:";
            for (const auto& t : trail)
                text += "\n  " + t;
            return text;
        };

        ASSERT_EQ(log, model->log) << explain();
        writes += int(log.size());
        log.clear();
        model->log.clear();
        ASSERT_EQ(form->Ended(), model->ended) << explain();
        if (model->ended) { // start again with a fresh window
            held = nullptr;
            spaceDown = false;
            ++restarts;
            ASSERT_TRUE(OpenActive());
            model = std::make_unique<Model>(*form);
            ASSERT_EQ(log, model->log);
            log.clear();
            model->log.clear();
            continue;
        }
        // The sunken look shows held presses and, while its timer runs, keyboard presses.
        for (int i = 0; i < 12; ++i) {
            Model::Control& c = controls[i];
            auto& b = *static_cast<CommandButton*>(c.widget);
            const bool timer = LookTimerRuns(b);
            ASSERT_EQ(b.ShowsPressed(), (c.mouse && c.over) || c.space || timer)
                << c.widget->text().toStdString() << "; " << explain();
            ASSERT_TRUE(c.look || !timer) << c.widget->text().toStdString() << "; " << explain();
        }
        if (!model->figure.empty() && chance(10)) {
            ASSERT_EQ(Figure(), model->figure) << explain();
        }
    }
    std::printf("%d writes and beeps checked, %d windows closed and opened again\n", writes,
                restarts);
    if (held) // leave the mouse up for the tests that follow
        Hands{*form}.Release(*held->widget, false);
}

} // namespace
} // namespace lptseg::test
