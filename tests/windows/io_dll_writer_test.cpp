// Drives IoDllPortWriter against the IO.dll that lies beside this program (or
// none). The case to check is the first argument; the folder must match it:
//   writes         the recording stand-in IO.dll
//   missing        no IO.dll at all
//   no-port-out    an IO.dll without PortOut
//   other-bitness  a stand-in IO.dll built for the other processor width
// Prints "N passed, N failed" and exits non-zero on any failure.
#include "io_dll_port_writer.h"
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

std::wstring Folder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

__attribute__((noinline)) std::uintptr_t StackHere() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

std::uintptr_t StandInFrameSpread() {
    using Entry = std::uintptr_t(__stdcall*)();
    const FARPROC entry = GetProcAddress(GetModuleHandleW(L"IO.dll"), "StandInFrameSpread");
    if (!entry)
        return ~std::uintptr_t{0};
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(entry))();
}

std::vector<std::string> Lines(const std::wstring& path) {
    std::ifstream in(path.c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void CheckWrites() {
    const std::wstring log = Folder() + L"portout.log";
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"IO_STAND_IN_LOG", log.c_str());

    struct Write {
        std::int16_t port;
        std::uint8_t data;
    };
    // Bytes with the top bit set catch a sign slip on the way to IO.dll's char.
    const std::vector<Write> writes = {{0x378, 0x00}, {0x378, 0x51}, {0x278, 0xFF},
                                       {0x3BC, 0x80}, {0x378, 0x6B}, {0x3BC, 0x00}};
    lptseg::IoDllPortWriter writer;
    std::vector<std::string> expected;
    for (const Write& write : writes) {
        writer.PortOut(write.port, write.data);
        expected.push_back(std::to_string(write.port) + ' ' + std::to_string(write.data));
    }
    Check(Lines(log) == expected,
          "each write reaches PortOut once, in order, port and byte intact");

    StandInFrameSpread(); // forget the frames of the calls above
    const int calls = 10000;
    const std::uintptr_t before = StackHere();
    bool steady = true;
    for (int i = 0; i < calls; ++i) {
        writer.PortOut(0x278, static_cast<std::uint8_t>(i));
        steady = steady && StackHere() == before;
    }
    Check(steady, "the caller's stack is where it was after each of 10000 writes");
    Check(StandInFrameSpread() == 0, "PortOut's frame stays in one place over 10000 writes");
    const std::vector<std::string> all = Lines(log);
    Check(all.size() == writes.size() + calls && all.back() == "632 15",
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

void CheckFailure(const std::string& start, const std::string& end) {
    lptseg::IoDllPortWriter writer;
    const std::string message = FailureOfWrite(writer);
    std::printf("message: %s\n", message.c_str());
    Check(message.starts_with(start), "the message starts \"" + start + "\"");
    Check(message.ends_with(end), "the message ends \"" + end + "\"");
    bool placeholder = false;
    for (std::size_t at = message.find('%'); at != std::string::npos;
         at = message.find('%', at + 1))
        placeholder = placeholder || (at + 1 < message.size() &&
                                      std::isdigit(static_cast<unsigned char>(message[at + 1])));
    Check(!placeholder, "no placeholder such as %1 is left in the message");
    Check(IsUtf8(message), "the message is valid UTF-8");
    Check(FailureOfWrite(writer) == message, "a second write fails the same way");
}

} // namespace

int main(int argc, char* argv[]) {
    SetConsoleOutputCP(CP_UTF8);
    const std::string which = argc > 1 ? argv[1] : "";
    const bool wide = sizeof(void*) == 8;
    if (which == "writes") {
        try {
            CheckWrites();
        } catch (const lptseg::PortError& error) {
            Check(false, std::string("no write fails: ") + error.what());
        }
    } else if (which == "missing") {
        CheckFailure("Biblioteku IO.dll nije moguće učitati, pa se PortOut ne može pozvati: ",
                     " Stavite IO.dll u mapu u kojoj je lptseg.exe.");
    } else if (which == "no-port-out") {
        CheckFailure("Biblioteka IO.dll nema ulaznu točku PortOut: ",
                     " Stavite uz lptseg.exe IO.dll koji izvozi PortOut.");
    } else if (which == "other-bitness") {
        const std::string message =
            wide ? "IO.dll je 32-bitna biblioteka, a ovaj lptseg.exe je 64-bitni program, pa je "
                   "ne može učitati. Stavite uz lptseg.exe 64-bitnu biblioteku IO.dll ili "
                   "pokrenite 32-bitni lptseg.exe."
                 : "IO.dll je 64-bitna biblioteka, a ovaj lptseg.exe je 32-bitni program, pa je "
                   "ne može učitati. Stavite uz lptseg.exe 32-bitnu biblioteku IO.dll ili "
                   "pokrenite 64-bitni lptseg.exe.";
        CheckFailure(message, message);
    } else {
        std::printf("unknown case '%s'\n", which.c_str());
        return 2;
    }
    std::printf("%s (%d-bit): %d passed, %d failed\n", which.c_str(), wide ? 64 : 32, passed,
                failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
