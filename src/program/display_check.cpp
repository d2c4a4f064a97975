#include "display_check.h"

#include <QByteArray>
#include <QtGlobal>
#include <memory>

#ifdef LPTSEG_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace lptseg {

#ifdef LPTSEG_HAVE_XCB
namespace {

// The platform plugin Qt will load: -platform, else QT_QPA_PLATFORM, else the
// default, xcb, unless the session is Wayland's (then Qt chooses for itself).
std::string PlatformName(const CommandLine& line) {
    std::string platform = line.platform;
    if (platform.empty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
    if (platform.empty())
        return qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland" ? "" : "xcb";
    return platform.substr(0, platform.find(':')); // drop the plugin's options
}

} // namespace
#endif

std::optional<std::string> DisplayProblem(const CommandLine& line) {
#ifdef LPTSEG_HAVE_XCB
    if (PlatformName(line) != "xcb")
        return std::nullopt;
    const std::string display =
        line.display.empty() ? qEnvironmentVariable("DISPLAY").toStdString() : line.display;
    const std::string advice = "Pokrenite program u grafičkoj sesiji ili zadajte zaslon "
                               "varijablom DISPLAY ili opcijom -display.";
    if (display.empty())
        return "X zaslon nije zadan (varijabla DISPLAY nije postavljena). " + advice;
    // The connection stays open until the process ends: an X server whose last
    // client leaves resets itself, and Qt's own connection must not meet that.
    static const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(
        xcb_connect(display.c_str(), nullptr), xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return "nije moguće spojiti se na X zaslon „" + display + "“. " + advice;
#else
    (void)line;
#endif
    return std::nullopt;
}

} // namespace lptseg
