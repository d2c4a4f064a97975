#pragma once

#include <stdexcept>
#include <string>

namespace lptseg {

// Every failure to write the port. The message is meant for the user as it stands.
class PortError : public std::runtime_error {
public:
    explicit PortError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace lptseg
