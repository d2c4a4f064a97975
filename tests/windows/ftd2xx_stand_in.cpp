// A stand-in for FTDI's D2XX library ftd2xx.dll: the entries lptseg calls, with
// FTDI's own signatures and calling convention, presenting FT232R adapters and
// logging every call with its arguments to calls.log in the current folder
// ("FT_Write 0x51", "FT_SetBitMode 0xFF 1"; a failed call ends with " = STATUS").
//   FTD2XX_STAND_IN_ADAPTERS  their serial numbers, comma-separated (default
//                             one, A50285BI; "-" for none); a leading * marks
//                             one open in another program, a leading + an
//                             FT2232H (0403:6010) rather than an FT232R
//   FTD2XX_STAND_IN_FAIL      ENTRY:N:STATUS: the Nth call of ENTRY returns
//                             STATUS; for FT_Write, 0 takes no byte
#include "d2xx_port_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>
#include <windows.h>

using Writer = lptseg::D2xxPortWriter;
using Status = Writer::Status;
using Handle = Writer::Handle;

namespace {

int adapter; // the one adapter that can be open; its address is the handle

std::string Environment(const char* name, const char* otherwise) {
    char value[256] = "";
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : otherwise;
}

std::vector<std::string> Adapters() {
    std::string list = Environment("FTD2XX_STAND_IN_ADAPTERS", "A50285BI");
    std::vector<std::string> serials;
    for (char* serial = std::strtok(list.data(), ","); serial && list != "-";
         serial = std::strtok(nullptr, ","))
        serials.emplace_back(serial);
    return serials;
}

// Logs a call of entry. Returns the status it is to fail with, or -1.
long Call(const std::string& entry, const std::string& arguments) {
    static std::FILE* log = std::fopen("calls.log", "w");
    static std::vector<std::string> made;
    made.push_back(entry);
    char failing[64] = "";
    int nth = 0;
    long status = -1;
    if (std::sscanf(Environment("FTD2XX_STAND_IN_FAIL", "").c_str(), "%63[^:]:%d:%ld", failing,
                    &nth, &status) != 3 ||
        entry != failing || nth != std::count(made.begin(), made.end(), entry))
        status = -1;
    const std::string failed = status < 0 ? "" : " = " + std::to_string(status);
    std::fprintf(log, "%s%s%s\n", entry.c_str(), arguments.c_str(), failed.c_str());
    std::fflush(log);
    return status;
}

Status Result(long failure) {
    return failure < 0 ? 0 : static_cast<Status>(failure);
}

// A call on the open adapter: any other handle is refused (FT_INVALID_HANDLE).
long OnAdapter(Handle handle, const char* entry, const std::string& arguments) {
    return handle == &adapter ? Call(entry, arguments) : (Call(entry, " with a bad handle"), 1);
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, " 0x%02X", value);
    return text;
}

} // namespace

extern "C" Status WINAPI FT_CreateDeviceInfoList(DWORD* count) {
    *count = static_cast<DWORD>(Adapters().size());
    return Result(Call("FT_CreateDeviceInfoList", ""));
}

extern "C" Status WINAPI FT_GetDeviceInfoDetail(DWORD index, DWORD* flags, DWORD* type, DWORD* id,
                                                DWORD*, void* serial, void*, Handle* handle) {
    const std::string name = Adapters().at(index);
    *flags = name[0] == '*';        // FT_FLAGS_OPENED, and then no serial number
    *type = name[0] == '+' ? 6 : 5; // FT_DEVICE_2232H, FT_DEVICE_232R
    *id = name[0] == '+' ? 0x04036010 : 0x04036001;
    std::snprintf(static_cast<char*>(serial), 16, "%s",
                  name[0] == '*' ? "" : name.c_str() + (name[0] == '+'));
    *handle = nullptr;
    return Result(Call("FT_GetDeviceInfoDetail", " " + std::to_string(index)));
}

extern "C" Status WINAPI FT_OpenEx(void* serial, DWORD flags, Handle* handle) {
    const long failure = Call("FT_OpenEx", " " + std::string(static_cast<char*>(serial)) + " " +
                                               std::to_string(flags));
    *handle = failure < 0 ? &adapter : nullptr;
    return Result(failure);
}

extern "C" Status WINAPI FT_ResetDevice(Handle handle) {
    return Result(OnAdapter(handle, "FT_ResetDevice", ""));
}

extern "C" Status WINAPI FT_SetBaudRate(Handle handle, ULONG rate) {
    return Result(OnAdapter(handle, "FT_SetBaudRate", " " + std::to_string(rate)));
}

extern "C" Status WINAPI FT_SetBitMode(Handle handle, UCHAR mask, UCHAR mode) {
    return Result(OnAdapter(handle, "FT_SetBitMode", Hex(mask) + " " + std::to_string(mode)));
}

extern "C" Status WINAPI FT_Write(Handle handle, void* buffer, DWORD size, DWORD* written) {
    std::string bytes;
    for (DWORD i = 0; i < size; ++i)
        bytes += Hex(static_cast<unsigned char*>(buffer)[i]);
    const long failure = OnAdapter(handle, "FT_Write", bytes);
    *written = failure < 0 ? size : 0; // a failure with FT_OK is a short write
    return Result(failure);
}

extern "C" Status WINAPI FT_Close(Handle handle) {
    return Result(OnAdapter(handle, "FT_Close", ""));
}

// lptseg's declarations must be FTDI's, calling convention included: a cdecl
// entry called as __stdcall, or the reverse, leaves the caller's stack off.
static_assert(
    std::is_same_v<decltype(&FT_CreateDeviceInfoList), Writer::CreateDeviceInfoListEntry>);
static_assert(std::is_same_v<decltype(&FT_GetDeviceInfoDetail), Writer::GetDeviceInfoDetailEntry>);
static_assert(std::is_same_v<decltype(&FT_OpenEx), Writer::OpenExEntry>);
static_assert(std::is_same_v<decltype(&FT_ResetDevice), Writer::ResetDeviceEntry>);
static_assert(std::is_same_v<decltype(&FT_SetBaudRate), Writer::SetBaudRateEntry>);
static_assert(std::is_same_v<decltype(&FT_SetBitMode), Writer::SetBitModeEntry>);
static_assert(std::is_same_v<decltype(&FT_Write), Writer::WriteEntry>);
static_assert(std::is_same_v<decltype(&FT_Close), Writer::CloseEntry>);
