#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace lptseg {

// What a program's command line asks for. Qt's own options (-platform, -display,
// -style, ...) are left in place for QApplication; the platform and display they
// name are noted so that the display can be tried before Qt tries it.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Misuse };
    Action action = Action::Run;
    std::string misuse;   // for Misuse: what is wrong, one sentence
    std::string platform; // the value of -platform, if given
    std::string display;  // the value of -display, if given
    // --ftdi (the first adapter: an empty serial) or --ftdi=SERIAL, where taken.
    std::optional<std::string> ftdi;
    // --port=PORT or --port PORT, where taken: the one port every write goes to.
    std::optional<std::string> port;
};

// How one of the two programs presents itself in --help and --version.
struct ProgramInfo {
    const char* name;
    const char* purpose;    // one or more lines ending in '\n'
    const char* more;       // after the keys; may be empty
    bool takesFtdi = false; // whether --ftdi[=SERIAL] is one of its options
    bool takesPort = false; // whether --port=PORT is one of its options
};

// Parses the arguments after the program's name. Needs no QCoreApplication.
// A new option is declared here and lands in a new field of CommandLine.
CommandLine ParseCommandLine(const QStringList& arguments, bool takesFtdi, bool takesPort);

std::string HelpText(const ProgramInfo& program);
std::string VersionText(const ProgramInfo& program);

} // namespace lptseg
