// <windows.h> defines RGB and many other short names as macros; the display
// headers must still compile when it comes first.
// clang-format off
#include <windows.h>
#include "colour.h"
#include "display_operations.h"
#include "io_dll_port_writer.h"
// clang-format on

static_assert(lptseg::Rgb(1, 2, 3) == lptseg::Colour{1, 2, 3});
static_assert(lptseg::SegmentOff == lptseg::Colour{255, 255, 255});
