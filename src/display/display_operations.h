#pragma once

#include "port_writer.h"
#include "segment_code.h"

#include <cstdint>

namespace lptseg {

// The three option buttons that choose the port.
enum class PortOption { op378, op278, op3bc };

// What the window does with the display: the selected port address and the
// operations that write the port and repaint the segment figure. The window class
// derives from it and supplies the two outlets below; tests supply fakes.
class DisplayOperations {
public:
    explicit DisplayOperations(PortWriter& port) : port_(port) {}
    virtual ~DisplayOperations() = default;
    DisplayOperations(const DisplayOperations&) = delete;
    DisplayOperations& operator=(const DisplayOperations&) = delete;

    // Writes the digit's byte to the port, then repaints the figure.
    void ShowDigit(int digit);
    // Writes 0 to the port, then paints every segment dark.
    void ClearDisplay();
    // At load: takes the address of the selected option, then blanks the LEDs.
    void SelectPortAtLoad();
    // An option was clicked: takes its address if it reads selected. Writes nothing.
    void SelectPort(PortOption option);
    // At unload: blanks the LEDs on the port selected now.
    void WriteUnloadZero();

protected:
    // Paints one segment box of the on-screen figure lit or dark.
    virtual void SetSegment(SegmentLetter segment, bool lit) = 0;
    // Whether the option button reads selected.
    virtual bool IsOptionSelected(PortOption option) const = 0;

private:
    void WritePort(std::uint8_t data);
    void PaintAllOff();

    PortWriter& port_;
    // The data register of the selected port; 0 until the window has loaded.
    std::int16_t adresa = 0;
};

} // namespace lptseg
