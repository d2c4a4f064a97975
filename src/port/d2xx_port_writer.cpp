#include "d2xx_port_writer.h"

#include "ftdi_adapters.h"
#include "port_error.h"
#include "windows_library.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>
#include <windows.h>

namespace lptseg {
namespace {

const std::string File = "ftd2xx.dll";
const std::string Reinstall = "Ponovno instalirajte FTDI-jev upravljački program.";

constexpr D2xxPortWriter::Dword OpenBySerialNumber = 1; // FT_OPEN_BY_SERIAL_NUMBER
constexpr D2xxPortWriter::Dword OpenedElsewhere = 1;    // FT_FLAGS_OPENED
constexpr D2xxPortWriter::Status DeviceNotOpened = 3;   // FT_DEVICE_NOT_OPENED
constexpr unsigned char AsynchronousBitBang = 1;        // FT_BITMODE_ASYNC_BITBANG
// The rate libftdi sets on opening; in bit-bang mode it paces the lines, and
// one byte a write is far slower than either.
constexpr unsigned long BaudRate = 9600;

// An FT_STATUS as ftd2xx.h names it, with its number.
std::string StatusText(D2xxPortWriter::Status status) {
    static const char* const names[] = {"FT_OK",
                                        "FT_INVALID_HANDLE",
                                        "FT_DEVICE_NOT_FOUND",
                                        "FT_DEVICE_NOT_OPENED",
                                        "FT_IO_ERROR",
                                        "FT_INSUFFICIENT_RESOURCES",
                                        "FT_INVALID_PARAMETER",
                                        "FT_INVALID_BAUD_RATE",
                                        "FT_DEVICE_NOT_OPENED_FOR_ERASE",
                                        "FT_DEVICE_NOT_OPENED_FOR_WRITE",
                                        "FT_FAILED_TO_WRITE_DEVICE",
                                        "FT_EEPROM_READ_FAILED",
                                        "FT_EEPROM_WRITE_FAILED",
                                        "FT_EEPROM_ERASE_FAILED",
                                        "FT_EEPROM_NOT_PRESENT",
                                        "FT_EEPROM_NOT_PROGRAMMED",
                                        "FT_INVALID_ARGS",
                                        "FT_NOT_SUPPORTED",
                                        "FT_OTHER_ERROR",
                                        "FT_DEVICE_LIST_NOT_READY"};
    const std::string name = status < std::size(names) ? names[status] : "nepoznata pogreška";
    return name + ", D2XX " + std::to_string(status);
}

std::string OpenedInAnotherProgram(const std::string& reason) {
    return "FTDI adapter je otvoren u drugom programu (" + reason +
           "). Zatvorite program koji ga koristi (npr. terminal na njegovu COM portu) i "
           "pokušajte ponovno.";
}

// One adapter as the library's device list describes it.
struct Adapter {
    D2xxPortWriter::Dword flags = 0;
    std::string serial;
};

} // namespace

D2xxPortWriter::D2xxPortWriter(std::string serial) : serial_(std::move(serial)) {}

D2xxPortWriter::~D2xxPortWriter() {
    // Bit-bang mode is left on deliberately: leaving it gives the lines back to the
    // UART, whose TXD idles high on D0 and would light segment c. The window's last
    // write set every line low, and the adapter keeps them so after it is closed.
    if (handle_)
        library_.close(handle_);
}

// The library is never freed: it stays loaded for the life of the process.
D2xxPortWriter::Library D2xxPortWriter::Load() {
    const HMODULE module = LoadLibraryW(L"ftd2xx.dll");
    if (!module) {
        const DWORD error = GetLastError();
        if (error == ERROR_MOD_NOT_FOUND)
            throw PortError(
                "Nije pronađena biblioteka ftd2xx.dll, pa se FTDI USB adapter ne može koristiti. "
                "Nju donosi FTDI-jev upravljački program: Windows ga instalira sam kad se "
                "adapter priključi dok je Windows Update uključen, a može se instalirati i "
                "FTDI-jevim programom za instalaciju upravljačkog programa (CDM). Zatim "
                "ponovno pokrenite lptseg.");
        throw PortError("Biblioteku ftd2xx.dll nije moguće učitati: " + SystemText(error, File) +
                        " " + Reinstall);
    }
    const auto entry = [module](auto& slot, const char* name) {
        slot = ResolveEntry<std::remove_reference_t<decltype(slot)>>(module, File, name, Reinstall);
    };
    Library library;
    entry(library.createDeviceInfoList, "FT_CreateDeviceInfoList");
    entry(library.getDeviceInfoDetail, "FT_GetDeviceInfoDetail");
    entry(library.openEx, "FT_OpenEx");
    entry(library.resetDevice, "FT_ResetDevice");
    entry(library.setBaudRate, "FT_SetBaudRate");
    entry(library.setBitMode, "FT_SetBitMode");
    entry(library.write, "FT_Write");
    entry(library.close, "FT_Close");
    return library;
}

void D2xxPortWriter::Open() {
    if (!library_.close)
        library_ = Load();
    Dword count = 0;
    if (const Status status = library_.createDeviceInfoList(&count))
        throw PortError("Popis USB uređaja nije moguće pročitati (" + StatusText(status) + ").");

    // The library lists every FTDI chip; only the FT232R and FT245R are taken.
    std::vector<Adapter> adapters;
    for (Dword index = 0; index < count; ++index) {
        Dword flags = 0, type = 0, id = 0, location = 0;
        char serial[16] = {}, description[64] = {};
        Handle handle = nullptr;
        if (library_.getDeviceInfoDetail(index, &flags, &type, &id, &location, serial, description,
                                         &handle) == 0 &&
            id == (FtdiVendorId << 16 | FtdiProductId))
            adapters.push_back({flags, std::string(serial, strnlen(serial, sizeof serial))});
    }
    const Adapter& adapter = adapters[ChooseFtdiAdapter(
        adapters.size(), [&](std::size_t index) { return adapters[index].serial; }, serial_)];
    // Another program's adapter shows no serial number to open it by.
    if (adapter.flags & OpenedElsewhere)
        throw PortError(OpenedInAnotherProgram("FT_FLAGS_OPENED"));

    std::string serial = adapter.serial;
    if (const Status status = library_.openEx(serial.data(), OpenBySerialNumber, &handle_)) {
        handle_ = nullptr;
        throw PortError(status == DeviceNotOpened ? OpenedInAnotherProgram(StatusText(status))
                                                  : FtdiOpenFailed(StatusText(status)));
    }
    const auto fail = [this](const std::string& message) {
        library_.close(handle_);
        handle_ = nullptr;
        throw PortError(message);
    };
    if (const Status status = library_.resetDevice(handle_))
        fail(FtdiOpenFailed(StatusText(status)));
    if (const Status status = library_.setBaudRate(handle_, BaudRate))
        fail(FtdiOpenFailed(StatusText(status)));
    if (const Status status = library_.setBitMode(handle_, FtdiAllOutputs, AsynchronousBitBang))
        fail(FtdiBitBangRefused(StatusText(status)));
}

// The port number plays no part: the adapter's lines are the only ones there are.
void D2xxPortWriter::PortOut(std::int16_t, std::uint8_t Data) {
    if (lost_)
        throw PortError(FtdiGone());
    if (!handle_)
        Open();
    unsigned char byte = Data;
    Dword written = 0;
    const Status status = library_.write(handle_, &byte, 1, &written);
    if (status != 0 || written != 1) {
        // A USB device that has gone away does not come back under the same handle.
        lost_ = true;
        throw PortError(
            FtdiWriteFailed(status != 0 ? StatusText(status) : "adapter nije primio bajt"));
    }
}

} // namespace lptseg
