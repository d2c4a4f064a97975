#pragma once

#include "colour.h"
#include "services.h"
#include "twips.h"

#include <QWidget>
#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace lptseg {

class CommandButton;
class Timer;

// A top-level window in the manner of a classic form: it is designed with a
// caption, a client size in twips and a background colour; it raises Form_Load
// before it is first shown and Form_Unload when it goes. Every event reaches the
// program's handlers through Raise, the one place where failures are caught.
class Window : public QWidget {
public:
    explicit Window(Services& services);

    // Starts the timers and raises Form_Load. False if the load failed; the
    // failure has then been reported and the window has ended.
    bool Load();
    // Shows the window centred on the screen, with the focus on the control of
    // the lowest tab position.
    void Show();
    // Raises Form_Unload, stops every timer and takes the window off the screen.
    void Unload();
    // Ends the program: no further event is handled and the event loop returns status.
    void End(int status = 0);
    // Unloads and ends as the title-bar close box does, with status; for an
    // ending that comes from outside the window, such as a signal. Nobody waits
    // for a box then: a failure goes to standard error only and the end keeps
    // status.
    void UnloadAndEnd(int status);
    // The last resort when the display is gone or the window's thread is stuck
    // and the process is ending; may run on another thread. Only Form_Unload
    // runs, unless an unload has already run, and nothing on screen is touched.
    // True if it ran and did not fail; a failure is written to standard error.
    bool UnloadWithoutDisplay();

    bool Ended() const { return ended_; }
    int ExitStatus() const { return exitStatus_; }

    // Runs an event handler. A failure it throws goes to the default error
    // handler: the message is shown and the program ends with status 1.
    void Raise(const std::function<void()>& handler);

    // Called by the controls and timers as the window's design creates them.
    void Place(QWidget& control, const Twips& place, int tabIndex);
    void Adopt(Timer& timer);
    // A key that presses a button from anywhere in the window: a key of that
    // code, or any key that types the key's character, whatever the keyboard
    // layout and the Shift it took. Keys held with Ctrl, Alt or Meta press nothing.
    void AddKeyFor(CommandButton& button, Qt::Key key);

protected:
    void SetCaption(const QString& caption);
    void SetClientSize(int widthTwips, int heightTwips);
    void SetBackColor(Colour colour);
    void Beep();
    Services& services() const { return services_; }

    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fail(const QString& message);
    void StopTimers();
    void ChainTabOrder();
    void CentreOnScreen();

    Services& services_;
    std::multimap<int, QWidget*> tabOrder_;
    std::vector<Timer*> timers_;
    std::map<int, CommandButton*> keys_;
    std::atomic<bool> ended_ = false;
    std::atomic<bool> unloaded_ = false; // Form_Unload has run
    std::optional<int> outsideEnding_;   // the status of an ending from outside
    bool centredWithFrame_ = false;
    int exitStatus_ = 0;
};

} // namespace lptseg
