// A stand-in for the port I/O libraries IO.dll and InpOut: their entries with
// their own signatures and calling convention; each build's .def picks those
// that library exports. Each write is logged as a line "PortOut 0x378 0x51"
// (entry, then port and value as received, read unsigned) to calls.log in the
// current folder. INPOUT_STAND_IN_DRIVER "0" closes InpOut's driver, and
// "unloadable" makes the library refuse to load.
#include <cstdio>
#include <cstring>
#include <windows.h>

// Read afresh each time: the library's own copy of the environment is made when it loads.
static bool DriverIs(const char* state) {
    char value[16] = "";
    GetEnvironmentVariableA("INPOUT_STAND_IN_DRIVER", value, sizeof value);
    return std::strcmp(value, state) == 0;
}

static void Record(const char* entry, unsigned port, unsigned value) {
    static std::FILE* log = std::fopen("calls.log", "w");
    std::fprintf(log, "%s 0x%03X 0x%02X\n", entry, port, value);
    std::fflush(log);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    return reason != DLL_PROCESS_ATTACH || !DriverIs("unloadable");
}

extern "C" void __stdcall PortOut(short Port, char Data) {
    Record("PortOut", static_cast<unsigned short>(Port), static_cast<unsigned char>(Data));
}

extern "C" void __stdcall Out32(short PortAddress, short Data) {
    Record("Out32", static_cast<unsigned short>(PortAddress), static_cast<unsigned short>(Data));
}

extern "C" BOOL __stdcall IsInpOutDriverOpen() {
    return !DriverIs("0");
}
