#include "display_operations.h"
#include "port_error.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using enum SegmentLetter;
using enum PortOption;
using Log = std::vector<std::string>;

// The wiring: the data line that lights each segment, a to g. D7 lights none.
constexpr int DataLine[] = {6, 4, 0, 1, 2, 5, 3};

// Each digit as a seven-segment display draws it; D7 is also set for 0, 6, 8 and 9.
struct Digit {
    SegmentSet lit;
    bool d7;
};
const Digit Digits[] = {{{a, b, c, d, e, f}, true},    {{b, c}, false},
                        {{a, b, d, e, g}, false},      {{a, b, c, d, g}, false},
                        {{b, c, f, g}, false},         {{a, c, d, f, g}, false},
                        {{a, c, d, e, f, g}, true},    {{a, b, c}, false},
                        {{a, b, c, d, e, f, g}, true}, {{a, b, c, d, f, g}, true}};

TEST(DigitTable, EveryDigitLightsItsSegmentsThroughTheWiring) {
    for (int digit = 0; digit <= 9; ++digit) {
        const Digit& shape = Digits[digit];
        unsigned byte = shape.d7 ? 0x80 : 0;
        for (SegmentLetter s : AllSegments)
            if (shape.lit.contains(s))
                byte |= 1u << DataLine[static_cast<int>(s)];
        EXPECT_EQ(LookupDigit(digit).portByte, byte) << "digit " << digit;
        EXPECT_EQ(LookupDigit(digit).lit, shape.lit) << "digit " << digit;
    }
    EXPECT_EQ(ClearCode().portByte, 0);
    EXPECT_TRUE(ClearCode().lit.empty());
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

const Log AllDark = {"off a", "off f", "off e", "off d", "off c", "off b", "off g"};

Log Then(Log first, const Log& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct Scenario {
    const char* name;
    std::function<void(FakeDisplay&)> steps; // after a load with 378 selected
    Log after;                               // what the steps wrote and painted
};
void PrintTo(const Scenario& s, std::ostream* out) {
    *out << s.name;
}

const Scenario Scenarios[] = {
    {"DigitIsWrittenThenTheFigureBlankedFromTheTopThenLit", [](FakeDisplay& f) { f.ShowDigit(7); },
     Then(Then({"378 51"}, AllDark), {"on a", "on b", "on c"})},
    {"ClearWritesZeroThenBlanksTheFigure", [](FakeDisplay& f) { f.ClearDisplay(); },
     Then({"378 00"}, AllDark)},
    {"ClearTwiceWritesTwice",
     [](FakeDisplay& f) {
         f.ClearDisplay();
         f.ClearDisplay();
     },
     Then(Then({"378 00"}, AllDark), Then({"378 00"}, AllDark))},
    {"OptionsMoveLaterWritesAndWriteNothingThemselves",
     [](FakeDisplay& f) {
         for (PortOption option : {op278, op3bc, op378}) {
             f.selected = option;
             f.SelectPort(option);
             f.WriteUnloadZero();
         }
         f.SelectPort(op278); // not the selected one: ignored
         f.WriteUnloadZero();
     },
     {"278 00", "3BC 00", "378 00", "378 00"}},
    {"FailedWriteLeavesTheFigureAlone",
     [](FakeDisplay& f) {
         f.portFails = true;
         EXPECT_THROW(f.ShowDigit(4), PortError);
         EXPECT_THROW(f.ClearDisplay(), PortError);
     },
     {}},
    {"DigitOutOfRangeWritesNothing",
     [](FakeDisplay& f) { EXPECT_THROW(f.ShowDigit(10), std::out_of_range); },
     {}},
};

class DisplayScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(DisplayScenario, AfterLoad) {
    FakeDisplay display;
    display.SelectPortAtLoad();
    ASSERT_EQ(display.log, Log{"378 00"}); // load blanks the LEDs and paints nothing
    display.log.clear();
    GetParam().steps(display);
    EXPECT_EQ(display.log, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Steps, DisplayScenario, ::testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayLoad, TakesWhicheverOptionIsSelected) {
    for (auto [option, write] : {std::pair{op278, "278 00"}, std::pair{op3bc, "3BC 00"}}) {
        FakeDisplay display;
        display.selected = option;
        display.SelectPortAtLoad();
        EXPECT_EQ(display.log, Log{write});
    }
}

// Low I/O addresses belong to the DMA and interrupt controllers: with no option
// selected nothing is written to address 0, and the message says why.
TEST(DisplayLoad, NoSelectedOptionRefusesEveryWrite) {
    FakeDisplay display;
    display.noneSelected = true;
    for (const auto& operation : std::vector<std::function<void()>>{
             [&] { display.SelectPortAtLoad(); }, [&] { display.ShowDigit(3); },
             [&] { display.ClearDisplay(); }, [&] { display.WriteUnloadZero(); }}) {
        try {
            operation();
            ADD_FAILURE() << "a write to address 0 went through";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find("Adresa 0x000 nije adresa paralelnog porta"),
                      std::string::npos)
                << error.what();
        }
    }
    EXPECT_TRUE(display.log.empty());
}

} // namespace
} // namespace lptseg
