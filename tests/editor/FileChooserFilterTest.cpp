#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/FileChooserFilter.h"

namespace {

// The (description, pattern) pairs of a NUL-separated list ended by two NULs.
std::vector<std::string> Parts(const char* list) {
    std::vector<std::string> parts;
    for (const char* p = list; *p; p += parts.back().size() + 1)
        parts.emplace_back(p);
    return parts;
}

TEST(FileChooserFilterTest, OpenFilterBecomesThreePairs) {
    char text[] = "Support types:Bitmap,EEProm block (*.bmp,*.bin)|*.bmp;*.bin|Bitmap|*.bmp|"
                  "EEProm block|*.bin||";
    const size_t length = sizeof text - 1;
    ConvertFilterText(text);
    EXPECT_EQ((std::vector<std::string>{"Support types:Bitmap,EEProm block (*.bmp,*.bin)",
                                        "*.bmp;*.bin", "Bitmap", "*.bmp", "EEProm block", "*.bin"}),
              Parts(text));
    // The list ends with two NULs inside the text, before its own terminator.
    EXPECT_EQ('\0', text[length - 2]);
    EXPECT_EQ('\0', text[length - 1]);
}

TEST(FileChooserFilterTest, StopsAtTheTerminatorAndLeavesOtherText) {
    char text[] = "a|b\0|c";
    ConvertFilterText(text);
    EXPECT_EQ(0, std::string(text, 6).compare(std::string("a\0b\0|c", 6)));
    char empty[] = "";
    ConvertFilterText(empty);
    EXPECT_EQ('\0', empty[0]);
}

} // namespace
