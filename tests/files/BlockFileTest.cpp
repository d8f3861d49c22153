#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "ScratchDirectory.h"
#include "files/BlockFile.h"
#include "picture/PictureGrid.h"
#include "picture/FreshPicture.h"

namespace {

const std::vector<uint8_t> kLogoHeader = {0xFF, 0xFF, 0x00, 0x00, 0x52, 0xF0, 0x50, 0xFF,
                                          0x65, 0x1D, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const std::vector<uint8_t> kScreensaverHeader = {0x00, 0x00, 0x65, 0x31, 0x01,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The file the phone expects for a picture, built pixel by pixel: pixel
// (column, row) is the bit 0x80 >> (column % 8) of byte column / 8 of the row.
std::vector<uint8_t> ExpectedFile(PictureMode mode) {
    std::vector<uint8_t> bytes = mode == PictureMode::Logo ? kLogoHeader : kScreensaverHeader;
    size_t header = bytes.size();
    int rows = mode == PictureMode::Logo ? 29 : 49;
    bytes.resize(header + rows * 13, 0);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 101; ++column)
            if (thePicture.cells[row * 101 + column] == 1)
                bytes[header + row * 13 + column / 8] |= uint8_t(0x80 >> (column % 8));
    return bytes;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> first, const std::vector<uint8_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class BlockFileTest : public FreshPictureTest {
  protected:

    static void Scribble(unsigned seed) {
        std::mt19937 random(seed);
        for (uint8_t& cell : thePicture.cells)
            cell = random() & 1;
    }

    static int CountInk(int firstRow, int endRow) {
        int ink = 0;
        for (int row = firstRow; row < endRow; ++row)
            for (int column = 0; column < 101; ++column)
                ink += CellAt(column, row);
        return ink;
    }

    std::vector<uint8_t> Save(const std::string& name) {
        std::string path = dir.Path(name);
        EXPECT_EQ(WriteBlockFile(path.c_str()), 1);
        return ScratchDirectory::ReadBytes(path);
    }

    // Writes the bytes as a file and loads it the way Load does after its tests.
    void Load(const std::vector<uint8_t>& bytes) {
        std::string path = dir.Path("in.bin");
        ScratchDirectory::WriteBytes(path, bytes);
        ReadBlockFile(path.c_str());
    }

    ScratchDirectory dir;
};

TEST_F(BlockFileTest, ClearedPicturesAreHeaderAndZeroRows) {
    SetPictureMode(PictureMode::Logo);
    std::vector<uint8_t> logo = Save("logo.bin");
    ASSERT_EQ(logo.size(), 393u);
    EXPECT_EQ(logo, Concat(kLogoHeader, std::vector<uint8_t>(377, 0)));

    SetPictureMode(PictureMode::Screensaver);
    std::vector<uint8_t> screensaver = Save("screensaver.bin");
    ASSERT_EQ(screensaver.size(), 647u);
    EXPECT_EQ(screensaver, Concat(kScreensaverHeader, std::vector<uint8_t>(637, 0)));
}

TEST_F(BlockFileTest, AllInkRowsLeaveSpareBitsClear) {
    InvertPicture();
    std::vector<uint8_t> row = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF8};
    std::vector<uint8_t> expected = kScreensaverHeader;
    for (int i = 0; i < 49; ++i)
        expected = Concat(expected, row);
    EXPECT_EQ(Save("ink.bin"), expected);

    // With the logo size current the hidden ink rows stay out of the file.
    SetPictureMode(PictureMode::Logo);
    expected = kLogoHeader;
    for (int i = 0; i < 29; ++i)
        expected = Concat(expected, row);
    EXPECT_EQ(Save("ink-logo.bin"), expected);
}

TEST_F(BlockFileTest, PixelsLandOnTheirBits) {
    SetPictureMode(PictureMode::Logo);
    SetCell(100, 0, 1);
    std::vector<uint8_t> bytes = Save("corner.bin");
    ASSERT_EQ(bytes.size(), 393u);
    EXPECT_EQ(bytes[28], 0x08); // column 100: bit 3 of byte 12
    for (size_t i = 16; i < bytes.size(); ++i) {
        if (i != 28) {
            ASSERT_EQ(bytes[i], 0) << "offset " << i;
        }
    }

    ClearPicture();
    SetCell(0, 1, 1);  // row 1 starts on a new byte
    SetCell(8, 1, 1);  // the next byte's top bit
    SetCell(7, 28, 1); // bit 0 of the last row's first byte
    bytes = Save("corner.bin");
    EXPECT_EQ(bytes[16 + 13], 0x80);
    EXPECT_EQ(bytes[16 + 14], 0x80);
    EXPECT_EQ(bytes[16 + 28 * 13], 0x01);
}

TEST_F(BlockFileTest, RandomPicturesMatchPixelByPixelLayout) {
    for (PictureMode mode : {PictureMode::Logo, PictureMode::Screensaver}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            Scribble(seed);
            SetPictureMode(mode);
            ASSERT_EQ(Save("random.bin"), ExpectedFile(mode)) << "seed " << seed;
        }
    }
}

TEST_F(BlockFileTest, SaveThenLoadGivesBackPictureAndSize) {
    for (PictureMode mode : {PictureMode::Logo, PictureMode::Screensaver}) {
        Scribble(mode == PictureMode::Logo ? 11 : 12);
        SetPictureMode(mode);
        int rows = PictureHeight();
        PictureGrid saved = thePicture;
        std::string path = dir.Path("trip.bin");
        ASSERT_EQ(WriteBlockFile(path.c_str()), 1);

        // New, and the other size, as a user might have it before loading.
        ClearPicture();
        SetPictureMode(mode == PictureMode::Logo ? PictureMode::Screensaver : PictureMode::Logo);
        ReadBlockFile(path.c_str());

        EXPECT_EQ(GetPictureMode(), mode);
        EXPECT_EQ(PictureWidth(), 101);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < 101; ++column)
                ASSERT_EQ(CellAt(column, row), saved.cells[row * 101 + column])
                    << column << "," << row;
        SetPictureMode(PictureMode::Screensaver);
        EXPECT_EQ(CountInk(rows, 49), 0);
    }
}

