#pragma once

#include <cstdint>

namespace lptseg {

// Writes one byte to the data register of the I/O port numbered Port.
// Implementations throw PortError when the byte cannot be written.
class PortWriter {
public:
    virtual ~PortWriter() = default;
    virtual void PortOut(std::int16_t Port, std::uint8_t Data) = 0;
};

} // namespace lptseg
