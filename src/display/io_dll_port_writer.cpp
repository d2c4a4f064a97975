#include "io_dll_port_writer.h"

#include "port_error.h"

#include <string>
#include <windows.h>

namespace lptseg {
namespace {

// The system's own text for an error code, in UTF-8.
std::string SystemText(DWORD error) {
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
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
    }
    LocalFree(buffer);
    if (text.empty())
        text = "pogreska sustava " + std::to_string(error);
    if (text.back() != '.')
        text += '.';
    return text;
}

} // namespace

void IoDllPortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    if (!portOut_) {
        // Never freed: the library stays loaded for the life of the process.
        HMODULE library = LoadLibraryW(L"IO.dll");
        if (!library)
            throw PortError("Biblioteku IO.dll nije moguce ucitati, pa se PortOut ne moze "
                            "pozvati: " +
                            SystemText(GetLastError()) + " Stavite IO.dll uz program.");
        FARPROC entry = GetProcAddress(library, "PortOut");
        if (!entry)
            throw PortError("Biblioteka IO.dll nema ulaznu tocku PortOut: " +
                            SystemText(GetLastError()));
        portOut_ = reinterpret_cast<PortOutEntry>(reinterpret_cast<void*>(entry));
    }
    portOut_(Port, Data);
}

} // namespace lptseg
