#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/TextString.h"

namespace {

TEST(TextString, EmptyStringIsOneZeroByteNotNull) {
    TextString empty;
    ASSERT_NE(empty.text, nullptr);
    EXPECT_EQ(empty.length, 0);
    EXPECT_EQ(empty.text[0], '\0');

    TextString fromEmpty("");
    ASSERT_NE(fromEmpty.text, nullptr);
    EXPECT_EQ(fromEmpty.length, 0);
}

TEST(TextString, AssignAppendKeepLengthAndText) {
    TextString s("abc");
    EXPECT_EQ(s.length, 3);
    s.Append("def").Append("");
    EXPECT_STREQ(s.text, "abcdef");
    EXPECT_EQ(s.length, 6);
    s.Assign("xy");
    EXPECT_STREQ(s.text, "xy");
    EXPECT_EQ(s.length, 2);

    TextString other("other text");
    s.Assign(other);
    EXPECT_STREQ(s.text, "other text");
    EXPECT_EQ(s.length, other.length);
    EXPECT_NE(s.text, other.text);  // a copy, not a shared block
}

TEST(TextString, AssignAndAppendFromOwnText) {
    TextString s("hello world");
    s.Assign(s);
    EXPECT_STREQ(s.text, "hello world");
    s.Assign(s.text + 6);
    EXPECT_STREQ(s.text, "world");
    EXPECT_EQ(s.length, 5);
    s.Append(s.text);
    EXPECT_STREQ(s.text, "worldworld");
    s.Append(s.text + 8);
    EXPECT_STREQ(s.text, "worldworldld");
    EXPECT_EQ(s.length, 12);
}

TEST(TextString, FreeLeavesNullTextAndIsRepeatable) {
    TextString s("abc");
    s.Free();
    EXPECT_EQ(s.text, nullptr);
    EXPECT_EQ(s.length, 0);
    s.Free();
    EXPECT_EQ(s.text, nullptr);
    // A freed string searches like the empty text and can be filled again.
    EXPECT_EQ(s.Find("a"), -1);
    EXPECT_EQ(s.OverwriteAt(0, "x", 0), 0);
    EXPECT_EQ(s.SubString(0, 0).length, 0);
    s.Append("again");
    EXPECT_STREQ(s.text, "again");
}

TEST(TextString, FormatReplacesTheText) {
    TextString s("old text that is longer");
    s.Format("%s=%d", "n", 42);
    EXPECT_STREQ(s.text, "n=42");
    EXPECT_EQ(s.length, 4);
}

TEST(TextString, FormatIsCutAt1023Characters) {
    std::string longText(2000, 'a');
    TextString s;
    s.Format("%s%s", longText.c_str(), "tail");
    EXPECT_EQ(s.length, 1023);
    EXPECT_EQ(std::string(s.text), std::string(1023, 'a'));
}

TEST(TextString, Find) {
    TextString s("abcabc");
    EXPECT_EQ(s.Find("bc"), 1);
    EXPECT_EQ(s.Find("abc"), 0);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("abcabcd"), -1);
}

TEST(TextString, FindFromCountsFromTheStartOfTheWholeText) {
    TextString s("abcabc");
    EXPECT_EQ(s.FindFrom(1, "abc"), 3);
    EXPECT_EQ(s.FindFrom(3, "abc"), 3);
    EXPECT_EQ(s.FindFrom(4, "abc"), -1);
    EXPECT_EQ(s.FindFrom(6, "a"), -1);  // start at the length: only the empty tail
    EXPECT_EQ(s.FindFrom(6, ""), 6);
    EXPECT_EQ(s.FindFrom(7, ""), -1);  // beyond the length
    EXPECT_EQ(s.FindFrom(100, "a"), -1);
    EXPECT_EQ(s.FindFrom(-1, "a"), -1);
}

TEST(TextString, FindLast) {
    TextString s("a\\b\\c");
    EXPECT_EQ(s.FindLast("\\"), 3);
    EXPECT_EQ(TextString("one").FindLast("ne"), 1);
    EXPECT_EQ(TextString("aaa").FindLast("aa"), 1);  // overlapping hits count
    EXPECT_EQ(s.FindLast(""), s.length);
    EXPECT_EQ(s.FindLast("x"), -1);
}

TEST(TextString, OverwriteAtReplacesInPlace) {
    TextString path("C:\\a.bin\\logo.bin");
    int at = path.FindLast(".bin");
    EXPECT_EQ(path.OverwriteAt(at, ".bid", 0), 4);
    EXPECT_STREQ(path.text, "C:\\a.bin\\logo.bid");
    EXPECT_EQ(path.length, 17);

    TextString s("abcdef");
    EXPECT_EQ(s.OverwriteAt(1, "XYZ", 2), 5);  // a count limits the copy
    EXPECT_STREQ(s.text, "aXYdef");
}

TEST(TextString, OverwriteAtRefusesOutsideTheText) {
    TextString s("abc");
    EXPECT_EQ(s.OverwriteAt(3, "x", 0), 0);
    EXPECT_EQ(s.OverwriteAt(-1, "x", 0), 0);
    EXPECT_EQ(s.OverwriteAt(0, "", 0), 0);
    EXPECT_EQ(s.OverwriteAt(0, nullptr, 0), 0);
    EXPECT_STREQ(s.text, "abc");
}

TEST(TextString, OverwriteAtClipsToTheTextAndTheSource) {
    TextString s("abcdef");
    char* block = s.text;
    EXPECT_EQ(s.OverwriteAt(4, "WXYZ", 0), 2);
    EXPECT_STREQ(s.text, "abcdWX");
    EXPECT_EQ(s.text, block);
    EXPECT_EQ(s.length, 6);
    // A count larger than the source copies only the source's text.
    EXPECT_EQ(s.OverwriteAt(0, "Q", 5), 6);
    EXPECT_STREQ(s.text, "QbcdWX");
}

TEST(TextString, SubString) {
    TextString s("abcdef");
    EXPECT_STREQ(s.SubString(-5, 0).text, "abcdef");
    EXPECT_STREQ(s.SubString(3, 0).text, "def");
    EXPECT_STREQ(s.SubString(2, 100).text, "cdef");
    EXPECT_STREQ(s.SubString(1, 2).text, "bc");
    EXPECT_STREQ(s.SubString(2, 5).text, "cdef");
    EXPECT_EQ(s.SubString(2, 2).length, 2);
    EXPECT_STREQ(s.SubString(6, 0).text, "");
    EXPECT_STREQ(s.SubString(50, 3).text, "");
}

TEST(TextString, SubStringIsNotLimitedTo1023Characters) {
    std::string longText(3000, 'x');
    longText += "end";
    TextString s(longText.c_str());
    TextString tail = s.SubString(1, 0);
    EXPECT_EQ(tail.length, 3002);
    EXPECT_EQ(std::string(tail.text), longText.substr(1));
}

TEST(TextString, SubStringStopsAtANulInsideTheText) {
    TextString s("ab|cd");
    s.text[2] = '\0';  // as callers do when they split a text in place
    TextString part = s.SubString(0, 0);
    EXPECT_STREQ(part.text, "ab");
    EXPECT_EQ(part.length, 2);
}

} // namespace
