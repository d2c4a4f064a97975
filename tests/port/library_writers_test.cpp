// The writers that reach the port through a library, linked against scripted
// stand-ins for libieee1284 and libftdi1: the same C functions, each call
// recorded as a line of text and answered as the case scripts.
#include "port_address.h"
#include "port_error.h"

#include <cerrno>
#include <cstring>
#include <gmock/gmock.h>
#include <map>

using namespace ::testing;
using namespace lptseg;

struct Answer {
    int result;
    int error = 0; // errno after the call; 0 leaves it as it was
};
inline std::vector<std::string> calls;
inline std::map<std::string, Answer> answers; // by the recorded call; any other succeeds

inline int Call(const std::string& call, int success = 0) {
    calls.push_back(call);
    const auto scripted = answers.find(call);
    const Answer answer = scripted == answers.end() ? Answer{success} : scripted->second;
    if (answer.error != 0)
        errno = answer.error;
    return answer.result;
}

// With the answers scripted, no calls recorded and errno left over from elsewhere, makes
// a Writer of args and writes each byte to 0x378 in turn; the writer ends with the call.
// What each write said: "" if it went through, else the message of its PortError.
template <typename Writer, typename... Args>
std::vector<std::string> Write(std::map<std::string, Answer> scripted,
                               const std::vector<int>& bytes, const Args&... args) {
    answers = std::move(scripted);
    calls.clear();
    errno = EBUSY;
    Writer writer(args...);
    std::vector<std::string> said;
    for (const int byte : bytes) {
        try {
            writer.PortOut(0x378, static_cast<std::uint8_t>(byte));
            said.emplace_back();
        } catch (const PortError& error) {
            said.emplace_back(error.what());
        }
    }
    return said;
}

// A case where the writer fails: the calls that fail, and what the message says.
struct Failure {
    const char* name;
    std::map<std::string, Answer> answers;
    std::vector<std::string> says;
    std::string serial = ""; // the FTDI adapter asked for
};
const auto CaseName = [](const auto& info) { return std::string(info.param.name); };

#ifndef _WIN32
// libieee1284 that knows one port, parport0 at 0x378, for what a real kernel in
// a guest (tests/kernel) cannot be made to do: a failed search, a failure other
// than a missing device or permission, a claim refused or busy.
#include "ieee1284_port_writer.h"

#include <ieee1284.h>

extern "C" {
int ieee1284_find_ports(parport_list* list, int) {
    static parport port0{"parport0", 0x378, 0, nullptr, nullptr}, *found[] = {&port0};
    const int result = Call("find_ports");
    if (result == E1284_OK) // a failed search leaves the list as it was
        *list = {1, found};
    return result;
}
void ieee1284_free_ports(parport_list*) {}
int ieee1284_open(parport* port, int, int*) {
    return Call("open " + std::string(port->name));
}
int ieee1284_close(parport* port) {
    return Call("close " + std::string(port->name));
}
int ieee1284_claim(parport* port) {
    return Call("claim " + std::string(port->name));
}
void ieee1284_release(parport*) {}
void ieee1284_write_data(parport* port, unsigned char data) {
    Call("write_data " + std::string(port->name) + " " + FormatByte(data));
}
} // extern "C"

class Ieee1284WriterFails : public TestWithParam<Failure> {};

// The write says why and what to do, and writes nothing.
TEST_P(Ieee1284WriterFails, SaysWhyAndWritesNothing) {
    const std::string said = Write<Ieee1284PortWriter>(GetParam().answers, {0x51})[0];
    for (const std::string& words : GetParam().says)
        EXPECT_THAT(said, HasSubstr(words));
    EXPECT_THAT(calls, Each(Not(StartsWith("write_data"))));
}

