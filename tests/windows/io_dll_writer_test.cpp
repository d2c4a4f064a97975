// Drives IoDllPortWriter against the port libraries that lie beside this
// program (or none). The case to check is the first argument; the folder must
// match it (.ci/windows.sh lays them out):
//   io-dll                the recording IO.dll and an InpOut whose driver is closed
//   inpout                the recording InpOut with Out32 only
//   driver                the recording InpOut that also exports IsInpOutDriverOpen
//   neither               no port library at all
//   no-port-out           an IO.dll without PortOut
//   no-out32              an InpOut without Out32
//   other-bitness         an IO.dll built for the other processor width
//   inpout-other-bitness  the other width's InpOut under its own name
// Prints "N passed, N failed" and exits non-zero on any failure.
#include "io_dll_port_writer.h"
#include "port_address.h"
#include "port_error.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace {

// A cdecl declaration would pass every run-time check on a stack that the
// caller's frame restores, so the convention is checked where it is declared.
static_assert(std::is_same_v<lptseg::IoDllPortWriter::PortOutEntry, void(__stdcall*)(short, char)>,
              "PortOut must be declared exactly as IO.dll declares it");
static_assert(std::is_same_v<lptseg::IoDllPortWriter::Out32Entry, void(__stdcall*)(short, short)>,
              "Out32 must be declared exactly as InpOut declares it");
static_assert(std::is_same_v<lptseg::IoDllPortWriter::IsInpOutDriverOpenEntry, BOOL(__stdcall*)()>,
              "IsInpOutDriverOpen must be declared exactly as InpOut declares it");

// This build's width and the other one, as the messages word them ("32-bitni").
const int bits = sizeof(void*) * 8;
const std::string width = std::to_string(bits) + "-bit";
const std::string otherWidth = std::to_string(96 - bits) + "-bit";
const std::string inpOut = bits == 64 ? "inpoutx64.dll" : "inpout32.dll";
const std::string otherInpOut = bits == 64 ? "inpout32.dll" : "inpoutx64.dll";

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring Folder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

void SetDriver(const wchar_t* state) {
    SetEnvironmentVariableW(L"INPOUT_STAND_IN_DRIVER", state);
}

bool Loaded(const std::string& library) {
    return GetModuleHandleW(Wide(library).c_str()) != nullptr;
}

__attribute__((noinline)) std::uintptr_t StackHere() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

// How far the stand-in's frame strayed since the last question.
std::uintptr_t StandInFrameSpread(const std::string& library) {
    using Entry = std::uintptr_t(__stdcall*)();
    const FARPROC entry =
        GetProcAddress(GetModuleHandleW(Wide(library).c_str()), "StandInFrameSpread");
    if (!entry)
        return ~std::uintptr_t{0};
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(entry))();
}

std::wstring LogPath() {
    return Folder() + L"calls.log";
}

// The calls the stand-in has recorded since the last call to Calls().
std::vector<std::string> Calls() {
    static std::size_t seen = 0;
    std::ifstream in(LogPath().c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(seen));
    seen += lines.size();
    return lines;
}

// Writes through `entry` of `library`, the one the writer must choose.
void CheckWrites(const std::string& library, const std::string& entry) {
    struct Write {
        std::int16_t port;
        std::uint8_t data;
    };
    // Bytes with the top bit set catch a sign slip on the way to the library,
    // and so does a port above 0x7FFF, as PCI cards have.
    const std::vector<Write> writes = {{0x378, 0x00},
                                       {0x378, 0x51},
                                       {0x278, 0xFF},
                                       {0x3BC, 0x80},
                                       {0x378, 0x6B},
                                       {0x3BC, 0x00},
                                       {static_cast<std::int16_t>(0xE800), 0x51}};
    lptseg::IoDllPortWriter writer;
    std::vector<std::string> expected;
    for (const Write& write : writes) {
        writer.PortOut(write.port, write.data);
        expected.push_back(entry + ' ' + lptseg::FormatPort(write.port) + ' ' +
                           lptseg::FormatByte(write.data));
    }
    Check(Calls() == expected, "each write reaches " + entry +
                                   " once, in order, port and byte "
                                   "intact, 0xE800 as 0xE800");

    StandInFrameSpread(library); // forget the frames of the calls above
    const int calls = 10000;
    const std::uintptr_t before = StackHere();
    bool steady = true;
    for (int i = 0; i < calls; ++i) {
        writer.PortOut(0x278, static_cast<std::uint8_t>(i));
        steady = steady && StackHere() == before;
    }
    Check(steady, "the caller's stack is where it was after each of 10000 writes");
    Check(StandInFrameSpread(library) == 0,
          entry + "'s frame stays in one place over 10000 writes");
    const std::vector<std::string> all = Calls();
    Check(all.size() == static_cast<std::size_t>(calls) && all.back() == entry + " 0x278 0x0F",
          "all 10000 writes are recorded, the last one as 0x278 0x0F");
}

