#pragma once

#include <string>

namespace lptseg {

// The system's own words for a Windows error code (a DWORD), in UTF-8 and
// ending with a full stop; %1 in them is `file`. A code without words keeps
// its number.
std::string SystemText(unsigned long error, const std::string& file);

// The entry point `name` of a loaded library (an HMODULE), as Entry. Throws
// PortError naming both when the library lacks it, followed by `advice`.
void* LibraryEntry(void* library, const std::string& file, const char* name,
                   const std::string& advice);

template <typename Entry>
Entry ResolveEntry(void* library, const std::string& file, const char* name,
                   const std::string& advice) {
    return reinterpret_cast<Entry>(LibraryEntry(library, file, name, advice));
}

} // namespace lptseg
