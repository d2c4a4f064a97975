#include "fake_ftdi.h"

#include <cstdio>
#include <cstring>
#include <ftdi.h>

namespace fakeftdi {

Script script;
std::vector<std::string> calls;

namespace {
int writes = 0;

// libusb_device is opaque: the fake hands out pointers to its own adapters.
libusb_device* DeviceOf(const Adapter& adapter) {
    return reinterpret_cast<libusb_device*>(const_cast<Adapter*>(&adapter));
}
const Adapter& AdapterOf(const libusb_device* device) {
    return *reinterpret_cast<const Adapter*>(device);
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

int Fail(ftdi_context* context, int code) {
    context->error_str = script.errorText.c_str();
    return code;
}
} // namespace

void Reset() {
    script = Script{};
    calls.clear();
    writes = 0;
}

} // namespace fakeftdi

using namespace fakeftdi;

extern "C" {

struct ftdi_context* ftdi_new(void) {
    calls.push_back("new");
    return script.newFails ? nullptr : new ftdi_context{};
}

void ftdi_free(struct ftdi_context* ftdi) {
    calls.push_back("free");
    delete ftdi;
}

int ftdi_usb_find_all(struct ftdi_context* ftdi, struct ftdi_device_list** devlist, int vendor,
                      int product) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", vendor, product);
    calls.push_back(std::string("find_all ") + ids);
    *devlist = nullptr;
    if (script.findResult < 0)
        return Fail(ftdi, script.findResult);
    for (auto it = script.adapters.rbegin(); it != script.adapters.rend(); ++it)
        *devlist = new ftdi_device_list{*devlist, DeviceOf(*it)};
    return static_cast<int>(script.adapters.size());
}

void ftdi_list_free(struct ftdi_device_list** devlist) {
    calls.push_back("list_free");
    while (*devlist) {
        ftdi_device_list* next = (*devlist)->next;
        delete *devlist;
        *devlist = next;
    }
}

int ftdi_usb_get_strings(struct ftdi_context* ftdi, struct libusb_device* dev, char*, int, char*,
                         int, char* serial, int serial_len) {
    const Adapter& adapter = AdapterOf(dev);
    calls.push_back("get_strings " + adapter.serial);
    if (adapter.stringsResult < 0)
        return Fail(ftdi, adapter.stringsResult);
    std::snprintf(serial, static_cast<std::size_t>(serial_len), "%s", adapter.serial.c_str());
    return 0;
}

int ftdi_usb_open_dev(struct ftdi_context* ftdi, struct libusb_device* dev) {
    calls.push_back("open_dev " + AdapterOf(dev).serial);
    return script.openResult < 0 ? Fail(ftdi, script.openResult) : 0;
}

int ftdi_set_bitmode(struct ftdi_context* ftdi, unsigned char bitmask, unsigned char mode) {
    calls.push_back("set_bitmode " + Hex(bitmask) + " " + Hex(mode));
    return script.bitmodeResult < 0 ? Fail(ftdi, script.bitmodeResult) : 0;
}

int ftdi_write_data(struct ftdi_context* ftdi, const unsigned char* buf, int size) {
    std::string call = "write";
    for (int i = 0; i < size; ++i)
        call += " " + Hex(buf[i]);
    calls.push_back(call);
    if (script.writesBeforeUnplug >= 0 && writes >= script.writesBeforeUnplug)
        return Fail(ftdi, script.unpluggedWriteResult);
    ++writes;
    return size;
}

int ftdi_usb_close(struct ftdi_context*) {
    calls.push_back("close");
    return 0;
}

const char* ftdi_get_error_string(struct ftdi_context* ftdi) {
    return ftdi->error_str;
}

} // extern "C"
