#include <gtest/gtest.h>

#include <string>

#include "support/CommandLine.h"

TEST(CommandLineTest, FirstItemQuotedOrUpToTheFirstBlank) {
    auto first = [](const char* arguments) {
        return std::string(FirstCommandLineItem(arguments).text);
    };
    EXPECT_EQ("C:\\My Pictures\\a.bin", first("\"C:\\My Pictures\\a.bin\" /x"));
    EXPECT_EQ("a.bin", first("  a.bin b.bin"));
    EXPECT_EQ("C:\\open ended", first("\"C:\\open ended"));
    EXPECT_EQ("", first("  \"\" "));
    EXPECT_EQ("C:\\My Pictures\\a.bin",
              std::string(WholeCommandLine(" C:\\My Pictures\\a.bin \t").text));
}
