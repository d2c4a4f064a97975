#pragma once

#include "port_writer.h"

namespace lptseg {

// Runs the program with its one window, writing the port through port. Needs a
// QApplication; returns the process's exit status.
int RunProgram(PortWriter& port);

} // namespace lptseg
