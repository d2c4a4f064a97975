#pragma once

#include "command_line.h"
#include "port_writer.h"

#include <functional>
#include <memory>

namespace lptseg {

// Makes the writer through which a program reaches its port, once its
// QApplication exists. standardOutputClosed: descriptor 1 was closed when the
// program started (it is on /dev/null now).
using PortWriterFactory =
    std::function<std::unique_ptr<PortWriter>(const CommandLine& line, bool standardOutputClosed)>;

// The whole life of either program: reads the command line, answers --help and
// --version, rejects a wrong command line, checks the display, then runs the one
// window writing the port through the writer that makePort gives. Returns the
// exit status. Every ending blanks the LEDs: the close box, the "Zatvori"
// button, SIGTERM, SIGINT and SIGHUP, and the loss of the display; after a
// signal the process ends by that signal.
int RunMain(int argc, char* argv[], const ProgramInfo& program, const PortWriterFactory& makePort);

} // namespace lptseg
