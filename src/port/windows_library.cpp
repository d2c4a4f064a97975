#include "windows_library.h"

#include "message_inserts.h"
#include "port_error.h"

#include <windows.h>

namespace lptseg {

std::string SystemText(unsigned long error, const std::string& file) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr,
                                             0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), size,
                            nullptr, nullptr);
        // Loader texts name the file being loaded as %1.
        text = FillInserts(text, file);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
    }
    LocalFree(buffer);
    if (text.empty())
        text = "pogreška sustava " + std::to_string(error);
    if (text.back() != '.')
        text += '.';
    return text;
}

void* LibraryEntry(void* library, const std::string& file, const char* name,
                   const std::string& advice) {
    const FARPROC entry = GetProcAddress(static_cast<HMODULE>(library), name);
    if (!entry)
        throw PortError("Biblioteka " + file + " nema ulaznu točku " + name + ": " +
                        SystemText(GetLastError(), file) + " " + advice);
    return reinterpret_cast<void*>(entry);
}

} // namespace lptseg
