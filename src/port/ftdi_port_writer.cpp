#include "ftdi_port_writer.h"

#include "ftdi_adapters.h"
#include "port_error.h"

#include <ftdi.h>
#include <string>
#include <utility>
#include <vector>

namespace lptseg {
namespace {

std::string LibraryText(ftdi_context* context, int code) {
    const char* text = ftdi_get_error_string(context);
    return std::string(text ? text : "nepoznata pogreška") + ", libftdi " + std::to_string(code);
}

// The package's udev rule gives the user at the machine access; a build from
// source has only the README's rule, which works through a group.
const std::string UdevAdvice =
    "Paket lptseg pristup daje pravilom za udev /usr/lib/udev/rules.d/70-lptseg.rules: ako je "
    "paket instaliran, iskopčajte adapter i ponovno ga priključite. Za lptseg preveden iz "
    "izvornog koda dodajte pravilo iz README-a, npr. u datoteku "
    "/etc/udev/rules.d/99-lptseg-ftdi.rules:\n"
    "SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", "
    "GROUP=\"plugdev\", MODE=\"0660\"\n"
    "zatim sudo udevadm control --reload-rules, ponovno priključite adapter i dodajte "
    "svog korisnika u grupu plugdev (sudo usermod -aG plugdev $USER, pa se ponovno prijavite).";

std::string NoAccess(ftdi_context* context, int code) {
    return "Nema dozvole za pristup FTDI adapteru (" + LibraryText(context, code) + "). " +
           UdevAdvice;
}

// Why ftdi_usb_open_dev failed, by its documented return codes, and what to do.
std::string OpenFailure(ftdi_context* context, int code) {
    switch (code) {
    case -4: // libusb_open() failed: on Linux nearly always the device node's permissions
    case -8: // the kernel driver could not be detached for lack of permission
        return NoAccess(context, code);
    case -3:  // the configuration could not be set: a driver holds the device
    case -5:  // the interface could not be claimed
    case -11: // the kernel driver could not be detached
        return "Upravljački program ftdi_sio ili drugi program drži FTDI adapter, a libftdi ga ne "
               "može preuzeti (" +
               LibraryText(context, code) +
               "). Zatvorite program koji koristi njegov serijski port (/dev/ttyUSB…) ili "
               "uklonite upravljački program (sudo rmmod ftdi_sio) i pokušajte ponovno.";
    default:
        return FtdiOpenFailed(LibraryText(context, code));
    }
}

// The adapters 0403:6001 on the bus, freed when done with.
class DeviceList {
public:
    explicit DeviceList(ftdi_context* context) {
        const int count = ftdi_usb_find_all(context, &list_, FtdiVendorId, FtdiProductId);
        if (count < 0) {
            // Out of memory halfway leaves the part of the list already made.
            ftdi_list_free(&list_);
            throw PortError("Popis USB uređaja nije moguće pročitati (" +
                            LibraryText(context, count) + ").");
        }
        for (const ftdi_device_list* entry = list_; entry; entry = entry->next)
            devices_.push_back(entry->dev);
    }
    ~DeviceList() { ftdi_list_free(&list_); }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    const std::vector<libusb_device*>& devices() const { return devices_; }

private:
    ftdi_device_list* list_ = nullptr;
    std::vector<libusb_device*> devices_;
};

// Reading a serial number opens the device, so this is where missing
// permissions show first.
std::string SerialOf(ftdi_context* context, libusb_device* device) {
    char text[128] = {};
    const int code =
        ftdi_usb_get_strings(context, device, nullptr, 0, nullptr, 0, text, sizeof text);
    if (code == -4)
        throw PortError("Serijski broj FTDI adaptera nije moguće pročitati. " +
                        NoAccess(context, code));
    return code == 0 ? std::string(text) : std::string();
}

} // namespace

FtdiPortWriter::FtdiPortWriter(std::string serial) : serial_(std::move(serial)) {}

FtdiPortWriter::~FtdiPortWriter() {
    // Bit-bang mode is left on deliberately: leaving it gives the lines back to the
    // UART, whose TXD idles high on D0 and would light segment c. The window's last
    // write set every line low, and the adapter keeps them so after it is closed.
    if (open_)
        ftdi_usb_close(context_);
    if (context_)
        ftdi_free(context_);
}

void FtdiPortWriter::Open() {
    if (!context_) {
        context_ = ftdi_new();
        if (!context_)
            throw PortError("USB podsustav (libusb) nije moguće pokrenuti, pa se FTDI adapter ne "
                            "može potražiti. Provjerite je li USB dostupan ovom sustavu.");
    }
    const DeviceList list(context_);
    const std::vector<libusb_device*>& devices = list.devices();
    libusb_device* device = devices[ChooseFtdiAdapter(
        devices.size(), [&](std::size_t index) { return SerialOf(context_, devices[index]); },
        serial_)];

    if (const int code = ftdi_usb_open_dev(context_, device); code < 0)
        throw PortError(OpenFailure(context_, code));
    if (const int code = ftdi_set_bitmode(context_, FtdiAllOutputs, BITMODE_BITBANG); code < 0) {
        const std::string reason = LibraryText(context_, code);
        ftdi_usb_close(context_);
        throw PortError(FtdiBitBangRefused(reason));
    }
    open_ = true;
}

// The port number plays no part: the adapter's lines are the only ones there are.
void FtdiPortWriter::PortOut(std::int16_t, std::uint8_t Data) {
    if (lost_)
        throw PortError(FtdiGone());
    if (!open_)
        Open();
    const unsigned char byte = Data;
    if (const int written = ftdi_write_data(context_, &byte, 1); written != 1) {
        // A USB device that has gone away does not come back under the same handle.
        lost_ = true;
        const std::string reason =
            written < 0 ? LibraryText(context_, written) : "adapter nije primio bajt";
        throw PortError(FtdiWriteFailed(reason));
    }
}

} // namespace lptseg
