#include "port_address.h"

#include <cstdio>

namespace lptseg {

std::string FormatPort(std::int16_t port) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X",
                  static_cast<unsigned>(static_cast<std::uint16_t>(port)));
    return text;
}

std::string FormatByte(std::uint8_t data) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(data));
    return text;
}

} // namespace lptseg
