#include "message_inserts.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace lptseg {
namespace {

struct InsertCase {
    const char* name;
    std::string text;
    std::string filled;
};
void PrintTo(const InsertCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class InsertTest : public ::testing::TestWithParam<InsertCase> {};

TEST_P(InsertTest, NamesTheFileAndLeavesNoPlaceholder) {
    EXPECT_EQ(FillInserts(GetParam().text, "IO.dll"), GetParam().filled);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, InsertTest,
    ::testing::Values(InsertCase{"AtTheEnd", "Bad EXE format for %1.",
                                 "Bad EXE format for IO.dll."},
                      InsertCase{"AtTheStart", "%1 is not a valid Win32 application.",
                                 "IO.dll is not a valid Win32 application."},
                      InsertCase{"SecondIsEmpty", "%1 needs %2.", "IO.dll needs ."},
                      InsertCase{"TwoDigitNumbers", "%12 and %10", " and "},
                      InsertCase{"LonePercentSigns", "100% sure, %", "100% sure, %"},
                      InsertCase{"EmptyText", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lptseg
