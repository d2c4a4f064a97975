#pragma once

#include "port_writer.h"

#include <string>

struct ftdi_context;

namespace lptseg {

// An FTDI FT232R or FT245R USB adapter in asynchronous bit-bang mode, whose eight
// lines stand in for a parallel port's data lines: one byte sets all eight at once.
// The adapter is opened on the first write and kept until the end. Every write
// goes to it, whatever port number it names.
class FtdiPortWriter : public PortWriter {
public:
    // An empty serial takes the first adapter found.
    explicit FtdiPortWriter(std::string serial);
    ~FtdiPortWriter() override;
    FtdiPortWriter(const FtdiPortWriter&) = delete;
    FtdiPortWriter& operator=(const FtdiPortWriter&) = delete;

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    void Open();

    std::string serial_;
    ftdi_context* context_ = nullptr;
    bool open_ = false;
    bool lost_ = false; // a write failed: the adapter is gone
};

} // namespace lptseg
