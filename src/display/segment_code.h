#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace lptseg {

// The seven segments in their usual places: a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
enum class SegmentLetter { a, b, c, d, e, f, g };

inline constexpr std::array<SegmentLetter, 7> AllSegments = {
    SegmentLetter::a, SegmentLetter::b, SegmentLetter::c, SegmentLetter::d,
    SegmentLetter::e, SegmentLetter::f, SegmentLetter::g};

// A set of lit segments.
class SegmentSet {
public:
    constexpr SegmentSet() = default;
    constexpr SegmentSet(std::initializer_list<SegmentLetter> letters) {
        for (SegmentLetter s : letters)
            bits_ |= bit(s);
    }
    constexpr bool contains(SegmentLetter s) const { return (bits_ & bit(s)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    friend constexpr bool operator==(const SegmentSet&, const SegmentSet&) = default;

private:
    static constexpr std::uint8_t bit(SegmentLetter s) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(s));
    }
    std::uint8_t bits_ = 0;
};

// What one digit looks like: the byte for the port's data lines and the segments
// lit on screen. The byte is wired data, not derived from the segments: D7 drives
// no segment of the figure but is set for 0, 6, 8 and 9.
struct SegmentCode {
    std::uint8_t portByte = 0;
    SegmentSet lit;
};

// The code for a digit 0 to 9; any other number throws std::out_of_range.
const SegmentCode& LookupDigit(int digit);

// The all-dark code that Clear shows.
const SegmentCode& ClearCode();

} // namespace lptseg
