#include "port_error.h"
#include "trace_port_writer.h"

#include <gtest/gtest.h>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace lptseg {
namespace {

// Keeps what was written apart from what was flushed, so the test sees what a
// reader on the other end of a pipe would see.
class FlushWatchingBuffer : public std::streambuf {
public:
    std::string pending;
    std::string flushed;

protected:
    int_type overflow(int_type ch) override {
        if (ch != traits_type::eof())
            pending.push_back(static_cast<char>(ch));
        return ch;
    }
    int sync() override {
        flushed += pending;
        pending.clear();
        return 0;
    }
};

struct TraceRow {
    std::int16_t port;
    std::uint8_t data;
    const char* line;
};
void PrintTo(const TraceRow& row, std::ostream* out) {
    *out << std::string_view(row.line).substr(0, std::string_view(row.line).find('\n'));
}

class TraceFormat : public ::testing::TestWithParam<TraceRow> {};

TEST_P(TraceFormat, OneFlushedLinePerWrite) {
    FlushWatchingBuffer buffer;
    std::ostream out(&buffer);
    TracePortWriter writer(out);
    writer.PortOut(GetParam().port, GetParam().data);
    EXPECT_EQ(buffer.flushed, GetParam().line);
    EXPECT_EQ(buffer.pending, "");
}

INSTANTIATE_TEST_SUITE_P(Lines, TraceFormat,
                         ::testing::Values(TraceRow{0x378, 0x51, "PortOut 0x378 0x51\n"},
                                           TraceRow{0x278, 0xFF, "PortOut 0x278 0xFF\n"},
                                           TraceRow{0x3BC, 0x00, "PortOut 0x3BC 0x00\n"},
                                           TraceRow{0x378, 0x0B, "PortOut 0x378 0x0B\n"},
                                           TraceRow{0x000, 0x0A, "PortOut 0x000 0x0A\n"},
                                           TraceRow{-1, 0xEF, "PortOut 0xFFFF 0xEF\n"}),
                         [](const auto& info) { // e.g. "Port0x378_0x51"
                             std::string name = "Port";
                             for (const char* c = info.param.line + 8; *c != '\n'; ++c)
                                 name += *c == ' ' ? '_' : *c;
                             return name;
                         });

TEST(TraceWriter, ABrokenStreamIsAPortFailure) {
    std::ostream out(nullptr); // no buffer: every write fails
    TracePortWriter writer(out);
    try {
        writer.PortOut(0x378, 0x51);
        FAIL() << "a write to a broken stream went unnoticed";
    } catch (const PortError& error) {
        EXPECT_STREQ(error.what(), "Simulirani zapis 0x51 na port 0x378 nije moguće ispisati "
                                   "na standardni izlaz.");
    }
}

} // namespace
} // namespace lptseg
