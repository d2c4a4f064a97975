#include "command_line.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace lptseg::test {
namespace {

using enum CommandLine::Action;

// Qt's own options, with one dash or two and their values, pass through to Qt;
// the platform and display are noted; everything else is ours to judge.
struct Case {
    QStringList arguments;
    CommandLine::Action action;
    std::string misuse = "", platform = "", display = "";
    bool takesFtdi = false;
    std::optional<std::string> ftdi = std::nullopt;
    bool takesPort = false;
    std::optional<std::string> port = std::nullopt;
};
// clang-format off
const Case cases[] = {
    {{}, Run}, {{"--help"}, ShowHelp}, {{"-h"}, ShowHelp}, {{"-v"}, ShowVersion}, {{"--version"}, ShowVersion},
    {{"-platform", "offscreen", "-display", ":3", "--version"}, ShowVersion, "", "offscreen", ":3"},
    {{"--platform=xcb:nograb", "-style", "fusion", "-stylesheet=a.qss", "-qwindowtitle", "x y", "-reverse", "--display", "host:1"}, Run, "", "xcb:nograb", "host:1"},
    {{"-hx"}, Misuse, "nepoznata opcija „-hx“."},
    {{"-reverse=1"}, Misuse, "nepoznata opcija „-reverse=1“."},
    {{"stray"}, Misuse, "suvišan argument „stray“."},
    {{"-platform", "xcb", "stray"}, Misuse, "suvišan argument „stray“.", "xcb"},
    {{"--help", "stray"}, Misuse, "suvišan argument „stray“."},
    {{"--version=2"}, Misuse, "opcija „--version=2“ ne prima vrijednost."},
    // --ftdi takes its serial only joined by '='.
    {{"--ftdi"}, Run, "", "", "", true, ""},
    {{"--ftdi=A9X1", "-platform", "xcb"}, Run, "", "xcb", "", true, "A9X1"},
    {{"--ftdi", "A9X1"}, Misuse, "suvišan argument „A9X1“.", "", "", true, ""},
    {{"--ftdi="}, Misuse, "opcija „--ftdi=“ traži serijski broj adaptera (ili samo --ftdi za prvi).", "", "", true, ""},
    // --port takes its value either way, but not together with --ftdi.
    {{"--port=/dev/parport1"}, Run, "", "", "", false, {}, true, "/dev/parport1"},
    {{"--port", "0xE800", "-display", ":1"}, Run, "", "", ":1", false, {}, true, "0xE800"},
    {{"--port"}, Misuse, "opcija „--port“ traži port, npr. --port=/dev/parport1 ili --port=0xE800.", "", "", false, {}, true, ""},
    {{"--ftdi", "--port=parport1"}, Misuse, "opcije --port i --ftdi ne mogu se zadati zajedno.", "", "", true, "", true, "parport1"},
    {{"--port=parport1"}, Misuse, "nepoznata opcija „--port=parport1“."},
};
// clang-format on

TEST(ParseCommandLine, LeavesQtItsOptionsAndTakesOrRefusesEachOfOurs) {
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments, c.takesFtdi, c.takesPort);
        EXPECT_EQ(std::tuple(int(line.action), line.misuse, line.platform, line.display, line.ftdi,
                             line.port),
                  std::tuple(int(c.action), c.misuse, c.platform, c.display, c.ftdi, c.port))
            << '"' << c.arguments.join(' ').toStdString() << '"'
            << (c.takesFtdi ? ", --ftdi taken" : "") << (c.takesPort ? ", --port taken" : "");
    }
}

} // namespace
} // namespace lptseg::test
