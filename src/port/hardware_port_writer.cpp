#include "hardware_port_writer.h"

#if defined(_WIN32)
#include "io_dll_port_writer.h"
#else
#include "ieee1284_port_writer.h"
#endif
#ifdef LPTSEG_HAVE_FTDI
#include "ftdi_port_writer.h"
#endif

namespace lptseg {

std::unique_ptr<PortWriter> MakeHardwarePortWriter(const std::optional<std::string>& ftdiSerial,
                                                   const std::optional<std::string>& port) {
#ifdef LPTSEG_HAVE_FTDI
    if (ftdiSerial)
        return std::make_unique<FtdiPortWriter>(*ftdiSerial);
#else
    (void)ftdiSerial;
#endif
#if defined(_WIN32)
    using SystemPortWriter = IoDllPortWriter;
#else
    using SystemPortWriter = Ieee1284PortWriter;
#endif
    if (port)
        return std::make_unique<SystemPortWriter>(*port);
    return std::make_unique<SystemPortWriter>();
}

} // namespace lptseg
