#include "command_line.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace lptseg::test {
namespace {

using Action = CommandLine::Action;

struct Case {
    QStringList arguments;
    Action action;
    std::string misuse = "";
    std::string platform = "";
    std::string display = "";
    bool takesFtdi = false;
    std::optional<std::string> ftdi = std::nullopt;
    bool takesPort = false;
    std::optional<std::string> port = std::nullopt;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << '"' << c.arguments.join(' ').toStdString() << '"';
}

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, Parses) {
    const Case& c = GetParam();
    const CommandLine line = ParseCommandLine(c.arguments, c.takesFtdi, c.takesPort);
    EXPECT_EQ(line.action, c.action) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.misuse, c.misuse);
    EXPECT_EQ(line.platform, c.platform);
    EXPECT_EQ(line.display, c.display);
    EXPECT_EQ(line.ftdi, c.ftdi);
    EXPECT_EQ(line.port, c.port);
}

// Qt's own options, with one dash or two and their values, pass through to Qt;
// the platform and display are noted; everything else is ours to judge.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineTest, ::testing::Values(
    Case{{}, Action::Run}, Case{{"--help"}, Action::ShowHelp}, Case{{"-h"}, Action::ShowHelp},
    Case{{"-v"}, Action::ShowVersion}, Case{{"--version"}, Action::ShowVersion},
    Case{{"-platform", "offscreen", "-display", ":3", "--version"}, Action::ShowVersion, "", "offscreen", ":3"},
    Case{{"--platform=xcb:nograb", "-style", "fusion", "-reverse", "--display", "host:1"}, Action::Run, "", "xcb:nograb", "host:1"},
    Case{{"-stylesheet=a.qss", "-qwindowtitle", "x y"}, Action::Run},
    Case{{"--bogus"}, Action::Misuse, "nepoznata opcija „--bogus“."},
    Case{{"-hx"}, Action::Misuse, "nepoznata opcija „-hx“."},
    Case{{"-reverse=1"}, Action::Misuse, "nepoznata opcija „-reverse=1“."},
    Case{{"stray"}, Action::Misuse, "suvišan argument „stray“."},
    Case{{"-platform", "xcb", "stray"}, Action::Misuse, "suvišan argument „stray“.", "xcb"},
    Case{{"--help", "stray"}, Action::Misuse, "suvišan argument „stray“."},
    Case{{"--version=2"}, Action::Misuse, "opcija „--version=2“ ne prima vrijednost."},
    // --ftdi takes its serial only joined by '=', and only lptseg takes it at all.
    Case{{"--ftdi"}, Action::Run, "", "", "", true, ""},
    Case{{"--ftdi=A9X1", "-platform", "xcb"}, Action::Run, "", "xcb", "", true, "A9X1"},
    Case{{"--ftdi", "A9X1"}, Action::Misuse, "suvišan argument „A9X1“.", "", "", true, ""},
    Case{{"--ftdi="}, Action::Misuse, "opcija „--ftdi=“ traži serijski broj adaptera (ili samo --ftdi za prvi).", "", "", true, ""},
    Case{{"--ftdi"}, Action::Misuse, "nepoznata opcija „--ftdi“."},
    // --port takes its value either way, but not together with --ftdi.
    Case{.arguments = {"--port=/dev/parport1"}, .action = Action::Run, .takesPort = true, .port = "/dev/parport1"},
    Case{.arguments = {"--port", "0xE800", "-display", ":1"}, .action = Action::Run, .display = ":1", .takesPort = true, .port = "0xE800"},
    Case{.arguments = {"--port"}, .action = Action::Misuse, .misuse = "opcija „--port“ traži port, npr. --port=/dev/parport1 ili --port=0xE800.", .takesPort = true, .port = ""},
    Case{.arguments = {"--ftdi", "--port=parport1"}, .action = Action::Misuse, .misuse = "opcije --port i --ftdi ne mogu se zadati zajedno.", .takesFtdi = true, .ftdi = "", .takesPort = true, .port = "parport1"},
    Case{.arguments = {"--port=parport1"}, .action = Action::Misuse, .misuse = "nepoznata opcija „--port=parport1“."}),
    [](const auto& info) { // e.g. "5_platform_offscreen_display_3_version"
        std::string name = std::to_string(info.index) + '_';
        for (QChar c : info.param.arguments.join(' '))
            if (c.isLetterOrNumber() && c.unicode() < 128)
                name += char(c.unicode());
            else if (name.back() != '_')
                name += '_';
        return name;
    });
// clang-format on

} // namespace
} // namespace lptseg::test
