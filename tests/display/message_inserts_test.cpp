#include "message_inserts.h"

#include <gtest/gtest.h>
#include <string>

namespace lptseg {
namespace {

struct InsertCase {
    std::string text;
    std::string filled;
};

class InsertTest : public ::testing::TestWithParam<InsertCase> {};

TEST_P(InsertTest, NamesTheFileAndLeavesNoPlaceholder) {
    EXPECT_EQ(FillInserts(GetParam().text, "IO.dll"), GetParam().filled);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, InsertTest,
    ::testing::Values(InsertCase{"Bad EXE format for %1.", "Bad EXE format for IO.dll."},
                      InsertCase{"%1 is not a valid Win32 application.",
                                 "IO.dll is not a valid Win32 application."},
                      InsertCase{"%1 needs %2.", "IO.dll needs ."},
                      InsertCase{"%12 and %10", " and "},
                      InsertCase{"100% sure, %", "100% sure, %"}, InsertCase{"", ""}));

} // namespace
} // namespace lptseg
