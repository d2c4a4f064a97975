#include "fake_ieee1284.h"
#include "ieee1284_port_writer.h"
#include "port_error.h"

#include <algorithm>
#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ieee1284.h>
#include <optional>
#include <ostream>
#include <string>

namespace lptseg {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class Ieee1284WriterTest : public ::testing::Test {
protected:
    void SetUp() override { fake1284::Reset(); }

    // The message of the PortError the write raised.
    std::string FailureOf(std::int16_t port) {
        Ieee1284PortWriter writer;
        try {
            writer.PortOut(port, 0x51);
        } catch (const PortError& error) {
            return error.what();
        }
        ADD_FAILURE() << "the write to " << port << " went through";
        return {};
    }
    bool Wrote() const {
        for (const auto& call : fake1284::calls)
            if (call.starts_with("write_data"))
                return true;
        return false;
    }
};

TEST_F(Ieee1284WriterTest, OpensAndClaimsOnceThenWritesAndReleasesAtTheEnd) {
    {
        Ieee1284PortWriter writer;
        writer.PortOut(0x378, 0x00);
        writer.PortOut(0x378, 0x51);
    }
    EXPECT_THAT(fake1284::calls, ElementsAre("find_ports", "open parport0", "claim parport0",
                                             "write_data parport0 0x00", "write_data parport0 0x51",
                                             "release parport0", "close parport0", "free_ports"));
}

TEST_F(Ieee1284WriterTest, EachAddressGetsItsOwnPort) {
    fake1284::script.ports = {{"parport0", 0x378}, {"parport1", 0x278}};
    {
        Ieee1284PortWriter writer;
        writer.PortOut(0x278, 0xFF);
        writer.PortOut(0x378, 0x11);
        writer.PortOut(0x278, 0x00);
    }
    const auto& calls = fake1284::calls;
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_THAT(std::vector(calls.begin(), calls.begin() + 8),
                ElementsAre("find_ports", "open parport1", "claim parport1",
                            "write_data parport1 0xFF", "open parport0", "claim parport0",
                            "write_data parport0 0x11", "write_data parport1 0x00"));
    // At the end both are let go, each released before it is closed, then the list freed.
    EXPECT_THAT(std::vector(calls.begin() + 8, calls.end() - 1),
                ::testing::UnorderedElementsAre("release parport0", "close parport0",
                                                "release parport1", "close parport1"));
    for (const char* name : {"parport0", "parport1"})
        EXPECT_LT(std::find(calls.begin(), calls.end(), std::string("release ") + name),
                  std::find(calls.begin(), calls.end(), std::string("close ") + name));
    EXPECT_EQ(calls.back(), "free_ports");
}

TEST_F(Ieee1284WriterTest, NoPortAtTheAddressListsThePortsFound) {
    fake1284::script.ports = {{"parport0", 0x378}, {"parport1", 0xE800}};
    const std::string message = FailureOf(0x3BC);
    EXPECT_THAT(message, HasSubstr("0x3BC"));
    EXPECT_THAT(message, HasSubstr("parport0 (0x378)"));
    EXPECT_THAT(message, HasSubstr("parport1 (0xE800)"));
    EXPECT_FALSE(Wrote());
}

TEST_F(Ieee1284WriterTest, PortWithoutPpdevPointsToPpdev) {
    // Without ppdev, libieee1284 lists the legacy addresses under their own
    // numbers, reachable only by direct I/O.
    fake1284::script.ports = {{"0x378", 0x378}};
    fake1284::script.openResult = E1284_INIT;
    const std::string message = FailureOf(0x378);
    EXPECT_THAT(message, HasSubstr("Paralelni port 0x378 nije moguće otvoriti"));
    EXPECT_THAT(message, HasSubstr("modprobe ppdev"));
    EXPECT_THAT(message, HasSubstr("obično lp"));
    EXPECT_THAT(message, HasSubstr("Izravan pristup portu nije dopušten"));
    EXPECT_THAT(message, ::testing::Not(HasSubstr("/dev/0x378")));
    EXPECT_FALSE(Wrote());
}

TEST_F(Ieee1284WriterTest, NoPortsAtAllSaysSo) {
    fake1284::script.ports.clear();
    EXPECT_THAT(FailureOf(0x378), HasSubstr("Nije pronađen nijedan paralelni port"));
}

TEST_F(Ieee1284WriterTest, FailedSearchIsReported) {
    fake1284::script.findResult = E1284_SYS;
    fake1284::script.findErrno = EIO;
    EXPECT_THAT(FailureOf(0x378), HasSubstr("Popis paralelnih portova"));
    EXPECT_THAT(fake1284::calls, ElementsAre("find_ports"));
}

struct OpenFailure {
    const char* name;
    bool atClaim;
    int result;
    int error;
    std::vector<const char*> advice;
};
void PrintTo(const OpenFailure& failure, std::ostream* out) {
    *out << failure.name;
}

class Ieee1284WriterFailure : public Ieee1284WriterTest,
                              public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(Ieee1284WriterFailure, SaysWhyAndWhatToDo) {
    const OpenFailure& failure = GetParam();
    if (failure.atClaim) {
        fake1284::script.claimResult = failure.result;
        fake1284::script.claimErrno = failure.error;
    } else {
        fake1284::script.openResult = failure.result;
        fake1284::script.openErrno = failure.error;
    }
    const std::string message = FailureOf(0x378);
    EXPECT_THAT(message, HasSubstr("parport0 (0x378)"));
    for (const char* words : failure.advice)
        EXPECT_THAT(message, HasSubstr(words));
    EXPECT_FALSE(Wrote());
    // A port that opened but could not be claimed is closed again, once.
    const auto closes =
        std::count(fake1284::calls.begin(), fake1284::calls.end(), "close parport0");
    EXPECT_EQ(closes, failure.atClaim ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    OpenAndClaim, Ieee1284WriterFailure,
    ::testing::Values(
        OpenFailure{"OpenDenied",
                    false,
                    E1284_INIT,
                    EACCES,
                    {"nije moguće otvoriti", "/dev/parport0", "član grupe", "lp", "učitan"}},
        OpenFailure{"NoDevice",
                    false,
                    E1284_INIT,
                    ENOENT,
                    {"Uređaj /dev/parport0 ne postoji", "modprobe ppdev"}},
        OpenFailure{"OpenOther", false, E1284_NOMEM, 0, {"memorije", "ppdev"}},
        OpenFailure{"ClaimDenied", true, E1284_SYS, EPERM, {"nije moguće preuzeti", "lp", "ppdev"}},
        OpenFailure{"ClaimBusy", true, E1284_SYS, EBUSY, {"drugi program", "pokušajte ponovno"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lptseg
