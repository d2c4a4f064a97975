#include "ieee1284_port_writer.h"

#include "hardware_guide.h"
#include "hardware_port_writer.h"
#include "port_address.h"
#include "port_error.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ieee1284.h>
#include <map>
#include <string>
#include <unistd.h>

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

// libieee1284 tries the port's device and then direct I/O, and when nothing
// works says only that (E1284_INIT), with errno left by its last attempt. The
// device itself tells why it could not be opened.
int DeviceError(const std::string& device) {
    return access(device.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
}

// Why opening or claiming failed, and what the user can do about it.
std::string Advice(const parport* port, int code, int error) {
    const std::string device = HasDevice(port) ? "/dev/" + PortName(port) : "/dev/parportN";
    if (code == E1284_INIT && HasDevice(port))
        if (const int found = DeviceError(device))
            error = found;
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

// The kernel lists every parallel port it drives as /proc/sys/dev/parport/parportN;
// the folder is missing until the parport module loads and then holds only
// "default" while no port is found.
bool KernelHasParallelPorts() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/sys/dev/parport", error))
        if (entry.path().filename().string().starts_with("parport"))
            return true;
    return false;
}

std::string NoParallelPort() {
    return std::string("Ovo računalo nema paralelnog porta: jezgra ne poznaje nijedan "
                       "(/proc/sys/dev/parport je prazan ili ne postoji). ") +
           (HasFtdi ? "Zaslon se tada spaja na FTDI USB adapter (lptseg --ftdi). " : "") +
           "Upute o sklopovlju (" + HardwareGuide() + ") kažu više.";
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

    // A port given by device, name or base address, as --port takes it.
    parport* FindNamed(const std::string& wanted) const {
        const std::string name = wanted.starts_with("/dev/") ? wanted.substr(5) : wanted;
        const auto address = ParsePortAddress(wanted);
        for (int i = 0; i < found.portc; ++i) {
            parport* port = found.portv[i];
            if ((HasDevice(port) && PortName(port) == name) ||
                (address && port->base_addr == *address))
                return port;
        }
        return nullptr;
    }

    // Without a single port that the kernel drives, whatever went wrong, the
    // one thing to say is that there is no port; libieee1284 may still list
    // the classic addresses as guesses.
    [[noreturn]] void Fail(const std::string& message) const {
        for (int i = 0; i < found.portc; ++i)
            if (HasDevice(found.portv[i]))
                throw PortError(message);
        throw PortError(KernelHasParallelPorts() ? message : NoParallelPort());
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
            Fail("Na adresi " + FormatPort(address) + " nema paralelnog porta. " + Inventory());
        return Open(port);
    }

    parport* Open(parport* port) {
        if (auto it = open.find(port->base_addr); it != open.end())
            return it->second;
        int capabilities = 0;
        errno = 0;
        if (const int code = ieee1284_open(port, 0, &capabilities); code != E1284_OK) {
            const int error = errno;
            Fail("Paralelni port " + Describe(port) + " nije moguće otvoriti. " +
                 Advice(port, code, error));
        }
        errno = 0;
        if (const int code = ieee1284_claim(port); code != E1284_OK) {
            const int error = errno;
            ieee1284_close(port);
            Fail("Paralelni port " + Describe(port) + " nije moguće preuzeti. " +
                 Advice(port, code, error));
        }
        open.emplace(port->base_addr, port);
        return port;
    }
};

Ieee1284PortWriter::Ieee1284PortWriter() : ports_(std::make_unique<Ports>()) {}

Ieee1284PortWriter::Ieee1284PortWriter(const std::string& port)
    : ports_(std::make_unique<Ports>()) {
    ports_->List();
    fixed_ = ports_->FindNamed(port);
    if (!fixed_)
        ports_->Fail("Paralelni port „" + port + "“ nije pronađen. " + ports_->Inventory());
}

Ieee1284PortWriter::~Ieee1284PortWriter() = default;

void Ieee1284PortWriter::PortOut(std::int16_t Port, std::uint8_t Data) {
    ieee1284_write_data(fixed_ ? ports_->Open(fixed_) : ports_->Open(Port), Data);
}

} // namespace lptseg
