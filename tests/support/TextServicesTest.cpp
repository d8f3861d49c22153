#include <gtest/gtest.h>

#include <string>

#include "support/PlatformText.h"
#include "support/TextOverrideList.h"
#include "support/TextServices.h"
#include "support/TextString.h"

namespace {

// Puts the process's own command line back after each test.
class ProgramPath : public testing::Test {
protected:
    void TearDown() override { SetCommandLineForTest(nullptr); }
};

TEST_F(ProgramPath, QuotedPathWithArgument) {
    SetCommandLineForTest("\"C:\\dir\\prog.exe\" arg");
    EXPECT_STREQ(GetProgramPath(), "C:\\dir\\prog.exe");
    EXPECT_STREQ(GetProgramFileName(), "prog.exe");
    EXPECT_STREQ(GetProgramDir(), "C:\\dir\\");
}

// The path is the first item of the command line; what follows it, such as the
// file that a file association or a drop passes, is not part of it.
TEST_F(ProgramPath, UnquotedPathEndsAtTheFirstBlank) {
    SetCommandLineForTest("C:\\app\\pixmint.exe a.bin");
    EXPECT_STREQ(GetProgramPath(), "C:\\app\\pixmint.exe");
    EXPECT_STREQ(GetProgramFileName(), "pixmint.exe");
    EXPECT_STREQ(GetProgramDir(), "C:\\app\\");

    SetCommandLineForTest("C:\\dir\\prog.exe C:\\pics\\logo.bin");
    EXPECT_STREQ(GetProgramPath(), "C:\\dir\\prog.exe");
    SetCommandLineForTest("C:\\dir\\prog.exe\tC:\\pics\\logo.bin");
    EXPECT_STREQ(GetProgramPath(), "C:\\dir\\prog.exe");
    SetCommandLineForTest("C:\\dir\\prog.exe");
    EXPECT_STREQ(GetProgramPath(), "C:\\dir\\prog.exe");
    // Blanks before the first item are not part of it.
    SetCommandLineForTest("  \"C:\\dir\\prog.exe\" arg");
    EXPECT_STREQ(GetProgramPath(), "C:\\dir\\prog.exe");
}

TEST_F(ProgramPath, QuotedPathEndsAtItsClosingQuote) {
    SetCommandLineForTest("\"C:\\app\\pixmint.exe\" \"C:\\pics\\a.bin\"");
    EXPECT_STREQ(GetProgramPath(), "C:\\app\\pixmint.exe");
    EXPECT_STREQ(GetProgramFileName(), "pixmint.exe");
    EXPECT_STREQ(GetProgramDir(), "C:\\app\\");

    SetCommandLineForTest("\"C:\\Program Files\\p.exe\"");
    EXPECT_STREQ(GetProgramPath(), "C:\\Program Files\\p.exe");
    SetCommandLineForTest("\"\" arg");
    EXPECT_STREQ(GetProgramPath(), "");
    // A quote that is never closed runs to the end, as for the document.
    SetCommandLineForTest("\"C:\\my dir\\prog.exe");
    EXPECT_STREQ(GetProgramPath(), "C:\\my dir\\prog.exe");
}

TEST_F(ProgramPath, NoBackslashGivesWholeNameAndNullDirectory) {
    SetCommandLineForTest("C:\\keep\\it.exe");
    std::string before = GetProgramDir();
    SetCommandLineForTest("prog.exe");
    EXPECT_STREQ(GetProgramFileName(), "prog.exe");
    EXPECT_EQ(GetProgramDir(), nullptr);
    // The directory's own string is left as it was.
    SetCommandLineForTest("C:\\keep\\it.exe");
    EXPECT_EQ(before, GetProgramDir());
}

TEST_F(ProgramPath, LongCommandLineIsNotCut) {
    std::string dir = "C:\\" + std::string(1500, 'd') + "\\";
    std::string commandLine = "\"" + dir + "prog.exe\" arg";
    SetCommandLineForTest(commandLine.c_str());
    EXPECT_EQ(dir + "prog.exe", GetProgramPath());
    EXPECT_EQ(dir, GetProgramDir());
}

TEST(FormatText, EachCallReplacesTheLastResult) {
    const char* first = FormatText("%d-%s", 1, "one");
    EXPECT_STREQ(first, "1-one");
    std::string copy = first;
    const char* second = FormatText("%s and more text than before", copy.c_str());
    EXPECT_STREQ(second, "1-one and more text than before");
}

class ResourceTextTest : public testing::Test {
protected:
    void SetUp() override { SetStringTableForTest(table); }
    void TearDown() override { SetStringTableForTest(nullptr); }
    static constexpr StringTableEntry table[] = {
        {101, "About Pixmint"},
        {102, "Block files|*.bin|"},
        {0, nullptr},
    };
};

TEST_F(ResourceTextTest, LooksUpTheStringTable) {
    EXPECT_STREQ(ResourceText(101), "About Pixmint");
    EXPECT_STREQ(ResourceText(999), "");
    TextString s("previous");
    s.LoadResourceText(999);
    EXPECT_STREQ(s.text, "");
    EXPECT_EQ(s.length, 0);
}

TEST_F(ResourceTextTest, TextIsWritableInPlace) {
    char* filter = ResourceText(102);
    for (char* p = filter; *p; p++) {
        if (*p == '|')
            *p = '\0';
    }
    EXPECT_STREQ(filter, "Block files");
    EXPECT_STREQ(filter + 12, "*.bin");
}

TEST_F(ResourceTextTest, OverridesComeFirstUnlessEmpty) {
    TextOverrideList overrides;
    EXPECT_EQ(TextOverrideList::Active(), &overrides);
    EXPECT_STREQ(ResourceText(101), "About Pixmint");  // an empty list changes nothing
    ASSERT_EQ(overrides.Add(101, "First"), 1);
    ASSERT_EQ(overrides.Add(101, "Second"), 1);
    ASSERT_EQ(overrides.Add(102, ""), 1);
    EXPECT_STREQ(ResourceText(101), "First");
    EXPECT_STREQ(ResourceText(102), "Block files|*.bin|");
    EXPECT_EQ(overrides.Find(103), nullptr);
}

TEST_F(ResourceTextTest, DestroyedListIsNoLongerConsulted) {
    TextOverrideList* before = TextOverrideList::Active();
    {
        TextOverrideList overrides;
        overrides.Add(101, "Override");
        EXPECT_STREQ(ResourceText(101), "Override");
    }
    EXPECT_EQ(TextOverrideList::Active(), before);
    EXPECT_STREQ(ResourceText(101), "About Pixmint");
}

} // namespace
