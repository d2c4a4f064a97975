// A stand-in for the port I/O libraries IO.dll and InpOut: PortOut and Out32
// with the libraries' own signatures and calling convention, each call recorded
// as a line "PortOut 0x378 0x51" (entry, port and value as the entry received
// them, read unsigned) in the file that IO_STAND_IN_LOG names. Each build's
// .def file picks the entries that library exports. IsInpOutDriverOpen answers
// as INPOUT_STAND_IN_DRIVER says: "0" closed, anything else open; "unloadable"
// makes the library refuse to load at all.
#include <cstdint>
#include <cstdio>
#include <windows.h>

namespace {

std::FILE* Log() {
    static std::FILE* log = [] {
        wchar_t path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"IO_STAND_IN_LOG", path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? _wfopen(path, L"a") : nullptr;
    }();
    return log;
}

bool DriverIs(const wchar_t* state) {
    wchar_t value[16];
    const DWORD length = GetEnvironmentVariableW(L"INPOUT_STAND_IN_DRIVER", value, 16);
    return length > 0 && length < 16 && lstrcmpW(value, state) == 0;
}

// Where an entry's frame sat on the first call, and how far any later call's
// frame strayed from it. Calls from one place stay put on a balanced stack.
std::uintptr_t firstFrame = 0;
std::uintptr_t frameSpread = 0;

void Record(const char* entry, std::uintptr_t frame, unsigned port, unsigned value) {
    if (firstFrame == 0)
        firstFrame = frame;
    const std::uintptr_t spread = frame > firstFrame ? frame - firstFrame : firstFrame - frame;
    if (spread > frameSpread)
        frameSpread = spread;
    if (std::FILE* log = Log()) {
        std::fprintf(log, "%s 0x%03X 0x%02X\n", entry, port, value);
        std::fflush(log);
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    return reason != DLL_PROCESS_ATTACH || !DriverIs(L"unloadable");
}

extern "C" void __stdcall PortOut(short Port, char Data) {
    Record("PortOut", reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)),
           static_cast<unsigned short>(Port), static_cast<unsigned char>(Data));
}

extern "C" void __stdcall Out32(short PortAddress, short Data) {
    Record("Out32", reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)),
           static_cast<unsigned short>(PortAddress), static_cast<unsigned short>(Data));
}

extern "C" BOOL __stdcall IsInpOutDriverOpen() {
    return DriverIs(L"0") ? 0 : 1;
}

// The spread so far; later calls are measured afresh.
extern "C" std::uintptr_t __stdcall StandInFrameSpread() {
    const std::uintptr_t spread = frameSpread;
    firstFrame = 0;
    frameSpread = 0;
    return spread;
}
