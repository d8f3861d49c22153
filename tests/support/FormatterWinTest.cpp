// The portable formatter against the Windows one, over every combination of
// flags, width and precision the formatter knows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "support/TextFormatter.h"

namespace {

std::string Portable(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    FormatBounded(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string Windows(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    wvsprintfA(buffer, format, args);
    va_end(args);
    return buffer;
}

TEST(FormatterOnWindows, IntegersMatch) {
    const char* flags[] = {"", "-", "#", "0", "-#", "#0", "-0"};
    const char* widths[] = {"", "1", "3", "6", "12"};
    const char* precisions[] = {"", ".", ".0", ".1", ".2", ".4", ".8", ".11"};
    const char* conversions[] = {"d", "i", "u", "x", "X", "ld", "lX"};
    const int values[] = {0, 7, -7, 42, 255, 0x7FFFFFFF, static_cast<int>(0x80000000u), -1};
    int mismatches = 0;
    for (const char* flag : flags)
        for (const char* width : widths)
            for (const char* precision : precisions)
                for (const char* conversion : conversions)
                    for (int value : values) {
                        // '#' is for hexadecimal only; Wine's formatter loses output
                        // after a decimal conversion with it.
                        bool hex = strpbrk(conversion, "xX") != nullptr;
                        if (strchr(flag, '#') && !hex)
                            continue;
                        std::string format =
                            std::string("[%") + flag + width + precision + conversion + "]";
                        std::string expected = Windows(format.c_str(), value);
                        std::string actual = Portable(format.c_str(), value);
                        if (expected != actual && ++mismatches <= 20)
                            ADD_FAILURE() << format << " of " << value << ": Windows \"" << expected
                                          << "\", portable \"" << actual << "\"";
                    }
    EXPECT_EQ(mismatches, 0);
}

TEST(FormatterOnWindows, TextMatches) {
    const char* formats[] = {"%s", "%5s", "%-5s|", "%.2s", "%8.3s", "%-8.3s|", "%05s", "%c",
                           "%3c", "%-3c|", "%%", "%.0s", "%s%s", "%5q", "%-3q|", "[%+s]"};
    const char* texts[] = {"", "a", "abcdef", "Windows NT"};
    for (const char* format : formats)
        for (const char* text : texts) {
            bool isChar = std::string(format).find('c') != std::string::npos;
            if (isChar) {
                EXPECT_EQ(Windows(format, 'Q'), Portable(format, 'Q')) << format;
            } else {
                EXPECT_EQ(Windows(format, text, text), Portable(format, text, text))
                    << format << " of \"" << text << "\"";
            }
        }
}

TEST(FormatterOnWindows, LongOutputIsCutAlike) {
    std::string text(1500, 'z');
    EXPECT_EQ(Windows("ab%s", text.c_str()), Portable("ab%s", text.c_str()));
    EXPECT_EQ(Windows("%s%d", text.c_str(), 5), Portable("%s%d", text.c_str(), 5));
}

} // namespace
