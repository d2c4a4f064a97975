// Presses: every completed press of a button writes once, whatever else is
// pressed or shown at the same time, checked against a model of the window.
#include "fakes.h"
#include "segment_code.h"

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
    static inline ulong clock = 0, repeats = 0;

    void Press(QWidget& c) { QTest::mousePress(&c, Qt::LeftButton, {}, On(c)); }
    void Release(QWidget& c, bool over) {
        QTest::mouseRelease(&c, Qt::LeftButton, {}, over ? On(c) : QPoint(-9, -9));
    }
    // Each key event has its own time, as from the window system, unless given one.
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}, bool repeat = false,
             ulong time = 0) {
        const QString text = key == Qt::Key_Space                   ? QString(" ")
                             : key >= Qt::Key_0 && key <= Qt::Key_9 ? QString(QChar(key))
                                                                    : QString();
        QKeyEvent event(type, key, mods, text, repeat);
        event.setTimestamp(time ? time : ++clock);
        QApplication::sendEvent(form.focusWidget() ? form.focusWidget() : &form, &event);
    }
    // X's auto-repeat of a held Space: a release and a press with one timestamp,
    // which Qt marks as a repeat only when it saw both at once.
    void SpaceRepeat(bool marked) {
        const ulong time = 1'000'000 + ++repeats;
        Key(QEvent::KeyRelease, Qt::Key_Space, {}, marked, time);
        Key(QEvent::KeyPress, Qt::Key_Space, {}, marked, time);
    }
    // Space goes up, and the moment in which a repeat could still follow passes.
    void SpaceUp() {
        Key(QEvent::KeyRelease, Qt::Key_Space);
        if (auto* button = dynamic_cast<CommandButton*>(form.focusWidget()))
            button->SettleSpaceRelease();
    }
};

bool LookTimerRuns(CommandButton& b) {
    return b.findChild<QTimer*>()->isActive();
}

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

// What the program should do, press by press, from the digit table and the
// option rules. Command buttons count each press on its own; option buttons keep
// the one down state of a standard button.
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

    explicit Model(Form1& f) : focus(f.focusWidget()) {
        for (CommandButton* w : Keypad(f))
            controls.push_back({w, Digit, int(controls.size())});
        controls.push_back({&f.Command12, Clear, 0});
        controls.push_back({&f.Command11, Close, 0});
        controls.push_back({&f.op378, Option, 0x378});
        controls.push_back({&f.op278, Option, 0x278});
        controls.push_back({&f.op3bc, Option, 0x3BC});
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
            log.push_back(Write(port, 0));
            ended = true;
        } else {
            const SegmentCode& code = c.kind == Digit ? LookupDigit(c.value) : ClearCode();
            log.push_back(Write(port, code.portByte));
            figure = Shows(code.lit);
        }
    }
    // The focus moved (a Tab or a mouse press): presses held on the old control end.
    void FocusTo(QWidget* now) {
        Control* old = now == focus ? nullptr : Find(focus);
        if (old) {
            old->space = old->down = false;
            if (old->kind != Option) // a standard button still follows the mouse
                old->mouse = old->over = false;
        }
        focus = now;
    }
    void MouseMove(Control& c, bool over) {
        c.down = c.kind == Option && c.mouse ? over : c.down;
        c.over = over;
    }
    void MouseRelease(Control& c, bool over) {
        const bool counts = c.kind == Option ? c.mouse && c.down : c.mouse;
        c.mouse = c.over = c.down = false;
        if (counts && over)
            Complete(c);
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
    for (int step = 0; step < 100000; ++step) {
        Hands hands{*form};
        auto& controls = model->controls;
        std::string did;
        const int action = pick(10);
        if (action < 3 && !held) { // the mouse goes down; the close button seldom
            const int other = pick(14);
            held = &controls[chance(1) ? 11 : other + (other >= 11)];
            const bool twice = chance(15); // the second press of a double click follows
            for (int press = 0; press <= int(twice) && !model->ended; ++press) {
                if (press) {
                    hands.Release(*held->widget, true);
                    model->MouseRelease(*held, true);
                }
                if (!model->ended) {
                    hands.Press(*held->widget);
                    if (press)
                        SendMouse(*held->widget, QEvent::MouseButtonDblClick, true);
                    model->FocusTo(form->focusWidget());
                    held->mouse = held->over = held->down = true;
                }
            }
            over = true;
            did = (twice ? "double click on " : "mouse down on ") +
                  held->widget->text().toStdString();
        } else if (action < 3 && chance(30)) {
            over = chance(50);
            SendMouse(*held->widget, QEvent::MouseMove, over);
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
            for (int r = 0; r <= repeats; ++r)
                hands.Key(QEvent::KeyPress, keys[k], mods, r > 0);
            hands.Key(QEvent::KeyRelease, keys[k], mods);
            Model::Control* c = k < 11 ? &controls[k] : model->Find(model->focus);
            for (int r = 0; c->kind != Model::Option && r <= repeats && !model->ended; ++r) {
                c->look = true;
                model->Complete(*c);
            }
            did = std::string("key ") + "0123456789DRE"[k] + " x" + std::to_string(repeats + 1);
        } else if (action == 6 && !spaceDown) {
            hands.Key(QEvent::KeyPress, Qt::Key_Space);
            if (Model::Control* c = model->Find(model->focus))
                c->space = c->down = true;
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
            hands.Key(QEvent::KeyPress, chance(70) ? Qt::Key_Tab : Qt::Key_Backtab);
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
            std::string text = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
            for (const auto& t : trail)
                text += "\n  " + t;
            return text;
        };

        ASSERT_EQ(log, model->log) << explain();
        log.clear();
        model->log.clear();
        ASSERT_EQ(form->Ended(), model->ended) << explain();
        if (model->ended) { // start again with a fresh window
            held = nullptr;
            spaceDown = false;
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
    if (held) // leave the mouse up for the tests that follow
        Hands{*form}.Release(*held->widget, false);
}

} // namespace
} // namespace lptseg::test
