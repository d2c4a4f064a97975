#pragma once

#include <cstdint>

namespace lptseg {

// A 24-bit RGB colour, as the window's controls take it.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

// Not RGB: <windows.h> defines that name as a macro.
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r, g, b};
}

} // namespace lptseg
