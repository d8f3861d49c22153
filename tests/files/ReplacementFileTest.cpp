#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "FileSizeLimit.h"
#include "ScratchDirectory.h"
#include "files/ReplacementFile.h"

namespace {

using Names = std::vector<std::string>;

class ReplacementFileTest : public ::testing::Test {
  protected:
    ScratchDirectory dir;
};

TEST_F(ReplacementFileTest, WritesNewFilesAndReplacesOldOnes) {
    std::string path = dir.Path("a.bin");
    const std::vector<uint8_t> first(3000, 0x5A), second = {1, 2, 3};
    ASSERT_EQ(WriteWholeFile(path.c_str(), first.data(), first.size()), 1);
    EXPECT_EQ(ScratchDirectory::ReadBytes(path), first);
    ASSERT_EQ(WriteWholeFile(path.c_str(), second.data(), second.size()), 1);
    EXPECT_EQ(ScratchDirectory::ReadBytes(path), second); // not left at the old length
    ASSERT_EQ(WriteWholeFile(path.c_str(), nullptr, 0), 1);
    EXPECT_TRUE(ScratchDirectory::ReadBytes(path).empty());
    EXPECT_EQ(dir.Names(), Names{"a.bin"});
}

#ifndef _WIN32
TEST_F(ReplacementFileTest, TheReplacementKeepsTheOldFilesPermissions) {
    std::string path = dir.Path("private.bin");
    ScratchDirectory::WriteBytes(path, {1});
    for (mode_t mode : {0600, 0751}) {
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_EQ(WriteWholeFile(path.c_str(), "new", 3), 1);
        struct stat status;
        ASSERT_EQ(stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode);
    }
}
#endif

#ifdef _WIN32
TEST_F(ReplacementFileTest, TheReplacementKeepsTheOldFilesAttributes) {
    std::string path = dir.Path("kept.bin");
    ScratchDirectory::WriteBytes(path, {1});
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    if (!(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no attributes";
    ASSERT_EQ(WriteWholeFile(path.c_str(), "new", 3), 1);
    EXPECT_EQ(ScratchDirectory::ReadBytes(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
#endif

TEST_F(ReplacementFileTest, TheTargetChangesOnlyAtTheCommit) {
    std::string path = dir.Path("old.bin");
    const std::vector<uint8_t> old(500, 0xAA);
    ScratchDirectory::WriteBytes(path, old);
    {
        // Two at once get two temporary files, both beside the target.
        ReplacementFile kept(path.c_str()), dropped(path.c_str());
        ASSERT_NE(kept.stream(), nullptr);
        ASSERT_NE(dropped.stream(), nullptr);
        std::fputs("new", kept.stream());
        std::fputs("dropped", dropped.stream());
        Names names = dir.Names();
        ASSERT_EQ(names.size(), 3u);
        for (const std::string& name : names)
            EXPECT_EQ(name.rfind("old.bin", 0), 0u) << name;
        EXPECT_EQ(ScratchDirectory::ReadBytes(path), old);
        EXPECT_EQ(kept.Commit(), 1);
        EXPECT_EQ(kept.Commit(), 0); // nothing left to commit
    }
    EXPECT_EQ(ScratchDirectory::ReadBytes(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(dir.Names(), Names{"old.bin"});
}

TEST_F(ReplacementFileTest, FailuresLeaveTheTargetAsItWasAndNoTemporaryFile) {
    // No folder to make the temporary file in.
    std::string inMissingFolder = dir.Path("missing/a.bin");
    EXPECT_EQ(ReplacementFile(inMissingFolder.c_str()).stream(), nullptr);
    EXPECT_EQ(WriteWholeFile(inMissingFolder.c_str(), "x", 1), 0);
    EXPECT_EQ(ReplacementFile(nullptr).stream(), nullptr);

    // A folder in the target's place: the move fails.
    std::filesystem::create_directories(dir.Root() / "taken");
    EXPECT_EQ(WriteWholeFile(dir.Path("taken").c_str(), "x", 1), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Root() / "taken"));
    EXPECT_EQ(dir.Names(), Names{"taken"});

#ifdef PIXMINT_HAS_FILE_SIZE_LIMIT
    // The disk fills up part-way: the bytes were buffered, only the flush fails.
    std::string path = dir.Path("old.bin");
    const std::vector<uint8_t> old(700, 0xAA), bigger(1000, 0x55);
    ScratchDirectory::WriteBytes(path, old);
    int written;
    {
        FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        written = WriteWholeFile(path.c_str(), bigger.data(), bigger.size());
    }
    EXPECT_EQ(written, 0);
    EXPECT_EQ(ScratchDirectory::ReadBytes(path), old);
    EXPECT_EQ(dir.Names(), (Names{"old.bin", "taken"}));
#endif
}

} // namespace
