#include <gtest/gtest.h>

#include <string>

#include "support/CommandLine.h"

namespace {

std::string First(const char* arguments) {
    return FirstCommandLineItem(arguments).text;
}

TEST(CommandLineTest, FirstItemQuotedOrUpToTheFirstBlank) {
    EXPECT_EQ("C:\\My Pictures\\logo.bin", First("\"C:\\My Pictures\\logo.bin\" /x"));
    EXPECT_EQ("logo.bin", First("  logo.bin second.bin"));
    EXPECT_EQ("C:\\open ended", First("\"C:\\open ended"));
    EXPECT_EQ("", First(""));
    EXPECT_EQ("", First("   "));
    EXPECT_EQ("", First("\"\""));
    EXPECT_EQ("", First(nullptr));
    EXPECT_EQ("C:\\My Pictures\\logo.bin",
              std::string(WholeCommandLine(" C:\\My Pictures\\logo.bin \t").text));
}

} // namespace
