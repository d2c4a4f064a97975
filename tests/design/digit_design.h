#pragma once
// The display as it is wired and as a seven-segment display draws each digit,
// written out here on its own so that the tests do not take it from the program.

namespace lptseg::design {

// The data line that lights each segment, a to g. D7 lights none.
inline constexpr int DataLine[] = {6, 4, 0, 1, 2, 5, 3};
// Each digit's lit segments.
inline constexpr const char* Shapes[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                         "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

// The byte that shows a digit: its segments' data lines, and D7 for 0, 6, 8 and 9.
constexpr unsigned Byte(int digit) {
    unsigned byte = digit == 0 || digit == 6 || digit >= 8 ? 0x80 : 0;
    for (const char* s = Shapes[digit]; *s; ++s)
        byte |= 1u << DataLine[*s - 'a'];
    return byte;
}

} // namespace lptseg::design
