#include "fake_ftdi.h"
#include "ftdi_port_writer.h"
#include "port_error.h"

#include <algorithm>
#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace lptseg {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string UdevRule = "SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"0403\", "
                             "ATTRS{idProduct}==\"6001\", GROUP=\"plugdev\", MODE=\"0660\"";

long Count(const std::string& prefix) {
    return std::count_if(fakeftdi::calls.begin(), fakeftdi::calls.end(),
                         [&](const std::string& call) { return call.starts_with(prefix); });
}

class FtdiWriterTest : public ::testing::Test {
protected:
    void SetUp() override { fakeftdi::Reset(); }
};

TEST_F(FtdiWriterTest, OpensOnTheFirstWriteSetsBitBangAndWritesEachByteAlone) {
    { FtdiPortWriter unused(""); }
    EXPECT_TRUE(fakeftdi::calls.empty()); // nothing is opened before the first write
    {
        FtdiPortWriter writer("");
        // Whatever the address, every byte goes to the adapter.
        writer.PortOut(0x378, 0x00);
        writer.PortOut(0x278, 0x51);
        writer.PortOut(0, 0xF7);
    }
    // Closed at the end without leaving bit-bang mode, which would light segment c.
    EXPECT_THAT(fakeftdi::calls, ElementsAre("new", "find_all 0403:6001", "open_dev A1",
                                             "set_bitmode 0xFF 0x01", "list_free", "write 0x00",
                                             "write 0x51", "write 0xF7", "close", "free"));
}

TEST_F(FtdiWriterTest, OpensTheAdapterWithTheSerialAskedFor) {
    for (const char* serial : {"B2", "C3"}) {
        fakeftdi::Reset();
        fakeftdi::script.adapters = {{"A1"}, {"B2"}, {"C3"}};
        FtdiPortWriter(serial).PortOut(0x378, 0x11);
        EXPECT_EQ(Count("open_dev"), 1);
        EXPECT_EQ(Count(std::string("open_dev ") + serial), 1);
    }
}

using Adapters = std::vector<fakeftdi::Adapter>;

struct OpenFailure {
    const char* name;
    std::string serial;
    fakeftdi::Script script;
    std::vector<std::string> says;
};
void PrintTo(const OpenFailure& failure, std::ostream* out) {
    *out << failure.name;
}

class FtdiWriterFailure : public FtdiWriterTest,
                          public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(FtdiWriterFailure, SaysWhyAndWhatToDoAndWritesNothing) {
    const OpenFailure& failure = GetParam();
    fakeftdi::script = failure.script;
    std::string message;
    {
        FtdiPortWriter writer(failure.serial);
        try {
            writer.PortOut(0x378, 0x00);
            ADD_FAILURE() << "the write went through";
        } catch (const PortError& error) {
            message = error.what();
        }
    }
    for (const std::string& words : failure.says)
        EXPECT_THAT(message, HasSubstr(words));
    EXPECT_EQ(Count("write"), 0);
    // Whatever was made is freed: the adapter closed if it was opened, the list
    // once if it was asked for, the context last.
    EXPECT_EQ(Count("close"), failure.script.bitmodeResult < 0 ? 1 : 0);
    EXPECT_EQ(Count("list_free"), Count("find_all"));
    EXPECT_EQ(fakeftdi::calls.back(), failure.script.newFails ? "new" : "free");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Open, FtdiWriterFailure, ::testing::Values(
    OpenFailure{"NoLibusb", "", {.newFails = true}, {"libusb", "USB"}},
    OpenFailure{"NoBusList", "", {.findResult = -5}, {"Popis USB uređaja", "fake libftdi error"}},
    OpenFailure{"NoAdapter", "", {.adapters = {}}, {"Nije pronađen nijedan FTDI adapter", "FT232R", "FT245R", "0403:6001"}},
    OpenFailure{"SerialAbsentListsThosePresent", "Z9", {.adapters = Adapters{{"A1"}, {"B2", -9}, {"C3"}}},
                {"\"Z9\" nije priključen", "A1, (serijski broj nije čitljiv), C3"}},
    OpenFailure{"SerialUnreadableWithoutPermission", "A1", {.adapters = Adapters{{"A1", -4}}}, {"Nema dozvole", UdevRule, "plugdev"}},
    OpenFailure{"OpenDenied", "", {.openResult = -4}, {"Nema dozvole", UdevRule, "udevadm"}},
    OpenFailure{"DetachDenied", "", {.openResult = -8}, {"Nema dozvole", UdevRule}},
    OpenFailure{"DriverHoldsConfiguration", "", {.openResult = -3}, {"ftdi_sio", "rmmod"}},
    OpenFailure{"DriverHoldsInterface", "", {.openResult = -5}, {"ftdi_sio", "rmmod"}},
    OpenFailure{"ResetFailed", "", {.openResult = -6}, {"nije moguće otvoriti", "fake libftdi error, libftdi -6"}},
    OpenFailure{"NoBitBang", "", {.bitmodeResult = -1}, {"bit-bang", "FT232R ili FT245R"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class FtdiWriterUnplug : public FtdiWriterTest, public ::testing::WithParamInterface<int> {};

TEST_P(FtdiWriterUnplug, AFailedWriteEndsTheWritingWithoutRetry) {
    fakeftdi::script.writesBeforeUnplug = 2;
    fakeftdi::script.unpluggedWriteResult = GetParam();
    {
        FtdiPortWriter writer("");
        writer.PortOut(0x378, 0x11);
        writer.PortOut(0x378, 0x5E);
        const auto failure = [&writer](std::uint8_t byte) -> std::string {
            try {
                writer.PortOut(0x378, byte);
            } catch (const PortError& error) {
                return error.what();
            }
            ADD_FAILURE() << "a write after the unplug went through";
            return {};
        };
        EXPECT_THAT(failure(0x5B),
                    ::testing::AllOf(HasSubstr("nije moguće pisati"), HasSubstr("iskopčan")));
        EXPECT_THAT(failure(0x00), HasSubstr("iskopčan"));
    }
    // Three attempts in all, the adapter opened once and never switched out of bit-bang.
    EXPECT_THAT(std::vector(fakeftdi::calls.end() - 5, fakeftdi::calls.end()),
                ElementsAre("write 0x11", "write 0x5E", "write 0x5B", "close", "free"));
    EXPECT_EQ(Count("open_dev"), 1);
    EXPECT_EQ(Count("set_bitmode"), 1);
}

// A failed bulk write, libftdi's "USB device unavailable", and nothing written.
INSTANTIATE_TEST_SUITE_P(WriteResults, FtdiWriterUnplug, ::testing::Values(-1, -666, 0),
                         [](const auto& info) {
                             return (info.param < 0 ? "ResultMinus" : "Result") +
                                    std::to_string(std::abs(info.param));
                         });

} // namespace
} // namespace lptseg
