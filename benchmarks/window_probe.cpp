// window_probe: starts a program on the X display and measures, in one run,
//   - start-up: from exec to its top-level window (found by caption) being mapped,
//   - memory: VmRSS a settling time after the window was mapped,
//   - idle CPU: its utime+stime over the following idle period, as % of one core.
// Prints "startup_ms rss_kib cpu_pct" on one line, then ends the program.
//
//   window_probe CAPTION SETTLE_S IDLE_S PROGRAM [ARGS...]
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Die(const std::string& message, pid_t child = 0) {
    std::cerr << "window_probe: " << message << std::endl;
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::exit(2);
}

std::string WindowName(xcb_connection_t* x, xcb_window_t window) {
    const auto cookie =
        xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(x, cookie, nullptr);
    if (!reply)
        return {};
    const std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                           static_cast<size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
}

// Waits until a window with the caption is mapped on the root; false if the
// program ended first or nothing came within the timeout.
bool WaitForMap(xcb_connection_t* x, const std::string& caption, pid_t child,
                std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window =
                mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
            std::free(event);
            if (mapped && WindowName(x, window) == caption)
                return true;
        }
        if (xcb_connection_has_error(x) || waitpid(child, nullptr, WNOHANG) == child)
            return false;
        poll(&fd, 1, 20);
    }
    return false;
}

long ResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// utime + stime of the process, all its threads, in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto end = text.rfind(')'); // the command name may hold spaces
    if (end == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(end + 2));
    std::string field;
    long utime = 0, stime = 0;
    // Fields 3.. follow the name; utime and stime are fields 14 and 15.
    for (int n = 3; n <= 15 && fields >> field; ++n) {
        if (n == 14)
            utime = std::stol(field);
        if (n == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::cerr << "usage: window_probe CAPTION SETTLE_S IDLE_S PROGRAM [ARGS...]\n";
        return 2;
    }
    const std::string caption = argv[1];
    const double settle = std::atof(argv[2]);
    const double idle = std::atof(argv[3]);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        Die("cannot open the X display");
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        Die("fork failed");
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    if (!WaitForMap(x, caption, child, std::chrono::seconds(30)))
        Die("the window was not mapped", child);
    const double startupMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();

    std::this_thread::sleep_for(std::chrono::duration<double>(settle));
    const long rss = ResidentKib(child);
    const long before = CpuTicks(child);
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(idle));
    const long after = CpuTicks(child);
    const double seconds = std::chrono::duration<double>(Clock::now() - idleStart).count();
    if (rss < 0 || before < 0 || after < 0)
        Die("the program ended while it was measured", child);
    const double cpuPct = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / seconds;

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%.1f %ld %.2f\n", startupMs, rss, cpuPct);
    return 0;
}
