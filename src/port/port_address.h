#pragma once

#include <cstdint>
#include <string>

namespace lptseg {

// The classic PC parallel port data registers.
inline constexpr std::int16_t Port378 = 0x378;
inline constexpr std::int16_t Port278 = 0x278;
inline constexpr std::int16_t Port3BC = 0x3BC;

constexpr bool IsParallelPortAddress(std::int16_t port) {
    return port == Port378 || port == Port278 || port == Port3BC;
}

// "0x378": the port as 0x and at least three upper-case hex digits.
std::string FormatPort(std::int16_t port);

// "0x51": the byte as 0x and two upper-case hex digits.
std::string FormatByte(std::uint8_t data);

} // namespace lptseg
