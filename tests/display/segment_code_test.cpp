#include "segment_code.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <stdexcept>

namespace lptseg {
namespace {

using enum SegmentLetter;

// How the LEDs are wired to the data lines D0..D6.
const std::map<SegmentLetter, int> DataBit = {{c, 0}, {d, 1}, {e, 2}, {g, 3},
                                              {b, 4}, {f, 5}, {a, 6}};

std::uint8_t SegmentBits(const SegmentSet& lit) {
    std::uint8_t bits = 0;
    for (auto [segment, bit] : DataBit)
        if (lit.contains(segment))
            bits |= static_cast<std::uint8_t>(1u << bit);
    return bits;
}

struct DigitRow {
    int digit;
    std::uint8_t byte;
    SegmentSet lit;
};
void PrintTo(const DigitRow& row, std::ostream* out) {
    *out << "digit " << row.digit;
}

class DigitTable : public ::testing::TestWithParam<DigitRow> {};

TEST_P(DigitTable, ByteAndSegmentsAgreeWithTheWiring) {
    const DigitRow& row = GetParam();
    const SegmentCode& code = LookupDigit(row.digit);
    EXPECT_EQ(code.portByte, row.byte);
    EXPECT_EQ(code.lit, row.lit);
    // D0..D6 are exactly the lit segments; D7 is extra data for 0, 6, 8 and 9.
    EXPECT_EQ(code.portByte & 0x7F, SegmentBits(code.lit));
    const bool d7 = row.digit == 0 || row.digit == 6 || row.digit == 8 || row.digit == 9;
    EXPECT_EQ((code.portByte & 0x80) != 0, d7);
}

INSTANTIATE_TEST_SUITE_P(
    AllDigits, DigitTable,
    ::testing::Values(DigitRow{0, 0xF7, {a, b, c, d, e, f}}, DigitRow{1, 0x11, {b, c}},
                      DigitRow{2, 0x5E, {a, b, d, e, g}}, DigitRow{3, 0x5B, {a, b, c, d, g}},
                      DigitRow{4, 0x39, {b, c, f, g}}, DigitRow{5, 0x6B, {a, c, d, f, g}},
                      DigitRow{6, 0xEF, {a, c, d, e, f, g}}, DigitRow{7, 0x51, {a, b, c}},
                      DigitRow{8, 0xFF, {a, b, c, d, e, f, g}},
                      DigitRow{9, 0xFB, {a, b, c, d, f, g}}),
    [](const auto& info) { return "digit" + std::to_string(info.param.digit); });

TEST(SegmentCodes, ClearIsAllDark) {
    EXPECT_EQ(ClearCode().portByte, 0x00);
    EXPECT_TRUE(ClearCode().lit.empty());
}

TEST(SegmentCodes, NumbersOutsideZeroToNineAreRefused) {
    for (int digit : {-1, 10, 255, -2147483647 - 1})
        EXPECT_THROW(LookupDigit(digit), std::out_of_range) << digit;
    try {
        LookupDigit(10);
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Znamenka 10 ne postoji na zaslonu; moguće su 0 do 9.");
    }
}

} // namespace
} // namespace lptseg
