#include "port_address.h"

#include <cstdio>

namespace lptseg {

std::optional<std::uint16_t> ParsePortAddress(const std::string& text) {
    const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = prefixed ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 4)
        return std::nullopt;
    unsigned value = 0;
    for (char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    if (value == 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

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