// A call that succeeds may leave errno set (EACCES below, EBUSY from before the
// case); what a failure says must come from the call that failed.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Port, Ieee1284WriterFails, ::testing::Values(
    Failure{"SearchFailed", {{"find_ports", {E1284_NOMEM}}}, {"Popis paralelnih portova nije moguće pročitati: nema dovoljno memorije."}},
    Failure{"OpenTimedOut", {{"find_ports", {E1284_OK, EACCES}}, {"open parport0", {E1284_TIMEDOUT}}}, {"Paralelni port parport0 (0x378) nije moguće otvoriti. Razlog: pogreška libieee1284 -3. Provjerite", "ppdev"}},
    Failure{"OpenOutOfMemory", {{"open parport0", {E1284_NOMEM, ENOMEM}}}, {"Razlog: nema dovoljno memorije, " + std::string(std::strerror(ENOMEM)) + ". Provjerite"}},
    Failure{"ClaimDenied", {{"claim parport0", {E1284_SYS, EPERM}}}, {"parport0 (0x378) nije moguće preuzeti", "Nema dozvole za /dev/parport0", "grupe", "ppdev"}},
    Failure{"ClaimBusy", {{"claim parport0", {E1284_SYS, EBUSY}}}, {"/dev/parport0 upravo koristi drugi program", "pokušajte ponovno"}},
    Failure{"ClaimRefused", {{"open parport0", {E1284_OK, EACCES}}, {"claim parport0", {E1284_NOTAVAIL}}}, {"parport0 (0x378) nije moguće preuzeti. Razlog: pristup portu nije dostupan na ovom sustavu."}}), CaseName);
// clang-format on
#endif

#ifdef LPTSEG_HAVE_FTDI
// libftdi1 with one adapter, A1, for what the FT232R adapters of the kernel test
// cannot do: run out of memory, fail without saying why, have a kernel driver
// hold the adapter, take no byte, hide a serial number.
#include "ftdi_port_writer.h"

#include <cstdio>
#include <ftdi.h>

extern "C" {
ftdi_context* ftdi_new() {
    return Call("new") == 0 ? new ftdi_context{} : nullptr;
}
void ftdi_free(ftdi_context* ftdi) {
    Call("free");
    delete ftdi;
}
int ftdi_usb_find_all(ftdi_context*, ftdi_device_list** list, int, int) {
    const int found = Call("find_all", 1);
    *list = found == 1 ? new ftdi_device_list{nullptr, nullptr} : nullptr;
    return found;
}
void ftdi_list_free(ftdi_device_list** list) {
    Call("list_free");
    delete *list;
    *list = nullptr;
}
int ftdi_usb_get_strings(ftdi_context*, libusb_device*, char*, int, char*, int, char* serial,
                         int size) {
    std::snprintf(serial, static_cast<std::size_t>(size), "A1");
    return Call("get_strings");
}
int ftdi_usb_open_dev(ftdi_context*, libusb_device*) {
    return Call("open_dev");
}
int ftdi_set_bitmode(ftdi_context*, unsigned char, unsigned char) {
    return Call("set_bitmode");
}
int ftdi_write_data(ftdi_context*, const unsigned char* data, int size) {
    return Call("write " + FormatByte(*data), size);
}
int ftdi_usb_close(ftdi_context*) {
    return Call("close");
}
const char* ftdi_get_error_string(ftdi_context*) {
    return Call("error_string") == 0 ? "fake libftdi error" : nullptr;
}
} // extern "C"

class FtdiWriterFails : public TestWithParam<Failure> {};

// The write fails and says why.
TEST_P(FtdiWriterFails, SaysWhy) {
    const auto said = Write<FtdiPortWriter>(GetParam().answers, {0x11}, GetParam().serial);
    for (const std::string& words : GetParam().says)
        EXPECT_THAT(said[0], HasSubstr(words));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Adapter, FtdiWriterFails, ::testing::Values(
    Failure{"NoLibusb", {{"new", {1}}}, {"USB podsustav (libusb) nije moguće pokrenuti"}},
    Failure{"NoBusListNoWords", {{"find_all", {-5}}, {"error_string", {1}}}, {"Popis USB uređaja nije moguće pročitati (nepoznata pogreška, libftdi -5)."}},
    Failure{"SerialUnreadable", {{"get_strings", {-9}}}, {"\"Z9\" nije priključen. Priključeni adapteri: (serijski broj nije čitljiv)."}, "Z9"},
    Failure{"DriverHoldsInterface", {{"open_dev", {-5}}}, {"ftdi_sio", "rmmod"}},
    Failure{"NothingWritten", {{"write 0x11", {0}}}, {"nije moguće pisati (adapter nije primio bajt)", "iskopčan"}}), CaseName);
// clang-format on
#endif
