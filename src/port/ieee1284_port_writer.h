#pragma once

#include "port_writer.h"

#include <memory>
#include <string>

struct parport;

namespace lptseg {

// Real parallel ports on Linux through libieee1284 (ppdev). Each port is opened
// and claimed on its first write, then kept until the end.
class Ieee1284PortWriter : public PortWriter {
public:
    // Each byte goes to the port whose base address it is written to.
    Ieee1284PortWriter();
    // Every byte goes to the one port named, whatever address it is written to:
    // a device ("/dev/parport1"), a port name ("parport1") or a base address in
    // hexadecimal ("0xE800"). Throws PortError at once, listing the ports that
    // were found, when none matches.
    explicit Ieee1284PortWriter(const std::string& port);
    ~Ieee1284PortWriter() override;
    Ieee1284PortWriter(const Ieee1284PortWriter&) = delete;
    Ieee1284PortWriter& operator=(const Ieee1284PortWriter&) = delete;

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    struct Ports;
    std::unique_ptr<Ports> ports_;
    parport* fixed_ = nullptr; // the port named at construction, if any
};

} // namespace lptseg