TEST_F(BlockFileTest, ReadingALogoClearsTheHiddenRows) {
    std::vector<uint8_t> logo = Concat(kLogoHeader, std::vector<uint8_t>(377, 0xFF));
    InvertPicture(); // rows 29 to 48 full of ink before the load
    Load(logo);
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(CountInk(0, 29), 29 * 101); // 0xFF spare bits are ignored
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(CountInk(29, 49), 0);
    for (uint8_t cell : thePicture.cells)
        ASSERT_LE(cell, 1);
}

TEST_F(BlockFileTest, ShortFilesFillWhatTheyHold) {
    std::vector<uint8_t> rows(377, 0xFF);

    // Cut after five whole rows.
    Load(Concat(kLogoHeader, std::vector<uint8_t>(rows.begin(), rows.begin() + 5 * 13)));
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(CountInk(0, 5), 5 * 101);
    EXPECT_EQ(CountInk(5, 29), 0);

    // Cut three bytes into row 5: its first 24 columns are read.
    Load(Concat(kLogoHeader, std::vector<uint8_t>(rows.begin(), rows.begin() + 5 * 13 + 3)));
    EXPECT_EQ(CountInk(0, 5), 5 * 101);
    EXPECT_EQ(CountInk(5, 6), 24);
    EXPECT_EQ(CellAt(23, 5), 1);
    EXPECT_EQ(CellAt(24, 5), 0);

    // The header alone is an empty logo, and an empty screensaver likewise.
    Load(kLogoHeader);
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(CountInk(0, 49), 0);
    InvertPicture();
    Load({0x00, 0x00, 0x65, 0x31});
    EXPECT_EQ(GetPictureMode(), PictureMode::Screensaver);
    EXPECT_EQ(CountInk(0, 49), 0);
}

TEST_F(BlockFileTest, ExtraBytesAreIgnored) {
    std::vector<uint8_t> bytes = Concat(kScreensaverHeader, std::vector<uint8_t>(637, 0));
    bytes[10] = 0x80;
    bytes = Concat(bytes, std::vector<uint8_t>(1000, 0xFF));
    SetPictureMode(PictureMode::Logo);
    Load(bytes);
    EXPECT_EQ(GetPictureMode(), PictureMode::Screensaver);
    EXPECT_EQ(CountInk(0, 49), 1);
    EXPECT_EQ(CellAt(0, 0), 1);

    // A logo file of screensaver length: the rows past 29 stay unread.
    Load(Concat(kLogoHeader, std::vector<uint8_t>(637, 0xFF)));
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(CountInk(29, 49), 0);
}

TEST_F(BlockFileTest, OnlyTheTestedHeaderBytesDecideTheKind) {
    std::vector<uint8_t> odd = {0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 0x65, 0x1D, 7, 8, 9, 10, 11, 12};
    odd = Concat(odd, std::vector<uint8_t>(13, 0xFF));
    Load(odd);
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(CountInk(0, 1), 101);
    EXPECT_EQ(CountInk(1, 49), 0);
}

TEST_F(BlockFileTest, DetectionOnTinyAndForeignFiles) {
    struct Case {
        std::vector<uint8_t> bytes;
        int logo;
        int screensaver;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{0x00, 0x00}, 0, 0}, // the missing bytes count as 0
        {{0x00, 0x00, 0x65, 0x31}, 0, 1},
        {{0x00, 0x00, 0x65}, 0, 0},
        {{0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x65, 0x1D}, 1, 0},
        {{0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x65}, 0, 0},
        {{0xFF, 0xFF, 0x65, 0x31}, 0, 0},
        {{0x00, 0x00, 0, 0, 0, 0, 0, 0, 0x65, 0x1D}, 0, 0},
        {{0x00, 0x01, 0x65, 0x31}, 0, 0},
        {{0x00, 0x00, 0x65, 0x1D}, 0, 0}, // logo size behind the screensaver marks
        {{'B', 'M', 0x36, 0x10, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0}, 0, 0},
        {kLogoHeader, 1, 0},
        {kScreensaverHeader, 0, 1},
    };
    std::string path = dir.Path("probe.bin");
    int index = 0;
    for (const Case& c : cases) {
        ScratchDirectory::WriteBytes(path, c.bytes);
        EXPECT_EQ(IsLogoBlockFile(path.c_str()), c.logo) << "case " << index;
        EXPECT_EQ(IsScreensaverBlockFile(path.c_str()), c.screensaver) << "case " << index;
        ++index;
    }

    std::string missing = dir.Path("missing.bin");
    EXPECT_EQ(IsLogoBlockFile(missing.c_str()), 0);
    EXPECT_EQ(IsScreensaverBlockFile(missing.c_str()), 0);
    std::string folder = dir.Root().string();
    EXPECT_EQ(IsLogoBlockFile(folder.c_str()), 0);
    EXPECT_EQ(IsScreensaverBlockFile(folder.c_str()), 0);
}

