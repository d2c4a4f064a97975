#include "trace_port_writer.h"

#include "port_address.h"
#include "port_error.h"

#include <ostream>

namespace lptseg {

void TracePortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    out_ << "PortOut " << FormatPort(Port) << ' ' << FormatByte(Data) << '\n';
    out_.flush();
    if (!out_)
        throw PortError("Simulirani zapis " + FormatByte(Data) + " na port " + FormatPort(Port) +
                        " nije moguće ispisati na standardni izlaz.");
}

} // namespace lptseg
