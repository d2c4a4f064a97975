#include "port_address.h"

#include <gtest/gtest.h>

namespace lptseg {
namespace {

// --port takes the address as the window, /proc/ioports and the Device Manager
// show it; anything else must be refused rather than land on another port.
TEST(ParsePortAddress, TakesHexadecimalAddressesOnly) {
    const struct {
        const char* text;
        std::optional<std::uint16_t> port;
    } cases[] = {
        {"0xE800", 0xE800}, {"0xd010", 0xD010}, {"E800", 0xE800}, {"378", 0x378},
        {"0XFFFF", 0xFFFF}, {"0x10000", {}},    {"12345", {}},    {"0x", {}},
        {"", {}},           {"0", {}},          {"0x378h", {}},   {"-378", {}},
        {"parport1", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePortAddress(c.text), c.port) << c.text;
}

} // namespace
} // namespace lptseg
