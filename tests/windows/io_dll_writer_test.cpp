// Drives IoDllPortWriter against the port libraries that .ci/windows.sh lays
// beside this program, run in its own folder, for what the real 32-bit
// programs under Wine (programs_wine.sh) cannot show: the 64-bit writes,
// libraries of the other width or without their entry point.
// The case is the first argument:
//   io-dll                IO.dll and an InpOut with its driver open
//   inpout                an InpOut without IsInpOutDriverOpen, as older ones are
//   no-port-out, no-out32 an IO.dll without PortOut, an InpOut without Out32
//   other-bitness         an IO.dll built for the other processor width
//   inpout-other-bitness  the other width's InpOut under its own name
// Prints "N passed, N failed" and exits non-zero on any failure, or if it
// checked nothing.
// clang-format off
#include <windows.h> // first: the port headers must survive its macros
#include "io_dll_port_writer.h"
#include "port_error.h"
// clang-format on

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <type_traits>

using lptseg::IoDllPortWriter;

// A caller that restores its own stack frame hides a wrong calling convention,
// so the convention is checked where it is declared.
static_assert(std::is_same_v<IoDllPortWriter::PortOutEntry, void(__stdcall*)(short, char)>);
static_assert(std::is_same_v<IoDllPortWriter::Out32Entry, void(__stdcall*)(short, short)>);
static_assert(std::is_same_v<IoDllPortWriter::IsInpOutDriverOpenEntry, BOOL(__stdcall*)()>);

// This build's width and the other one, as the messages word them ("32-bitni").
const int bits = sizeof(void*) * 8;
const std::string width = std::to_string(bits) + "-bit",
                  otherWidth = std::to_string(96 - bits) + "-bit";
const std::string inpOut = bits == 64 ? "inpoutx64.dll" : "inpout32.dll",
                  otherInpOut = bits == 64 ? "inpout32.dll" : "inpoutx64.dll";
int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAILED: %s\n", what.c_str());
}

// The writes the stand-in has logged, a line each.
std::string Log() {
    return std::string(std::istreambuf_iterator<char>(std::ifstream("calls.log").rdbuf()), {});
}

// Writes reach `entry` of the library the writer must choose, in order.
void CheckWrites(const std::string& entry) {
    IoDllPortWriter writer;
    for (int byte : {0x00, 0x51, 0xFF})
        writer.PortOut(0x278, static_cast<std::uint8_t>(byte));
    Check(Log() == entry + " 0x278 0x00\n" + entry + " 0x278 0x51\n" + entry + " 0x278 0xFF\n",
          "the writes arrive in order through " + entry);
}

// The system's own words for an error, ending in a full stop.
std::string SystemSays(DWORD error) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string said = text;
    said.erase(said.find_last_not_of("\r\n ") + 1);
    return said.ends_with('.') ? said : said + '.';
}

// What the first write says in each case that fails.
// clang-format off
const std::map<std::string, std::string> failures = {
    {"no-port-out", "Biblioteka IO.dll nema ulaznu točku PortOut: " + SystemSays(ERROR_PROC_NOT_FOUND) + " Stavite uz lptseg.exe IO.dll koji izvozi PortOut."},
    {"no-out32", "Biblioteka " + inpOut + " nema ulaznu točku Out32: " + SystemSays(ERROR_PROC_NOT_FOUND) + " Stavite uz lptseg.exe " + inpOut + " koji izvozi Out32."},
    {"other-bitness", "IO.dll je " + otherWidth + "na biblioteka, a ovaj lptseg.exe je " + width + "ni program, pa je ne može učitati. Stavite uz lptseg.exe " + width + "nu biblioteku IO.dll ili pokrenite " + otherWidth + "ni lptseg.exe."},
    {"inpout-other-bitness", otherInpOut + " je " + otherWidth + "na biblioteka, a ovaj lptseg.exe je " + width + "ni program, pa je ne može učitati. Stavite uz lptseg.exe " + width + "nu biblioteku " + inpOut + " ili pokrenite " + otherWidth + "ni lptseg.exe."}};
// clang-format on

// The first write fails with the message of `failure`.
void CheckFailure(const std::string& failure) {
    IoDllPortWriter writer;
    std::string message = "(none)";
    try {
        writer.PortOut(0x378, 0);
    } catch (const lptseg::PortError& error) {
        message = error.what();
    }
    Check(message == failures.at(failure),
          "the message\n  " + message + "\nis\n  " + failures.at(failure));
}

int main(int argc, char* argv[]) {
    SetConsoleOutputCP(CP_UTF8);
    const std::string which = argc > 1 ? argv[1] : "";
    if (failures.contains(which))
        CheckFailure(which);
    else if (which == "io-dll" || which == "inpout")
        CheckWrites(which == "io-dll" ? "PortOut" : "Out32");
    std::printf("%s (%d-bit): %d passed, %d failed\n", which.c_str(), bits, passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1; // an unknown case checks nothing
}
