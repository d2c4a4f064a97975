#include "hardware_port_writer.h"

#if defined(_WIN32)
#include "d2xx_port_writer.h"
#include "io_dll_port_writer.h"
#else
#include "ieee1284_port_writer.h"
#ifdef LPTSEG_HAVE_FTDI
#include "ftdi_port_writer.h"
#endif
#endif

namespace lptseg {

std::unique_ptr<PortWriter> MakeHardwarePortWriter(const std::optional<std::string>& ftdiSerial,
                                                   const std::optional<std::string>& port) {
#if defined(_WIN32)
    using SystemPortWriter = IoDllPortWriter;
    using AdapterPortWriter = D2xxPortWriter;
#else
    using SystemPortWriter = Ieee1284PortWriter;
#ifdef LPTSEG_HAVE_FTDI
    using AdapterPortWriter = FtdiPortWriter;
#endif
#endif
#ifdef LPTSEG_HAVE_FTDI
    if (ftdiSerial)
        return std::make_unique<AdapterPortWriter>(*ftdiSerial);
#else
    (void)ftdiSerial;
#endif
    if (port)
        return std::make_unique<SystemPortWriter>(*port);
    return std::make_unique<SystemPortWriter>();
}

} // namespace lptseg
