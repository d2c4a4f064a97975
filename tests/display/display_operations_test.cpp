#include "display_operations.h"
#include "port_address.h"
#include "port_error.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using enum SegmentLetter;
using Log = std::vector<std::string>;

std::string Name(SegmentLetter s) {
    return std::string(1, static_cast<char>('a' + static_cast<int>(s)));
}

// Port writes and segment paints go into one log, so their order is visible.
class RecordingPort : public PortWriter {
public:
    explicit RecordingPort(Log& log) : log_(log) {}
    void PortOut(std::int16_t Port, std::uint8_t Data) override {
        if (fail)
            throw PortError("port down");
        log_.push_back("PortOut " + FormatPort(Port) + " " + FormatByte(Data));
    }
    bool fail = false;

private:
    Log& log_;
};

class FakeDisplay : public DisplayOperations {
public:
    FakeDisplay(PortWriter& port, Log& log) : DisplayOperations(port), log_(log) {}

    std::set<PortOption> selected{PortOption::op378}; // the window's design
    std::map<SegmentLetter, bool> colours;            // what the boxes show now: lit or not

protected:
    void SetSegment(SegmentLetter s, bool lit) override {
        colours[s] = lit;
        log_.push_back(std::string(lit ? "on " : "off ") + Name(s));
    }
    bool IsOptionSelected(PortOption option) const override { return selected.contains(option); }

private:
    Log& log_;
};

class DisplayOperationsTest : public ::testing::Test {
protected:
    Log log;
    RecordingPort port{log};
    FakeDisplay display{port, log};

    // Load as the window does, then forget what load wrote.
    void Loaded() {
        display.SelectPortAtLoad();
        log.clear();
    }
    void Select(PortOption option) {
        display.selected = {option};
        display.SelectPort(option);
    }
};

const Log AllOff = {"off a", "off f", "off e", "off d", "off c", "off b", "off g"};

Log Concat(Log first, const Log& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(DisplayOperationsTest, LoadBlanksTheDesignPortAndPaintsNothing) {
    display.SelectPortAtLoad();
    EXPECT_EQ(log, Log{"PortOut 0x378 0x00"});
    EXPECT_TRUE(display.colours.empty());
}

TEST_F(DisplayOperationsTest, LoadTakesWhicheverOptionIsSelected) {
    for (auto [option, line] : {std::pair{PortOption::op278, "PortOut 0x278 0x00"},
                                std::pair{PortOption::op3bc, "PortOut 0x3BC 0x00"},
                                std::pair{PortOption::op378, "PortOut 0x378 0x00"}}) {
        log.clear();
        display.selected = {option};
        display.SelectPortAtLoad();
        EXPECT_EQ(log, Log{line});
    }
}

TEST_F(DisplayOperationsTest, DigitWritesThePortBeforeRepaintingTheFigure) {
    Loaded();
    display.ShowDigit(7);
    ASSERT_EQ(log.size(), 1u + 7u + 3u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 8), Concat({"PortOut 0x378 0x51"}, AllOff));
    EXPECT_EQ(std::set<std::string>(log.begin() + 8, log.end()),
              (std::set<std::string>{"on a", "on b", "on c"}));
}

TEST_F(DisplayOperationsTest, SameDigitTwiceWritesTwiceAndLooksTheSame) {
    Loaded();
    display.ShowDigit(5);
    const auto first = display.colours;
    display.ShowDigit(5);
    EXPECT_EQ(std::count(log.begin(), log.end(), "PortOut 0x378 0x6B"), 2);
    EXPECT_EQ(display.colours, first);
}

TEST_F(DisplayOperationsTest, ClearWritesZeroThenPaintsAllDark) {
    Loaded();
    display.ClearDisplay();
    EXPECT_EQ(log, Concat({"PortOut 0x378 0x00"}, AllOff));
    display.ClearDisplay();
    EXPECT_EQ(std::count(log.begin(), log.end(), "PortOut 0x378 0x00"), 2);
}

TEST_F(DisplayOperationsTest, SwitchingPortWritesNothingAndMovesLaterWrites) {
    Loaded();
    Select(PortOption::op278);
    EXPECT_TRUE(log.empty());
    display.ShowDigit(8);
    display.ClearDisplay();
    EXPECT_EQ(log[0], "PortOut 0x278 0xFF");
    EXPECT_EQ(log[8 + 7], "PortOut 0x278 0x00");
    for (const auto& line : log)
        EXPECT_EQ(line.find("0x378"), std::string::npos) << line;
}

TEST_F(DisplayOperationsTest, UnloadBlanksOnlyThePortSelectedNow) {
    Loaded();
    Select(PortOption::op3bc);
    display.WriteUnloadZero();
    EXPECT_EQ(log, Log{"PortOut 0x3BC 0x00"});
}

TEST_F(DisplayOperationsTest, OptionThatDoesNotReadSelectedChangesNothing) {
    Loaded();
    display.SelectPort(PortOption::op278); // op378 is still the selected one
    Select(PortOption::op378);             // already selected: no change
    EXPECT_TRUE(log.empty());
    display.WriteUnloadZero();
    EXPECT_EQ(log, Log{"PortOut 0x378 0x00"});
}

TEST_F(DisplayOperationsTest, NoSelectedOptionRefusesToWriteToPortZero) {
    display.selected.clear();
    EXPECT_THROW(display.SelectPortAtLoad(), PortError);
    EXPECT_THROW(display.ShowDigit(3), PortError);
    EXPECT_THROW(display.ClearDisplay(), PortError);
    EXPECT_THROW(display.WriteUnloadZero(), PortError);
    EXPECT_TRUE(log.empty()); // neither a write nor a paint
}

TEST_F(DisplayOperationsTest, RefusalMessageNamesTheAddress) {
    try {
        display.ShowDigit(3);
        FAIL() << "a write before load went through";
    } catch (const PortError& error) {
        const std::string message = error.what();
        for (const char* words : {"Adresa 0x000 nije", "moguće su 0x378, 0x278 i 0x3BC", "ništa"})
            EXPECT_NE(message.find(words), std::string::npos) << message;
    }
}

TEST_F(DisplayOperationsTest, FailedWriteLeavesTheFigureAlone) {
    Loaded();
    port.fail = true;
    EXPECT_THROW(display.ShowDigit(4), PortError);
    EXPECT_THROW(display.ClearDisplay(), PortError);
    EXPECT_TRUE(log.empty());
}

TEST_F(DisplayOperationsTest, DigitOutOfRangeWritesNothing) {
    Loaded();
    EXPECT_THROW(display.ShowDigit(10), std::out_of_range);
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace lptseg
