#include "digit_design.h"
#include "display_operations.h"
#include "port_error.h"

#include <cstdio>
#include <cstring>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using Log = std::vector<std::string>;

// (The byte each of the ten digits writes, through the display's wiring, the
// real program shows: tests/e2e, the keyboard row.)
TEST(DigitTable, EveryDigitLightsTheSegmentsOfItsShape) {
    for (int digit = 0; digit <= 9; ++digit) {
        for (SegmentLetter s : AllSegments) {
            const char letter = char('a' + static_cast<int>(s));
            EXPECT_EQ(LookupDigit(digit).lit.contains(s),
                      std::strchr(design::Shapes[digit], letter) != nullptr)
                << "digit " << digit << ", segment " << letter;
        }
    }
}

// Port writes and segment paints in one log, so that their order shows.
class FakeDisplay : public DisplayOperations, public PortWriter {
public:
    FakeDisplay() : DisplayOperations(static_cast<PortWriter&>(*this)) {}
    Log log;
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
    bool IsOptionSelected(PortOption option) const override { return option == PortOption::op378; }
};

// (Which port each option selects, and that selecting one writes nothing, the
// real programs show: tests/e2e, tests/kernel.)
TEST(Display, AFailedWriteLeavesPortAndFigureAlone) {
    FakeDisplay display;
    display.SelectPortAtLoad();
    display.portFails = true;
    EXPECT_THROW(display.ShowDigit(4), PortError);
    EXPECT_THROW(display.ClearDisplay(), PortError);
    EXPECT_EQ(display.log, Log{"378 00"});
}

} // namespace
} // namespace lptseg
