#pragma once

#include "colour.h"

namespace lptseg {

// The digit keypad starts yellow and is then repainted by two timers in turn.
inline constexpr Colour KeypadYellow = Rgb(255, 255, 0);
inline constexpr Colour KeypadWarm = Rgb(255, 65, 35);
inline constexpr Colour KeypadDeep = Rgb(195, 65, 35);

} // namespace lptseg
