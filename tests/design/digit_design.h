#pragma once
// Each digit as a seven-segment display draws it, written out here on its own
// so that the tests do not take it from the program.

namespace lptseg::design {

// Each digit's lit segments.
inline constexpr const char* Shapes[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                         "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

} // namespace lptseg::design
