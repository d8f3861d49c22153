#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "files/BlockFile.h"
#include "files/BlockInfoFile.h"
#include "picture/PictureGrid.h"
#include "picture/FreshPicture.h"

namespace {

std::string ExpectedInfoText(const char* blockId) {
    return std::string("EEPROM block additional file.\r\n"
                       "Phone HWid:\r\n"
                       "131\r\n"
                       "EEPROM BlockId:\r\n") +
           blockId +
           "\r\n"
           "EEPROM BlockVer:\r\n"
           "3\r\n";
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ScratchDirectory::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Every file below the directory, as paths relative to it.
std::vector<std::string> FilesIn(const std::filesystem::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            names.push_back(entry.path().lexically_relative(root).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(BlockInfoPathTest, ReplacesTheLastBinOfTheFileName) {
    struct Case {
        const char* block;
        const char* info;
    };
    const Case cases[] = {
        {"logo.bin", "logo.bid"},
        {"C:\\pics\\logo.bin", "C:\\pics\\logo.bid"},
        {"/home/me/logo.bin", "/home/me/logo.bid"},
        {"C:\\pics/mixed\\logo.bin", "C:\\pics/mixed\\logo.bid"},
        {"pic.bin.bin", "pic.bin.bid"},
        {"C:\\old.bin\\logo.bin", "C:\\old.bin\\logo.bid"},
        {"logo.bin.txt", "logo.bid.txt"},
        {".bin", ".bid"},
        {"C:\\pics\\.bin", "C:\\pics\\.bid"},
        {"C:logo.bin", "C:logo.bid"},
        // No ".bin" in the file name: no block info file.
        {"logo.BIN", ""},
        {"logo.Bin", ""},
        {"logo.dat", ""},
        {"logo.bi", ""},
        {"logo", ""},
        {"", ""},
        {"C:\\old.bin\\logo.dat", ""},
        {"old.bin/logo.dat", ""},
        {"C:\\x.bin\\y.bin/", ""},
        {"C:\\old.bin\\logo.bi", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(BlockInfoPath(c.block).text, c.info) << c.block;
    EXPECT_STREQ(BlockInfoPath(nullptr).text, "");
}

class BlockInfoFileTest : public FreshPictureTest {
  protected:
    ScratchDirectory dir;
};

TEST_F(BlockInfoFileTest, SaveWritesSevenLinesNamingTheBlock) {
    SetPictureMode(PictureMode::Logo);
    ASSERT_EQ(WriteBlockFile(dir.Path("logo.bin").c_str()), 1);
    std::string logoInfo = ReadText(dir.Path("logo.bid"));
    EXPECT_EQ(logoInfo.size(), 93u);
    EXPECT_EQ(logoInfo, ExpectedInfoText("5061"));

    // The identifier follows the size, whatever the cells hold.
    InvertPicture();
    SetPictureMode(PictureMode::Screensaver);
    ASSERT_EQ(WriteBlockFile(dir.Path("logo.bin").c_str()), 1);
    std::string screensaverInfo = ReadText(dir.Path("logo.bid"));
    EXPECT_EQ(screensaverInfo.size(), 93u);
    EXPECT_EQ(screensaverInfo, ExpectedInfoText("5201"));

    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"logo.bid", "logo.bin"}));
}

TEST_F(BlockInfoFileTest, CompanionStaysInTheBlockFilesFolder) {
    std::filesystem::create_directories(dir.Root() / "old.bin");
    std::filesystem::create_directories(dir.Root() / "old.bid");
    ASSERT_EQ(WriteBlockFile(dir.Path("old.bin/logo.dat").c_str()), 1);
    ASSERT_EQ(WriteBlockFile(dir.Path("old.bin/pic.bin.bin").c_str()), 1);
    EXPECT_EQ(FilesIn(dir.Root()),
              (std::vector<std::string>{"old.bin/logo.dat", "old.bin/pic.bin.bid",
                                        "old.bin/pic.bin.bin"}));
}

TEST_F(BlockInfoFileTest, UpperCaseExtensionGetsNoCompanion) {
    ASSERT_EQ(WriteBlockFile(dir.Path("LOGO.BIN").c_str()), 1);
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"LOGO.BIN"}));
}

} // namespace
