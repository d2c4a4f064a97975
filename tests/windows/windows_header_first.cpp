// <windows.h> defines many short names as macros; the port headers must still
// compile when it comes first.
// clang-format off
#include <windows.h>
#include "hardware_port_writer.h"
#include "io_dll_port_writer.h"
#include "port_address.h"
#include "port_error.h"
// clang-format on
