#pragma once

#include "port_writer.h"

#include <optional>
#include <string>

namespace lptseg {

// Real parallel ports on Windows through a port I/O library loaded on the first
// write and kept loaded until the process ends: IO.dll beside the program or,
// where there is none, InpOut (inpout32.dll in a 32-bit build, inpoutx64.dll in
// a 64-bit one), whose signed driver also loads on 64-bit Windows 7 to 11.
class IoDllPortWriter : public PortWriter {
public:
    // The libraries' own declarations. The calling convention matters on
    // 32-bit Windows: __stdcall functions pop their own arguments.
    using PortOutEntry = void(__stdcall*)(short Port, char Data);
    using Out32Entry = void(__stdcall*)(short PortAddress, short Data);
    using IsInpOutDriverOpenEntry = int(__stdcall*)(); // BOOL is an int

    // Each byte goes to the address it is written to.
    IoDllPortWriter() = default;
    // Every byte goes to the address given in hexadecimal ("0xE800", as the
    // Device Manager shows a card's I/O range), whatever address it is written
    // to. Throws PortError for text that is no address or for an address below
    // 0x100, which belongs to the machine's own controllers.
    explicit IoDllPortWriter(const std::string& address);

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    void Load();

    // Exactly one of these is set once a library is loaded.
    PortOutEntry portOut_ = nullptr;
    Out32Entry out32_ = nullptr;
    std::optional<std::int16_t> fixed_; // the address given with --port
};

} // namespace lptseg
