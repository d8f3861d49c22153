// The same expectations hold for the program's formatter in every build: the
// Windows formatter under Windows, the portable one elsewhere. FormatBounded,
// the portable one, is checked directly as well.
#include <gtest/gtest.h>

#include <string>

#include "support/TextFormatter.h"
#include "support/TextString.h"

namespace {

std::string Bounded(int size, const char* format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, format);
    FormatBounded(buffer, size, format, args);
    va_end(args);
    return buffer;
}

std::string Formatted(const char* format, ...) {
    TextString s;
    va_list args;
    va_start(args, format);
    s.FormatV(format, args);
    va_end(args);
    return s.text;
}

#define EXPECT_FORMAT(expected, ...)                  \
    do {                                              \
        EXPECT_EQ(expected, Bounded(1024, __VA_ARGS__)); \
        EXPECT_EQ(expected, Formatted(__VA_ARGS__));  \
    } while (0)

TEST(Formatter, ConversionsTheProgramUses) {
    EXPECT_FORMAT("09:05:03 x", "%0.2d:%0.2d:%0.2d %s", 9, 5, 3, "x");
    EXPECT_FORMAT("12:34:56", "%0.2d:%0.2d:%0.2d", 12, 34, 56);
    EXPECT_FORMAT("2024", "%0.4d", 2024);
    EXPECT_FORMAT("0007", "%0.4d", 7);
    EXPECT_FORMAT("0A", "%0.2X", 10);
    EXPECT_FORMAT("FF", "%0.2X", 255);
    EXPECT_FORMAT("100", "%0.2X", 256);  // precision is a minimum, never a cut
    EXPECT_FORMAT("0033", "%0.4X", 0x33);
    EXPECT_FORMAT("C0000005", "%0.8X", 0xC0000005u);
    EXPECT_FORMAT("0000BEEF", "%0.8X", 0xBEEF);
    EXPECT_FORMAT("-1", "%d", -1);
    EXPECT_FORMAT("-2147483648", "%d", static_cast<int>(0x80000000u));
}

TEST(Formatter, WidthFlagsAndOtherConversions) {
    EXPECT_FORMAT("   42", "%5d", 42);
    EXPECT_FORMAT("42   |", "%-5d|", 42);
    EXPECT_FORMAT("00042", "%05d", 42);
    EXPECT_FORMAT("-0042", "%05d", -42);  // the sign counts in the width
    EXPECT_FORMAT("  -05", "%5.3d", -5);
    EXPECT_FORMAT("-07", "%0.3d", -7);
    EXPECT_FORMAT("    0xff", "%#6x", 255);  // the prefix stands outside the width
    EXPECT_FORMAT("0x00ff", "%#.4x", 255);
    EXPECT_FORMAT("   007", "%6.3d", 7);
    EXPECT_FORMAT("4294967295", "%u", 0xFFFFFFFFu);
    EXPECT_FORMAT("ff", "%x", 255);
    EXPECT_FORMAT("0xff", "%#x", 255);
    EXPECT_FORMAT("0XFF", "%#X", 255);
    EXPECT_FORMAT("12", "%ld", 12);
    EXPECT_FORMAT("A", "%c", 'A');
    EXPECT_FORMAT("100%", "%d%%", 100);
    EXPECT_FORMAT("abc", "%.3s", "abcdef");
    EXPECT_FORMAT("  abc", "%5s", "abc");
    EXPECT_FORMAT("abc  |", "%-5s|", "abc");
    EXPECT_FORMAT("(null)", "%s", static_cast<const char*>(nullptr));
}

TEST(Formatter, OutputStopsAtTheBufferSize) {
    EXPECT_EQ("abc", Bounded(4, "abcdef"));
    EXPECT_EQ("12", Bounded(3, "%d", 12345));
    EXPECT_EQ("ab", Bounded(3, "%s", "abcdef"));
    EXPECT_EQ(" 1", Bounded(3, "%10d", 1));  // the width is clipped to the room left
    EXPECT_EQ("", Bounded(1, "abc"));
    std::string wide = Bounded(1024, "%2000d", 5);
    EXPECT_EQ(wide.size(), 1023u);
}

TEST(Formatter, MalformedConversionsStayInsideTheBuffer) {
    EXPECT_EQ("ab", Bounded(1024, "ab%"));
    EXPECT_EQ("ab", Bounded(1024, "ab%0.2"));
    EXPECT_EQ("1q2", Bounded(1024, "1%q2"));  // an unknown conversion prints its character
    EXPECT_EQ("[+d]", Bounded(1024, "[%+d]", 5));
}

} // namespace
