#include "display_operations.h"

#include "port_address.h"
#include "port_error.h"

#include <array>

namespace lptseg {
namespace {

constexpr std::int16_t AddressOf(PortOption option) {
    switch (option) {
    case PortOption::op378:
        return Port378;
    case PortOption::op278:
        return Port278;
    case PortOption::op3bc:
        return Port3BC;
    }
    return 0;
}

// The figure is blanked starting at the top and going round anticlockwise.
constexpr std::array<SegmentLetter, 7> BlankingOrder = {
    SegmentLetter::a, SegmentLetter::f, SegmentLetter::e, SegmentLetter::d,
    SegmentLetter::c, SegmentLetter::b, SegmentLetter::g};

} // namespace

void DisplayOperations::ShowDigit(int digit) {
    const SegmentCode& code = LookupDigit(digit);
    WritePort(code.portByte);
    PaintAllOff();
    for (SegmentLetter s : AllSegments)
        if (code.lit.contains(s))
            SetSegment(s, true);
}

void DisplayOperations::ClearDisplay() {
    WritePort(ClearCode().portByte);
    PaintAllOff();
}

void DisplayOperations::SelectPortAtLoad() {
    // Each test only sets; with exactly one option selected the last match wins.
    if (IsOptionSelected(PortOption::op378))
        adresa = Port378;
    if (IsOptionSelected(PortOption::op3bc))
        adresa = Port3BC;
    if (IsOptionSelected(PortOption::op278))
        adresa = Port278;
    WritePort(0);
}

void DisplayOperations::SelectPort(PortOption option) {
    if (IsOptionSelected(option))
        adresa = AddressOf(option);
}

void DisplayOperations::WriteUnloadZero() {
    WritePort(0);
}

void DisplayOperations::WritePort(std::uint8_t data) {
    // Low I/O addresses belong to the DMA and interrupt controllers; a stray byte
    // there can hang the machine. Only the three parallel port registers are written.
    if (!IsParallelPortAddress(adresa))
        throw PortError("Adresa " + FormatPort(adresa) +
                        " nije adresa paralelnog porta (moguće su 0x378, 0x278 i 0x3BC), "
                        "pa na nju ništa nije zapisano. Odaberite adresu porta.");
    port_.PortOut(adresa, data);
}

void DisplayOperations::PaintAllOff() {
    for (SegmentLetter s : BlankingOrder)
        SetSegment(s, false);
}

} // namespace lptseg
