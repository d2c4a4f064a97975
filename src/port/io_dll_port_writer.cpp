#include "io_dll_port_writer.h"

#include "message_inserts.h"
#include "port_address.h"
#include "port_error.h"

#include <string>
#include <windows.h>

namespace lptseg {
namespace {

const std::string ThisExe = sizeof(void*) == 8 ? "64-bitni" : "32-bitni";
const std::string OtherDll = sizeof(void*) == 8 ? "32-bitna" : "64-bitna";
const std::string MatchingDll = sizeof(void*) == 8 ? "64-bitnu" : "32-bitnu";
const std::string OtherExe = sizeof(void*) == 8 ? "32-bitni" : "64-bitni";

// The system's own text for an error code, in UTF-8, ending with a full stop.
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
        // Loader texts name the file as %1; the only file loaded here is IO.dll.
        text = FillInserts(text, "IO.dll");
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

std::string LoadFailure(DWORD error) {
    // The file is there but built for the other processor width; the system's
    // own text for this would only say the format is bad.
    if (error == ERROR_BAD_EXE_FORMAT)
        return "IO.dll je " + OtherDll + " biblioteka, a ovaj lptseg.exe je " + ThisExe +
               " program, pa je ne može učitati. Stavite uz lptseg.exe " + MatchingDll +
               " biblioteku IO.dll ili pokrenite " + OtherExe + " lptseg.exe.";
    return "Biblioteku IO.dll nije moguće učitati, pa se PortOut ne može pozvati: " +
           SystemText(error) + " Stavite IO.dll u mapu u kojoj je lptseg.exe.";
}

} // namespace

IoDllPortWriter::IoDllPortWriter(const std::string& address) {
    const auto port = ParsePortAddress(address);
    if (!port || *port < 0x100)
        throw PortError("„" + address +
                        "“ nije adresa paralelnog porta. Upišite njegovu heksadekadsku adresu "
                        "kako je prikazuje Upravitelj uređaja, npr. --port=0xE800.");
    // Addresses above 0x7FFF keep their 16 bits: PortOut takes a signed short.
    fixed_ = static_cast<std::int16_t>(*port);
}

void IoDllPortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    if (!portOut_) {
        // Never freed: the library stays loaded for the life of the process.
        HMODULE library = LoadLibraryW(L"IO.dll");
        if (!library)
            throw PortError(LoadFailure(GetLastError()));
        FARPROC entry = GetProcAddress(library, "PortOut");
        if (!entry)
            throw PortError(
                "Biblioteka IO.dll nema ulaznu točku PortOut: " + SystemText(GetLastError()) +
                " Stavite uz lptseg.exe IO.dll koji izvozi PortOut.");
        portOut_ = reinterpret_cast<PortOutEntry>(reinterpret_cast<void*>(entry));
    }
    portOut_(fixed_.value_or(Port), static_cast<char>(Data));
}

} // namespace lptseg