TEST_F(BlockFileTest, UnreadableFileLeavesPictureAlone) {
    Scribble(5);
    SetPictureMode(PictureMode::Logo);
    PictureGrid before = thePicture;
    std::string missing = dir.Path("missing.bin");
    ReadBlockFile(missing.c_str());
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));
}

TEST_F(BlockFileTest, ForeignFileIsReadAsRowsAtCurrentSize) {
    // Reached only when the file changed after Load tested it; the rows then
    // start at the first byte and the size stays.
    std::vector<uint8_t> bytes(13, 0xFF);
    bytes[0] = 0x7F;
    SetPictureMode(PictureMode::Logo);
    Load(bytes);
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    EXPECT_EQ(CellAt(0, 0), 0);
    EXPECT_EQ(CountInk(0, 1), 100);
    EXPECT_EQ(CountInk(1, 49), 0);

    InvertPicture();
    Load({});
    EXPECT_EQ(CountInk(0, 49), 0); // cleared, since the file could be opened
}

TEST_F(BlockFileTest, SaveReplacesAnOlderLongerFile) {
    std::string path = dir.Path("old.bin");
    ScratchDirectory::WriteBytes(path, std::vector<uint8_t>(5000, 0xAA));
    SetPictureMode(PictureMode::Logo);
    EXPECT_EQ(WriteBlockFile(path.c_str()), 1);
    EXPECT_EQ(ScratchDirectory::ReadBytes(path).size(), 393u);
}

TEST_F(BlockFileTest, SaveReportsFailure) {
    std::string inMissingFolder = dir.Path("no-such-folder/logo.bin");
    EXPECT_EQ(WriteBlockFile(inMissingFolder.c_str()), 0);
    EXPECT_FALSE(ScratchDirectory::Exists(inMissingFolder));
    EXPECT_TRUE(dir.Names().empty());
}

// Whatever keeps either file from being replaced, both are as they were
// before the Save, byte for byte, and no other file is left behind.
TEST_F(BlockFileTest, AFailedSaveLeavesTheBlockFileAndItsCompanionAsTheyWere) {
    namespace fs = std::filesystem;
    const std::string bin = dir.Path("old.bin"), bid = dir.Path("old.bid");
    const std::vector<uint8_t> oldBlock(647, 0xAA), oldInfo(120, 'i');
    SetPictureMode(PictureMode::Logo);
    auto expectUnchanged = [&](const char* what) {
        EXPECT_EQ(WriteBlockFile(bin.c_str()), 0) << what;
        EXPECT_EQ(ScratchDirectory::ReadBytes(bin), oldBlock) << what;
        EXPECT_EQ(ScratchDirectory::ReadBytes(bid), oldInfo) << what;
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.bid", "old.bin"})) << what;
    };
    ScratchDirectory::WriteBytes(bin, oldBlock);
    ScratchDirectory::WriteBytes(bid, oldInfo);
    for (const std::string& path : {bin, bid}) {
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        expectUnchanged(path == bin ? "read-only block file" : "read-only companion");
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    }
#ifdef PIXMINT_HAS_FILE_SIZE_LIMIT
    for (rlim_t room : {300, 50}) { // room for the companion only, or not even that
        FileSizeLimit limit(room);
        ASSERT_TRUE(limit.Active());
        expectUnchanged(room == 300 ? "full disk at the block file" : "full disk at the companion");
    }
#endif

    // A folder in either file's place: the other one is not touched either,
    // and where it did not exist, it still does not.
    std::filesystem::create_directories(dir.Root() / "taken.bin");
    std::string taken = dir.Path("taken.bin");
    ScratchDirectory::WriteBytes(dir.Path("taken.bid"), oldInfo);
    EXPECT_EQ(WriteBlockFile(taken.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Root() / "taken.bin"));
    EXPECT_EQ(ScratchDirectory::ReadBytes(dir.Path("taken.bid")), oldInfo);
    std::filesystem::create_directories(dir.Root() / "other.bid");
    std::string other = dir.Path("other.bin");
    EXPECT_EQ(WriteBlockFile(other.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Root() / "other.bid"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.bid", "old.bin", "other.bid",
                                                     "taken.bid", "taken.bin"}));
}

} // namespace
