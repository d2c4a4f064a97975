#include "trace_port_writer.h"

#include "port_address.h"
#include "port_error.h"

#include <iostream>

namespace lptseg {
namespace {

class NoTrace : public PortWriter {
public:
    void PortOut(std::int16_t, std::uint8_t) override {
        throw PortError("Standardni izlaz je zatvoren pa simulirani zapisi na port nemaju "
                        "kamo biti ispisani.");
    }
};

} // namespace

void TracePortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    out_ << "PortOut " << FormatPort(Port) << ' ' << FormatByte(Data) << '\n';
    out_.flush();
    if (!out_)
        throw PortError("Simulirani zapis " + FormatByte(Data) + " na port " + FormatPort(Port) +
                        " nije moguće ispisati na standardni izlaz.");
}

std::unique_ptr<PortWriter> MakeStandardOutputTrace(bool standardOutputClosed) {
    if (standardOutputClosed)
        return std::make_unique<NoTrace>();
    return std::make_unique<TracePortWriter>(std::cout);
}

} // namespace lptseg
