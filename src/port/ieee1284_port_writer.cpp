#include "ieee1284_port_writer.h"

#include "port_address.h"
#include "port_error.h"

#include <cerrno>
#include <cstring>
#include <ieee1284.h>
#include <map>
#include <string>

namespace lptseg {
namespace {

std::string PortName(const parport* port) {
    return port->name ? port->name : "";
}

// Ports that the kernel's ppdev driver serves are named parport0, parport1, ...
// and reached through /dev/parportN. Any other port libieee1284 lists is one it
// guessed at a legacy address and can reach only by direct I/O.
bool HasDevice(const parport* port) {
    return PortName(port).rfind("parport", 0) == 0;
}

std::string Describe(const parport* port) {
    const std::string address = FormatPort(static_cast<std::int16_t>(port->base_addr));
    return HasDevice(port) ? PortName(port) + " (" + address + ")" : address;
}

std::string CodeText(int code) {
    switch (code) {
    case E1284_NOTIMPL:
        return "libieee1284 to ne podržava";
    case E1284_NOTAVAIL:
        return "pristup portu nije dostupan na ovom sustavu";
    case E1284_NOMEM:
        return "nema dovoljno memorije";
    case E1284_INIT:
        return "port se ne može pripremiti za rad";
    case E1284_SYS:
        return "sustav je odbio pristup";
    case E1284_INVALIDPORT:
        return "port nije ispravan";
    default:
        return "pogreška libieee1284 " + std::to_string(code);
    }
}

std::string Reason(int code, int error) {
    std::string text = CodeText(code);
    if (error != 0)
        text += ", " + std::string(std::strerror(error));
    return text;
}

const std::string LoadPpdev = "modul jezgre ppdev mora biti učitan (sudo modprobe ppdev)";

std::string JoinGroup(const std::string& device) {
    return "korisnik mora biti član grupe kojoj " + device +
           " pripada, obično lp (sudo usermod -aG lp $USER, pa se ponovno prijaviti)";
}

// Why opening or claiming failed, and what the user can do about it.
std::string Advice(const parport* port, int code, int error) {
    if (!HasDevice(port))
        return "Izravan pristup portu nije dopušten (" + Reason(code, error) +
               "). Port treba koristiti kroz /dev/parportN: " + LoadPpdev + ", a " +
               JoinGroup("/dev/parportN") + ".";
    const std::string device = "/dev/" + PortName(port);
    if (error == EACCES || error == EPERM)
        return "Nema dozvole za " + device + ": " + JoinGroup(device) + ", a " + LoadPpdev + ".";
    if (error == ENOENT || error == ENODEV || error == ENXIO)
        return "Uređaj " + device + " ne postoji: " + LoadPpdev + ".";
    if (error == EBUSY)
        return "Port " + device +
               " upravo koristi drugi program; zatvorite ga i pokušajte ponovno.";
    return "Razlog: " + Reason(code, error) + ". Provjerite: " + LoadPpdev + ", a " +
           JoinGroup(device) + ".";
}

} // namespace

struct Ieee1284PortWriter::Ports {
    parport_list found{};
    bool listed = false;
    std::map<unsigned long, parport*> open; // by base address

    ~Ports() {
        for (auto& [base, port] : open) {
            ieee1284_release(port);
            ieee1284_close(port);
        }
        if (listed)
            ieee1284_free_ports(&found);
    }

    void List() {
        if (listed)
            return;
        errno = 0;
        const int code = ieee1284_find_ports(&found, 0);
        if (code != E1284_OK) {
            const int error = errno;
            throw PortError(
                "Popis paralelnih portova nije moguće pročitati: " + Reason(code, error) + ".");
        }
        listed = true;
    }

    parport* Find(unsigned long base) const {
        for (int i = 0; i < found.portc; ++i)
            if (found.portv[i]->base_addr == base)
                return found.portv[i];
        return nullptr;
    }

    std::string Inventory() const {
        if (found.portc == 0)
            return "Nije pronađen nijedan paralelni port.";
        std::string text = "Pronađeni portovi:";
        for (int i = 0; i < found.portc; ++i)
            text += (i == 0 ? " " : ", ") + Describe(found.portv[i]);
        return text + ".";
    }

    parport* Open(std::int16_t address) {
        const auto base = static_cast<unsigned long>(static_cast<std::uint16_t>(address));
        if (auto it = open.find(base); it != open.end())
            return it->second;

        List();
        parport* port = Find(base);
        if (!port)
            throw PortError("Na adresi " + FormatPort(address) + " nema paralelnog porta. " +
                            Inventory());

        int capabilities = 0;
        errno = 0;
        if (const int code = ieee1284_open(port, 0, &capabilities); code != E1284_OK) {
            const int error = errno;
            throw PortError("Paralelni port " + Describe(port) + " nije moguće otvoriti. " +
                            Advice(port, code, error));
        }
        errno = 0;
        if (const int code = ieee1284_claim(port); code != E1284_OK) {
            const int error = errno;
            ieee1284_close(port);
            throw PortError("Paralelni port " + Describe(port) + " nije moguće preuzeti. " +
                            Advice(port, code, error));
        }
        open.emplace(base, port);
        return port;
    }
};

Ieee1284PortWriter::Ieee1284PortWriter() : ports_(std::make_unique<Ports>()) {}

Ieee1284PortWriter::~Ieee1284PortWriter() = default;

void Ieee1284PortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    ieee1284_write_data(ports_->Open(Port), Data);
}

} // namespace lptseg
