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

// The writer against a scripted libieee1284, for what a real kernel in a
// guest cannot be made to do: a failed search, a failure other than a missing
// device or permission, a claim refused or busy, and the exact order of the
// library calls. Everything else is proven on a real kernel (tests/kernel).
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
        OpenFailure{"OpenOther", false, E1284_NOMEM, 0, {"memorije", "ppdev"}},
        OpenFailure{"ClaimDenied", true, E1284_SYS, EPERM, {"nije moguće preuzeti", "lp", "ppdev"}},
        OpenFailure{"ClaimBusy", true, E1284_SYS, EBUSY, {"drugi program", "pokušajte ponovno"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lptseg
