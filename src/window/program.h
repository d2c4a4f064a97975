#pragma once

#include "command_line.h"
#include "port_writer.h"

#include <optional>

namespace lptseg {

// The program's command line, as its main receives it.
CommandLine ReadCommandLine(int argc, char* argv[], const ProgramInfo& program);

// What a program does before its QApplication: answers --help and --version,
// rejects a wrong command line and checks that the display can be reached. The
// exit status if the program ends here; nothing if it goes on to RunProgram.
std::optional<int> BeforeApplication(const CommandLine& line, const ProgramInfo& program);

// Runs the program with its one window, writing the port through port. Needs a
// QApplication; returns the process's exit status. Every ending blanks the LEDs:
// the close box, the "Zatvori" button, SIGTERM, SIGINT and SIGHUP, and the loss
// of the display. After a signal the process ends by that signal.
int RunProgram(PortWriter& port);

} // namespace lptseg
