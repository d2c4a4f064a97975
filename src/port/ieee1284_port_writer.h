#pragma once

#include "port_writer.h"

#include <memory>

namespace lptseg {

// Real parallel ports on Linux through libieee1284 (ppdev). Each port is found by
// its base address on its first write, then kept open and claimed until the end.
class Ieee1284PortWriter : public PortWriter {
public:
    Ieee1284PortWriter();
    ~Ieee1284PortWriter() override;
    Ieee1284PortWriter(const Ieee1284PortWriter&) = delete;
    Ieee1284PortWriter& operator=(const Ieee1284PortWriter&) = delete;

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    struct Ports;
    std::unique_ptr<Ports> ports_;
};

} // namespace lptseg
