// The small parts: the port address as the user types it, and the file named
// in a Windows system message. (The trace that stands in for the port is read
// by the end-to-end tests, its failure among them.)
#include "message_inserts.h"
#include "port_address.h"

#include <gmock/gmock.h>

using namespace lptseg;

// --port takes the address as the window, /proc/ioports and the Device Manager
// show it; anything else must be refused rather than land on another port.
TEST(ParsePortAddress, TakesHexadecimalAddressesOnly) {
    const std::pair<const char*, std::optional<std::uint16_t>> cases[] = {
        {"0xE800", 0xE800}, {"0xd010", 0xD010}, {"E800", 0xE800}, {"378", 0x378},
        {"0XFFFF", 0xFFFF}, {"0x10000", {}},    {"12345", {}},    {"0x", {}},
        {"", {}},           {"0", {}},          {"0x378h", {}},   {"-378", {}},
        {"parport1", {}},
    };
    for (const auto& [text, port] : cases)
        EXPECT_EQ(ParsePortAddress(text), port) << text;
}

// Windows loader messages fetched without their arguments say %1 for the file.
TEST(FillInserts, NamesTheFileAndLeavesNoPlaceholder) {
    const std::pair<std::string, std::string> cases[] = {
        {"Bad EXE format for %1.", "Bad EXE format for IO.dll."},
        {"%1 needs %2.", "IO.dll needs ."},
        {"%12 and %10", " and "},
        {"100% sure, %", "100% sure, %"},
    };
    for (const auto& [text, filled] : cases)
        EXPECT_EQ(FillInserts(text, "IO.dll"), filled) << text;
}
