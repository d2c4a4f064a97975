#include "fake_ieee1284.h"

#include <cerrno>
#include <cstdio>
#include <ieee1284.h>
#include <memory>

namespace fake1284 {

Script script;
std::vector<std::string> calls;

namespace {
std::vector<std::unique_ptr<parport>> storage;

std::string NameOf(const parport* port) {
    return port->name;
}
} // namespace

void Reset() {
    script = Script{};
    script.ports = {{"parport0", 0x378}};
    calls.clear();
}

} // namespace fake1284

using namespace fake1284;

extern "C" {

int ieee1284_find_ports(struct parport_list* list, int) {
    calls.push_back("find_ports");
    if (script.findResult != E1284_OK) {
        errno = script.findErrno;
        return script.findResult;
    }
    storage.clear();
    list->portc = static_cast<int>(script.ports.size());
    list->portv = new parport*[script.ports.size() + 1];
    for (std::size_t i = 0; i < script.ports.size(); ++i) {
        auto port = std::make_unique<parport>();
        port->name = script.ports[i].name.c_str();
        port->base_addr = script.ports[i].base;
        list->portv[i] = port.get();
        storage.push_back(std::move(port));
    }
    return E1284_OK;
}

void ieee1284_free_ports(struct parport_list* list) {
    calls.push_back("free_ports");
    delete[] list->portv;
    list->portv = nullptr;
    list->portc = 0;
}

int ieee1284_open(struct parport* port, int, int* capabilities) {
    calls.push_back("open " + NameOf(port));
    *capabilities = CAP1284_RAW;
    errno = script.openErrno;
    return script.openResult;
}

int ieee1284_close(struct parport* port) {
    calls.push_back("close " + NameOf(port));
    return E1284_OK;
}

int ieee1284_claim(struct parport* port) {
    calls.push_back("claim " + NameOf(port));
    errno = script.claimErrno;
    return script.claimResult;
}

void ieee1284_release(struct parport* port) {
    calls.push_back("release " + NameOf(port));
}

void ieee1284_write_data(struct parport* port, unsigned char data) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", data);
    calls.push_back("write_data " + NameOf(port) + " " + byte);
}

} // extern "C"
