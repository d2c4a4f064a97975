#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace lptseg {

// What every FTDI writer shares, whichever library reaches the adapter
// (libftdi1 on Linux, FTDI's own D2XX on Windows): the adapters it takes, which
// of them it opens, and the words for what goes wrong.

// FT232R and FT245R both enumerate as FTDI's 0403:6001.
inline constexpr unsigned FtdiVendorId = 0x0403;
inline constexpr unsigned FtdiProductId = 0x6001;
// All eight lines are outputs, like the data lines of a parallel port.
inline constexpr unsigned char FtdiAllOutputs = 0xFF;

// The index of the adapter to open among the `count` found: the first when
// `wanted` is empty, else the first whose serial number is `wanted`. serialOf
// reads one adapter's serial number (empty when it cannot be read) and is
// called only as far as the search needs. Throws PortError when no adapter is
// found, or none with that serial number (naming those that are).
std::size_t ChooseFtdiAdapter(std::size_t count,
                              const std::function<std::string(std::size_t)>& serialOf,
                              const std::string& wanted);

// The adapter found but not opened, for a reason of no special advice.
std::string FtdiOpenFailed(const std::string& reason);
std::string FtdiBitBangRefused(const std::string& reason);
// A write that failed, or wrote no byte: the adapter has gone.
std::string FtdiWriteFailed(const std::string& reason);
// A write after that.
std::string FtdiGone();

} // namespace lptseg
