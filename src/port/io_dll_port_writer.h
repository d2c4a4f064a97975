#pragma once

#include "port_writer.h"

namespace lptseg {

// Real parallel ports on Windows through the port I/O library IO.dll, loaded by
// name on the first write and kept loaded until the process ends.
class IoDllPortWriter : public PortWriter {
public:
    // IO.dll's own declaration of PortOut. The calling convention matters on
    // 32-bit Windows: __stdcall functions pop their own arguments.
    using PortOutEntry = void(__stdcall*)(short Port, char Data);

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    PortOutEntry portOut_ = nullptr;
};

} // namespace lptseg
