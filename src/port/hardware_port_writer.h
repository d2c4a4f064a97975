#pragma once

#include "port_writer.h"

#include <memory>
#include <optional>
#include <string>

namespace lptseg {

// Whether this build can drive an FTDI USB adapter instead of a parallel port.
#ifdef LPTSEG_HAVE_FTDI
inline constexpr bool HasFtdi = true;
#else
inline constexpr bool HasFtdi = false;
#endif

// The writer that reaches the real parallel port on this system: the port at
// each address written to or, given a port (device, name or hexadecimal
// address), always that one; given an FTDI serial (empty for the first adapter
// found), that adapter. Throws PortError when the port given is not found.
std::unique_ptr<PortWriter> MakeHardwarePortWriter(const std::optional<std::string>& ftdiSerial,
                                                   const std::optional<std::string>& port);

} // namespace lptseg
