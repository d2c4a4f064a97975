#include "port_error.h"
#include "trace_port_writer.h"

#include <gtest/gtest.h>
#include <ostream>
#include <streambuf>
#include <string>
#include <tuple>

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
        pending.push_back(static_cast<char>(ch));
        return ch;
    }
    int sync() override {
        flushed += pending;
        pending.clear();
        return 0;
    }
};

TEST(TraceWriter, EveryWriteIsOneLineFlushedAtOnce) {
    FlushWatchingBuffer buffer;
    std::ostream out(&buffer);
    TracePortWriter writer(out);
    for (auto [port, data, line] : {std::tuple<int, int, const char*>{0x378, 0x51, "0x378 0x51"},
                                    {0x3BC, 0x0B, "0x3BC 0x0B"},
                                    {-1, 0xEF, "0xFFFF 0xEF"}}) {
        writer.PortOut(static_cast<std::int16_t>(port), static_cast<std::uint8_t>(data));
        EXPECT_EQ(buffer.flushed, "PortOut " + std::string(line) + "\n");
        EXPECT_EQ(buffer.pending, "");
        buffer.flushed.clear();
    }
}

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
