#pragma once

#include <string>

namespace lptseg {

// Where this user can read the hardware guide that the port messages point to:
// beside the running program once it is installed (/usr/share/doc/lptseg/docs/
// for the Debian package), otherwise in the source tree it was built from.
std::string HardwareGuide();

} // namespace lptseg
