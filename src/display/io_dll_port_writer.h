#pragma once

#include "port_writer.h"

namespace lptseg {

// Real parallel ports on Windows through the port I/O library IO.dll, loaded by
// name on the first write and kept loaded until the process ends.
class IoDllPortWriter : public PortWriter {
public:
    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    using PortOutEntry = void(__stdcall*)(short Port, unsigned char Data);
    PortOutEntry portOut_ = nullptr;
};

} // namespace lptseg
