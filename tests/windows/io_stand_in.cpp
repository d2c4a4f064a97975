// A stand-in for the port I/O library IO.dll: PortOut with the library's own
// signature and calling convention, recording each call as a line
// "<port> <byte>" (decimal) in the file that IO_STAND_IN_LOG names.
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

// Where this function's frame sat on the first call, and how far any later
// call's frame strayed from it. Calls from one place stay put on a balanced stack.
std::uintptr_t firstFrame = 0;
std::uintptr_t frameSpread = 0;

} // namespace

extern "C" void __stdcall PortOut(short Port, char Data) {
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    if (firstFrame == 0)
        firstFrame = frame;
    const std::uintptr_t spread = frame > firstFrame ? frame - firstFrame : firstFrame - frame;
    if (spread > frameSpread)
        frameSpread = spread;
    if (std::FILE* log = Log()) {
        std::fprintf(log, "%d %u\n", Port, static_cast<unsigned char>(Data));
        std::fflush(log);
    }
}

extern "C" std::uintptr_t __stdcall StandInFrameSpread() {
    return frameSpread;
}
