#include "io_dll_port_writer.h"

#include "port_address.h"
#include "port_error.h"
#include "windows_library.h"

#include <string>
#include <windows.h>

namespace lptseg {
namespace {

constexpr bool Wide = sizeof(void*) == 8;
const std::string ThisExe = Wide ? "64-bitni" : "32-bitni";
const std::string OtherDll = Wide ? "32-bitna" : "64-bitna";
const std::string MatchingDll = Wide ? "64-bitnu" : "32-bitnu";
const std::string OtherExe = Wide ? "32-bitni" : "64-bitni";
// InpOut ships one file per width under different names.
const std::string InpOut = Wide ? "inpoutx64.dll" : "inpout32.dll";
const std::string OtherInpOut = Wide ? "inpout32.dll" : "inpoutx64.dll";

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// `found` is there but built for the other processor width; the system's own
// text for this would only say the format is bad.
std::string WrongWidth(const std::string& found, const std::string& matching) {
    return found + " je " + OtherDll + " biblioteka, a ovaj lptseg.exe je " + ThisExe +
           " program, pa je ne može učitati. Stavite uz lptseg.exe " + MatchingDll +
           " biblioteku " + matching + " ili pokrenite " + OtherExe + " lptseg.exe.";
}

std::string LoadFailure(const std::string& file, const std::string& entry, DWORD error) {
    if (error == ERROR_BAD_EXE_FORMAT)
        return WrongWidth(file, file);
    return "Biblioteku " + file + " nije moguće učitati, pa se " + entry +
           " ne može pozvati: " + SystemText(error, file) + " Stavite " + file +
           " u mapu u kojoj je lptseg.exe.";
}

std::string NeitherLibrary() {
    return "Nije pronađena ni biblioteka IO.dll ni biblioteka InpOut, pa se na port ne može "
           "pisati. Ovaj lptseg.exe je " +
           ThisExe + " program: stavite u mapu u kojoj je lptseg.exe " + MatchingDll +
           " biblioteku IO.dll" + (Wide ? "" : " (za 32-bitni Windows XP)") + " ili " + InpOut +
           " (za Windows 7 do 11).";
}

// InpOut's driver is installed by the library itself, which needs an
// administrator's rights the first time on each machine.
std::string DriverNotLoaded() {
    return "Upravljački program biblioteke " + InpOut +
           " nije učitan, pa se na port ne može pisati. Pokrenite lptseg.exe jednom kao "
           "administrator (desni klik, pa Pokreni kao administrator) da ga InpOut instalira; "
           "poslije toga lptseg radi i bez administratorskih prava.";
}

template <typename Entry>
Entry Resolve(HMODULE library, const std::string& file, const char* name) {
    return ResolveEntry<Entry>(library, file, name,
                               "Stavite uz lptseg.exe " + file + " koji izvozi " + name + ".");
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

// Libraries are never freed: they stay loaded for the life of the process.
void IoDllPortWriter::Load() {
    if (const HMODULE io = LoadLibraryW(L"IO.dll")) {
        portOut_ = Resolve<PortOutEntry>(io, "IO.dll", "PortOut");
        return;
    }
    // Any other failure means an IO.dll is there, and it is the one to use.
    if (const DWORD error = GetLastError(); error != ERROR_MOD_NOT_FOUND)
        throw PortError(LoadFailure("IO.dll", "PortOut", error));

    const HMODULE inpOut = LoadLibraryW(Widen(InpOut).c_str());
    if (!inpOut) {
        const DWORD error = GetLastError();
        if (error != ERROR_MOD_NOT_FOUND)
            throw PortError(LoadFailure(InpOut, "Out32", error));
        // The InpOut of the other width is the usual mix-up: say so rather
        // than that there is none.
        if (const HMODULE other = LoadLibraryW(Widen(OtherInpOut).c_str()))
            FreeLibrary(other);
        else if (GetLastError() == ERROR_BAD_EXE_FORMAT)
            throw PortError(WrongWidth(OtherInpOut, InpOut));
        throw PortError(NeitherLibrary());
    }
    const Out32Entry out32 = Resolve<Out32Entry>(inpOut, InpOut, "Out32");
    // Older InpOut versions do not export the check; there the writes go ahead.
    if (GetProcAddress(inpOut, "IsInpOutDriverOpen") &&
        !Resolve<IsInpOutDriverOpenEntry>(inpOut, InpOut, "IsInpOutDriverOpen")())
        throw PortError(DriverNotLoaded());
    out32_ = out32;
}

void IoDllPortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    if (!portOut_ && !out32_)
        Load();
    const std::int16_t port = fixed_.value_or(Port);
    if (portOut_)
        portOut_(port, static_cast<char>(Data));
    else
        out32_(port, Data);
}

} // namespace lptseg
