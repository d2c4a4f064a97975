#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lptseg {

// The classic PC parallel port data registers.
inline constexpr std::int16_t Port378 = 0x378;
inline constexpr std::int16_t Port278 = 0x278;
inline constexpr std::int16_t Port3BC = 0x3BC;

constexpr bool IsParallelPortAddress(std::int16_t port) {
    return port == Port378 || port == Port278 || port == Port3BC;
}

// A port address as the user types it: hexadecimal, as the window, the kernel's
// /proc/ioports and the Windows Device Manager show it, with or without 0x
// ("0xE800", "E800", "378"). Nothing for any other text or for 0.
std::optional<std::uint16_t> ParsePortAddress(const std::string& text);

// "0x378": the port as 0x and at least three upper-case hex digits.
std::string FormatPort(std::int16_t port);

// "0x51": the byte as 0x and two upper-case hex digits.
std::string FormatByte(std::uint8_t data);

} // namespace lptseg
