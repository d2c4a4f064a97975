#pragma once

#include "port_writer.h"

#include <memory>

namespace lptseg {

// The writer that reaches the real parallel port on this system.
std::unique_ptr<PortWriter> MakeHardwarePortWriter();

} // namespace lptseg
