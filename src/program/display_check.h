#pragma once

#include "command_line.h"

#include <optional>
#include <string>

namespace lptseg {

// Tries the X display that Qt is about to use, so that a missing one gives one
// clear line instead of Qt's abort. Returns that line (without the program's
// name) if the display cannot be reached; nothing for other platforms.
std::optional<std::string> DisplayProblem(const CommandLine& line);

} // namespace lptseg
