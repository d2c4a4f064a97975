#include "window.h"

#include "accessibility.h"
#include "command_button.h"
#include "font_spec.h"
#include "qt_colour.h"
#include "timer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QScreen>
#include <exception>
#include <iostream>

namespace lptseg {

Window::Window(Services& services) : services_(services) {
    // Fixed size; it can be minimised but not maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(FontSpec{}.ToQFont()); // the standard window font, for controls without their own
    InstallAccessibility();
}

void Window::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

void Window::SetClientSize(int widthTwips, int heightTwips) {
    setFixedSize(Twips{0, 0, widthTwips, heightTwips}.ToPixels().size());
}

void Window::SetBackColor(Colour colour) {
    SetColours(*this, colour);
}

void Window::Beep() {
    services_.beeper.Beep();
}

void Window::Place(QWidget& control, const Twips& place, int tabIndex) {
    control.setGeometry(place.ToPixels());
    tabOrder_.emplace(tabIndex, &control);
}

void Window::Adopt(Timer& timer) {
    timers_.push_back(&timer);
}

void Window::AddKeyFor(CommandButton& button, Qt::Key key) {
    keys_[key] = &button;
}

bool Window::Load() {
    ChainTabOrder();
    for (Timer* timer : timers_)
        timer->Start();
    Raise([this] { Form_Load(); });
    return !ended_;
}

void Window::Show() {
    if (ended_)
        return;
    CentreOnScreen();
    show();
    for (auto [index, control] : tabOrder_) {
        if (control->focusPolicy() & Qt::TabFocus) {
            control->setFocus();
            break;
        }
    }
}

// The whole frame, title bar included, goes in the middle of the screen's free
// area. The frame is known only once a window manager has framed the window;
// until then it is the window itself.
void Window::CentreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect frame({0, 0}, frameGeometry().size());
        move(screen->availableGeometry().center() - frame.center());
    }
}

void Window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!centredWithFrame_ && isVisible() && frameGeometry().size() != size()) {
        centredWithFrame_ = true;
        CentreOnScreen();
    }
}

void Window::Unload() {
    int cancel = 0;
    Form_Unload(cancel); // this program never cancels an unload
    unloaded_ = true;
    StopTimers();
    hide();
}

void Window::End(int status) {
    StopTimers();
    ended_ = true;
    exitStatus_ = status;
    hide();
    QCoreApplication::exit(status);
}

void Window::UnloadAndEnd(int status) {
    if (ended_)
        return;
    outsideEnding_ = status;
    Raise([this, status] {
        Unload();
        End(status);
    });
}

bool Window::UnloadWithoutDisplay() {
    if (ended_.exchange(true) || unloaded_)
        return false;
    try {
        int cancel = 0;
        Form_Unload(cancel);
        return true;
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
    } catch (...) {
        std::cerr << "Nepoznata pogreška." << std::endl;
    }
    return false;
}

void Window::Raise(const std::function<void()>& handler) {
    if (ended_)
        return;
    try {
        handler();
    } catch (const std::exception& error) {
        Fail(QString::fromUtf8(error.what()));
    } catch (...) {
        Fail(QStringLiteral("Nepoznata pogreška."));
    }
}

// The default error handler: report, then end without touching the port again.
void Window::Fail(const QString& message) {
    StopTimers();
    ended_ = true;
    std::cerr << message.toStdString() << std::endl;
    if (outsideEnding_) {
        End(*outsideEnding_);
        return;
    }
    services_.errors.Show(isVisible() ? this : nullptr, windowTitle(), message);
    End(1);
}

void Window::StopTimers() {
    for (Timer* timer : timers_)
        timer->Stop();
}

void Window::ChainTabOrder() {
    QWidget* previous = nullptr;
    for (auto [index, control] : tabOrder_) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void Window::closeEvent(QCloseEvent* event) {
    // The title-bar close box unloads the window like the program's own close,
    // and with its only window gone the program ends.
    Raise([this] {
        Unload();
        End(0);
    });
    event->accept();
}

void Window::keyPressEvent(QKeyEvent* event) {
    constexpr auto shortcuts = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    auto key = keys_.find(event->key());
    // A printable key's code is its character, upper case: on a French keyboard
    // Shift and the "&" key type "1", which is Qt::Key_1.
    if (key == keys_.end() && event->text().size() == 1)
        key = keys_.find(event->text().at(0).toUpper().unicode());
    if (!(event->modifiers() & shortcuts) && key != keys_.end()) {
        key->second->Press();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lptseg
