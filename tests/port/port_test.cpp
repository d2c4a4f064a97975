// The small parts: the trace that stands in for the port, the port address as
// the user types it, and the file named in a Windows system message.
#include "message_inserts.h"
#include "port_address.h"
#include "port_error.h"
#include "trace_port_writer.h"

#include <fstream>
#include <gmock/gmock.h>
#include <iterator>

using namespace lptseg;

// A reader at the other end sees each line as soon as it is written; a stream
// that cannot be written is a port failure.
TEST(TraceWriter, WritesEachAsOneLineFlushedAtOnceOrFails) {
    const std::string path = ::testing::TempDir() + "trace";
    std::ofstream out(path);
    TracePortWriter(out).PortOut(0x378, 0x0B);
    TracePortWriter(out).PortOut(-1, 0xEF);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}),
              "PortOut 0x378 0x0B\nPortOut 0xFFFF 0xEF\n");
    std::ostream broken(nullptr); // no buffer: every write fails
    EXPECT_THAT([&] { TracePortWriter(broken).PortOut(0x378, 0x51); },
                ::testing::ThrowsMessage<PortError>("Simulirani zapis 0x51 na port 0x378 nije "
                                                    "moguće ispisati na standardni izlaz."));
}

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
        {"", ""},
    };
    for (const auto& [text, filled] : cases)
        EXPECT_EQ(FillInserts(text, "IO.dll"), filled) << text;
}