std::string FailureOfWrite(lptseg::IoDllPortWriter& writer) {
    try {
        writer.PortOut(0x378, 0);
    } catch (const lptseg::PortError& error) {
        return error.what();
    }
    return "";
}

bool IsUtf8(const std::string& text) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                               static_cast<int>(text.size()), nullptr, 0) > 0;
}

// The first write fails with a message that starts with the first part, ends
// with the last and holds the others in order between them.
void CheckFailure(const std::vector<std::string>& parts) {
    lptseg::IoDllPortWriter writer;
    const std::string message = FailureOfWrite(writer);
    std::printf("message: %s\n", message.c_str());
    Check(message.starts_with(parts.front()), "the message starts \"" + parts.front() + "\"");
    Check(message.ends_with(parts.back()), "the message ends \"" + parts.back() + "\"");
    std::size_t at = 0;
    for (const std::string& part : parts) {
        at = message.find(part, at);
        Check(at != std::string::npos, "the message then says \"" + part + "\"");
        if (at == std::string::npos)
            break;
    }
    bool placeholder = false;
    for (std::size_t sign = message.find('%'); sign != std::string::npos;
         sign = message.find('%', sign + 1))
        placeholder = placeholder || (sign + 1 < message.size() &&
                                      std::isdigit(static_cast<unsigned char>(message[sign + 1])));
    Check(!placeholder, "no placeholder such as %1 is left in the message");
    Check(IsUtf8(message), "the message is valid UTF-8");
    Check(FailureOfWrite(writer) == message, "a second write fails the same way");
}

std::vector<std::string> WrongWidth(const std::string& found, const std::string& matching) {
    return {found + " je " + otherWidth + "na biblioteka, a ovaj lptseg.exe je " + width +
                "ni program, pa je ne može učitati.",
            " Stavite uz lptseg.exe " + width + "nu biblioteku " + matching + " ili pokrenite " +
                otherWidth + "ni lptseg.exe."};
}

bool Run(const std::string& which) {
    if (which == "io-dll") {
        SetDriver(L"0"); // loading InpOut would fail the writes
        CheckWrites("IO.dll", "PortOut");
        Check(!Loaded(inpOut), "InpOut is not loaded while IO.dll is there");
    } else if (which == "inpout") {
        CheckWrites(inpOut, "Out32");
    } else if (which == "driver") {
        SetDriver(L"unloadable");
        CheckFailure(
            {"Biblioteku " + inpOut + " nije moguće učitati, pa se Out32 ne može pozvati: ",
             " Stavite " + inpOut + " u mapu u kojoj je lptseg.exe."});
        SetDriver(L"0");
        CheckFailure({"Upravljački program biblioteke " + inpOut + " nije učitan",
                      "jednom kao administrator", "bez administratorskih prava."});
        SetDriver(L"1");
        lptseg::IoDllPortWriter writer;
        writer.PortOut(0x3BC, 0x6B);
        Check(Calls() == std::vector<std::string>{"Out32 0x3BC 0x6B"},
              "with the driver open the write reaches Out32");
    } else if (which == "neither") {
        CheckFailure({"Nije pronađena ni biblioteka IO.dll ni biblioteka InpOut",
                      "lptseg.exe je " + width + "ni program",
                      "u mapu u kojoj je lptseg.exe " + width + "nu biblioteku IO.dll",
                      " ili " + inpOut, "(za Windows 7 do 11)."});
    } else if (which == "no-port-out") {
        CheckFailure({"Biblioteka IO.dll nema ulaznu točku PortOut: ",
                      " Stavite uz lptseg.exe IO.dll koji izvozi PortOut."});
    } else if (which == "no-out32") {
        CheckFailure({"Biblioteka " + inpOut + " nema ulaznu točku Out32: ",
                      " Stavite uz lptseg.exe " + inpOut + " koji izvozi Out32."});
    } else if (which == "other-bitness") {
        CheckFailure(WrongWidth("IO.dll", "IO.dll"));
    } else if (which == "inpout-other-bitness") {
        CheckFailure(WrongWidth(otherInpOut, inpOut));
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    SetConsoleOutputCP(CP_UTF8);
    const std::string which = argc > 1 ? argv[1] : "";
    DeleteFileW(LogPath().c_str());
    SetEnvironmentVariableW(L"IO_STAND_IN_LOG", LogPath().c_str());
    try {
        if (!Run(which)) {
            std::printf("unknown case '%s'\n", which.c_str());
            return 2;
        }
    } catch (const lptseg::PortError& error) {
        Check(false, std::string("no write fails: ") + error.what());
    }
    std::printf("%s (%d-bit): %d passed, %d failed\n", which.c_str(), bits, passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
