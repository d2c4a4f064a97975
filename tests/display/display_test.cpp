#include "digit_design.h"
#include "display_operations.h"
#include "port_error.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using enum PortOption;
using Log = std::vector<std::string>;

TEST(DigitTable, EveryDigitLightsItsSegmentsThroughTheWiring) {
    for (int digit = 0; digit <= 9; ++digit) {
        for (SegmentLetter s : AllSegments) {
            const char letter = char('a' + static_cast<int>(s));
            EXPECT_EQ(LookupDigit(digit).lit.contains(s),
                      std::strchr(design::Shapes[digit], letter) != nullptr)
                << "digit " << digit << ", segment " << letter;
        }
        EXPECT_EQ(LookupDigit(digit).portByte, design::Byte(digit)) << "digit " << digit;
    }
    EXPECT_TRUE(ClearCode().portByte == 0 && ClearCode().lit.empty()) << "Clear lights nothing";
}

// Port writes and segment paints in one log, so that their order shows.
class FakeDisplay : public DisplayOperations, public PortWriter {
public:
    FakeDisplay() : DisplayOperations(static_cast<PortWriter&>(*this)) {}
    Log log;
    PortOption selected = op378; // as the window loads
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
    bool IsOptionSelected(PortOption option) const override { return option == selected; }
};

TEST(Display, WritesOnlyToTheSelectedParallelPort) {
    // clang-format off
    const struct { const char* name; std::function<void(FakeDisplay&)> steps; Log log; } cases[] = {
        {"the options take the selected port and write nothing", [](FakeDisplay& f) {
            f.SelectPortAtLoad();
            for (PortOption option : {op3bc, op278, op378}) { f.selected = option; f.SelectPort(option); f.WriteUnloadZero(); }
            f.SelectPort(op3bc); f.WriteUnloadZero(); // not the selected one: ignored
        }, {"378 00", "3BC 00", "278 00", "378 00", "378 00"}},
        {"a failed write leaves port and figure alone", [](FakeDisplay& f) {
            f.SelectPortAtLoad();
            f.portFails = true;
            EXPECT_THROW(f.ShowDigit(4), PortError);
            EXPECT_THROW(f.ClearDisplay(), PortError);
        }, {"378 00"}},
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
