#pragma once

#include "port_writer.h"

#include <string>

namespace lptseg {

// An FTDI FT232R or FT245R USB adapter in asynchronous bit-bang mode on Windows,
// through FTDI's D2XX library ftd2xx.dll, which Windows installs with the
// adapter's driver. The library is loaded and the adapter opened on the first
// write, and both kept until the end. Every write goes to the adapter, whatever
// port number it names.
class D2xxPortWriter : public PortWriter {
public:
    // The library's own declarations, as FTDI's ftd2xx.h gives them. The
    // calling convention matters on 32-bit Windows: WINAPI (__stdcall)
    // functions pop their own arguments.
    using Status = unsigned long; // FT_STATUS: 0 is FT_OK
    using Handle = void*;         // FT_HANDLE
    using Dword = unsigned long;  // DWORD
    using CreateDeviceInfoListEntry = Status(__stdcall*)(Dword* count);
    using GetDeviceInfoDetailEntry = Status(__stdcall*)(Dword index, Dword* flags, Dword* type,
                                                        Dword* id, Dword* location, void* serial,
                                                        void* description, Handle* handle);
    using OpenExEntry = Status(__stdcall*)(void* argument, Dword flags, Handle* handle);
    using ResetDeviceEntry = Status(__stdcall*)(Handle handle);
    using SetBaudRateEntry = Status(__stdcall*)(Handle handle, unsigned long baudRate);
    using SetBitModeEntry = Status(__stdcall*)(Handle handle, unsigned char mask,
                                               unsigned char mode);
    using WriteEntry = Status(__stdcall*)(Handle handle, void* buffer, Dword size, Dword* written);
    using CloseEntry = Status(__stdcall*)(Handle handle);

    // An empty serial takes the first adapter found.
    explicit D2xxPortWriter(std::string serial);
    ~D2xxPortWriter() override;
    D2xxPortWriter(const D2xxPortWriter&) = delete;
    D2xxPortWriter& operator=(const D2xxPortWriter&) = delete;

    void PortOut(std::int16_t Port, std::uint8_t Data) override;

private:
    struct Library {
        CreateDeviceInfoListEntry createDeviceInfoList;
        GetDeviceInfoDetailEntry getDeviceInfoDetail;
        OpenExEntry openEx;
        ResetDeviceEntry resetDevice;
        SetBaudRateEntry setBaudRate;
        SetBitModeEntry setBitMode;
        WriteEntry write;
        CloseEntry close;
    };
    static Library Load();
    void Open();

    std::string serial_;
    Library library_{};
    Handle handle_ = nullptr;
    bool lost_ = false; // a write failed: the adapter is gone
};

} // namespace lptseg
