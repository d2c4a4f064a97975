#pragma once

#include "port_writer.h"

#include <iosfwd>
#include <memory>

namespace lptseg {

// Stands in for the port when there is no hardware: every write becomes one line
// "PortOut 0x378 0x51" on the stream, flushed at once so that a reader sees it live.
class TracePortWriter : public PortWriter {
public:
    explicit TracePortWriter(std::ostream& out) : out_(out) {}
    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    std::ostream& out_;
};

// The trace on standard output. If standard output was closed when the program
// started, the trace has nowhere to go: every write fails and says so.
std::unique_ptr<PortWriter> MakeStandardOutputTrace(bool standardOutputClosed);

} // namespace lptseg
