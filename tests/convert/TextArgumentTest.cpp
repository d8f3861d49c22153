#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/TextArgument.h"

namespace {

TEST(TextArgumentTest, ReadsTheTextArgument) {
    EXPECT_EQ(CodePointName(0xE9), "U+00E9");

    std::vector<uint32_t> text;
    std::string error;
    ASSERT_EQ(DecodeUtf8("G\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", text, error), 1) << error;
    EXPECT_EQ(text, (std::vector<uint32_t>{'G', 0xFC, 0x20AC, 0x1F600}));
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "A\x80"})
        EXPECT_EQ(DecodeUtf8(bad, text, error), 0) << bad;
    // Line breaks: a newline, CR LF, or \n; \\ is one backslash.
    const std::string expected = "a\nb\nc\nd\\n\\x";
    ASSERT_EQ(DecodeTextArgument("a\nb\r\nc\\nd\\\\n\\x", text, error), 1) << error;
    EXPECT_EQ(text, std::vector<uint32_t>(expected.begin(), expected.end()));
}

} // namespace
