#include "segment_code.h"

#include <stdexcept>
#include <string>

namespace lptseg {
namespace {

using enum SegmentLetter;

// Data lines: D0 c, D1 d, D2 e, D3 g, D4 b, D5 f, D6 a, D7 (no segment on screen).
constexpr std::array<SegmentCode, 10> DigitCodes = {{
    {0xF7, {a, b, c, d, e, f}},    // 0
    {0x11, {b, c}},                // 1
    {0x5E, {a, b, d, e, g}},       // 2
    {0x5B, {a, b, c, d, g}},       // 3
    {0x39, {b, c, f, g}},          // 4
    {0x6B, {a, c, d, f, g}},       // 5
    {0xEF, {a, c, d, e, f, g}},    // 6
    {0x51, {a, b, c}},             // 7
    {0xFF, {a, b, c, d, e, f, g}}, // 8
    {0xFB, {a, b, c, d, f, g}},    // 9
}};

constexpr SegmentCode BlankCode{0x00, {}};

} // namespace

const SegmentCode& LookupDigit(int digit) {
    if (digit < 0 || digit > 9)
        throw std::out_of_range("Znamenka " + std::to_string(digit) +
                                " ne postoji na zaslonu; moguće su 0 do 9.");
    return DigitCodes[static_cast<std::size_t>(digit)];
}

const SegmentCode& ClearCode() {
    return BlankCode;
}

} // namespace lptseg
