#include "display_operations.h"
#include "port_error.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using enum PortOption;
using Log = std::vector<std::string>;

// The wiring: the data line that lights each segment, a to g. D7 lights none.
constexpr int DataLine[] = {6, 4, 0, 1, 2, 5, 3};
// Each digit's lit segments as a seven-segment display draws it.
const char* const Shapes[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                              "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

TEST(DigitTable, EveryDigitLightsItsSegmentsThroughTheWiring) {
    for (int digit = 0; digit <= 9; ++digit) {
        unsigned byte = digit == 0 || digit == 6 || digit >= 8 ? 0x80 : 0; // D7 for 0, 6, 8, 9
        for (SegmentLetter s : AllSegments) {
            const char letter = char('a' + static_cast<int>(s));
            const bool lit = std::strchr(Shapes[digit], letter) != nullptr;
            byte |= lit ? 1u << DataLine[static_cast<int>(s)] : 0;
            EXPECT_EQ(LookupDigit(digit).lit.contains(s), lit)
                << "digit " << digit << ", segment " << letter;
        }
        EXPECT_EQ(LookupDigit(digit).portByte, byte) << "digit " << digit;
    }
    EXPECT_TRUE(ClearCode().portByte == 0 && ClearCode().lit.empty()) << "Clear lights nothing";
    EXPECT_THROW(LookupDigit(-1), std::out_of_range);
    EXPECT_THROW(LookupDigit(10), std::out_of_range);
}

// Port writes and segment paints in one log, so that their order shows.
class FakeDisplay : public DisplayOperations, public PortWriter {
public:
    FakeDisplay() : DisplayOperations(static_cast<PortWriter&>(*this)) {}
    Log log;
    PortOption selected = op378; // the window's design
    bool noneSelected = false;
    bool portFails = false;

    void PortOut(std::int16_t Port, std::uint8_t Data) override {
        if (portFails)
            throw PortError("port ne odgovara");
        char line[32];
        std::snprintf(line, sizeof line, "%X %02X", static_cast<unsigned>(Port), Data);
        log.push_back(line);
    }

protected:
    void SetSegment(SegmentLetter s, bool lit) override {
        log.push_back((lit ? "on " : "off ") + std::string(1, char('a' + static_cast<int>(s))));
    }
    bool IsOptionSelected(PortOption option) const override {
        return !noneSelected && option == selected;
    }
};

TEST(Display, WritesOnlyToTheSelectedParallelPort) {
    // clang-format off
    const struct { const char* name; std::function<void(FakeDisplay&)> steps; Log log; } cases[] = {
        {"load and the options take the selected port; options write nothing", [](FakeDisplay& f) {
            for (PortOption option : {op3bc, op278}) { f.selected = option; f.SelectPortAtLoad(); }
            for (PortOption option : {op378, op3bc, op278}) { f.selected = option; f.SelectPort(option); f.WriteUnloadZero(); }
            f.SelectPort(op378); f.WriteUnloadZero(); // not the selected one: ignored
        }, {"3BC 00", "278 00", "378 00", "3BC 00", "278 00", "278 00"}},
        {"a digit out of range or a failed write leaves port and figure alone", [](FakeDisplay& f) {
            f.SelectPortAtLoad();
            EXPECT_THROW(f.ShowDigit(10), std::out_of_range);
            f.portFails = true;
            EXPECT_THROW(f.ShowDigit(4), PortError);
            EXPECT_THROW(f.ClearDisplay(), PortError);
        }, {"378 00"}},
        // Low I/O addresses belong to the DMA and interrupt controllers.
        {"with no option selected nothing is written to address 0, and it says why", [](FakeDisplay& f) {
            f.noneSelected = true;
            const auto refused = ::testing::ThrowsMessage<PortError>(::testing::HasSubstr("Adresa 0x000 nije adresa paralelnog porta"));
            EXPECT_THAT([&] { f.SelectPortAtLoad(); }, refused);
            EXPECT_THAT([&] { f.ShowDigit(3); }, refused);
            EXPECT_THAT([&] { f.ClearDisplay(); }, refused);
            EXPECT_THAT([&] { f.WriteUnloadZero(); }, refused);
        }, {}},
    };
    // clang-format on
    for (const auto& [name, steps, log] : cases) {
        SCOPED_TRACE(name);
        FakeDisplay display;
        steps(display);
        EXPECT_EQ(display.log, log);
    }
}

} // namespace
} // namespace lptseg
