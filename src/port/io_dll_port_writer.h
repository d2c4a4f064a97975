#pragma once

#include "port_writer.h"

#include <optional>
#include <string>

namespace lptseg {

// Real parallel ports on Windows through the port I/O library IO.dll, loaded by
// name on the first write and kept loaded until the process ends.
class IoDllPortWriter : public PortWriter {
public:
    // IO.dll's own declaration of PortOut. The calling convention matters on
    // 32-bit Windows: __stdcall functions pop their own arguments.
    using PortOutEntry = void(__stdcall*)(short Port, char Data);

    // Each byte goes to the address it is written to.
    IoDllPortWriter() = default;
    // Every byte goes to the address given in hexadecimal ("0xE800", as the
    // Device Manager shows a card's I/O range), whatever address it is written
    // to. Throws PortError for text that is no address or for an address below
    // 0x100, which belongs to the machine's own controllers.
    explicit IoDllPortWriter(const std::string& address);

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    PortOutEntry portOut_ = nullptr;
    std::optional<std::int16_t> fixed_;
};

} // namespace lptseg
