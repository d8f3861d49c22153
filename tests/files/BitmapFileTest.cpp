#include <gtest/gtest.h>

#include <functional>

#include "BitmapBytes.h"
#include "ScratchDirectory.h"
#include "files/BitmapFile.h"
#include "files/TopDownBitmap.h"
#include "picture/PictureGrid.h"

namespace {

TEST(IsBitmapFileTest, LooksAtTheFirstTwoBytesOnly) {
    ScratchDirectory dir;
    const std::string path = dir.Path("picture.bmp");
    ScratchDirectory::WriteBytes(path, {'B', 'M'});
    EXPECT_EQ(1, IsBitmapFile(path.c_str()));
    // Anything may follow the signature.
    ScratchDirectory::WriteBytes(path, {'B', 'M', 0xFF, 0x00, 'x'});
    EXPECT_EQ(1, IsBitmapFile(path.c_str()));
}

TEST(IsBitmapFileTest, RejectsShortAndForeignFiles) {
    ScratchDirectory dir;
    const std::string path = dir.Path("picture.bmp");
    for (const std::vector<uint8_t>& bytes : std::vector<std::vector<uint8_t>>{
             {}, {'B'}, {'M', 'B'}, {'b', 'm'}, {'B', 'M' + 0x80}, {0, 'B', 'M'}}) {
        ScratchDirectory::WriteBytes(path, bytes);
        EXPECT_EQ(0, IsBitmapFile(path.c_str())) << bytes.size() << " bytes";
    }
    EXPECT_EQ(0, IsBitmapFile(dir.Path("missing.bmp").c_str()));
}

// A stand-in for a loaded image: colours from a function, with a record of
// every pixel read outside the image.
class FakeImage : public ImagePixels {
  public:
    FakeImage(int width, int height, std::function<uint32_t(int, int)> colour)
        : width_(width), height_(height), colour_(std::move(colour)) {}
    uint32_t PixelAt(int x, int y) override {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            ++readsOutside;
        return colour_(x, y);
    }
    int readsOutside = 0;

  private:
    int width_, height_;
    std::function<uint32_t(int, int)> colour_;
};

class CopyImageTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ClearPicture();
        SetPictureMode(PictureMode::Screensaver);
    }
    static void FillPicture() {
        for (uint8_t& cell : thePicture.cells)
            cell = 1;
    }
};

TEST_F(CopyImageTest, ExactlyBlackBecomesInk) {
    SetPictureMode(PictureMode::Screensaver);
    FillPicture();
    // Near-black, white and the failure value of a pixel read are all background.
    const uint32_t colours[] = {0x000000, 0x000001, 0x010000, 0x00FFFFFF, 0xFFFFFFFF};
    FakeImage image(kGridColumns, kScreensaverHeight,
                    [&](int x, int y) { return colours[(x + y) % 5]; });
    CopyImageToPicture(image);
    EXPECT_EQ(0, image.readsOutside);
    for (int row = 0; row < kScreensaverHeight; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            ASSERT_EQ((column + row) % 5 == 0 ? 1 : 0, CellAt(column, row)) << column << "," << row;
}

TEST_F(CopyImageTest, TopRowOfTheImageIsRowZero) {
    SetPictureMode(PictureMode::Screensaver);
    FakeImage image(kGridColumns, kScreensaverHeight,
                    [](int x, int y) { return y == 0 && x == 3 ? 0u : 0xFFFFFFu; });
    CopyImageToPicture(image);
    EXPECT_EQ(1, CellAt(3, 0));
    EXPECT_EQ(0, CellAt(3, kScreensaverHeight - 1));
}

TEST_F(CopyImageTest, LogoImportClearsTheHiddenRowsAndKeepsTheSize) {
    SetPictureMode(PictureMode::Logo);
    FillPicture();
    FakeImage image(kGridColumns, kLogoHeight, [](int, int) { return 0u; });
    CopyImageToPicture(image);
    EXPECT_EQ(0, image.readsOutside);
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    SetPictureMode(PictureMode::Screensaver);
    for (int row = 0; row < kScreensaverHeight; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            ASSERT_EQ(row < kLogoHeight ? 1 : 0, CellAt(column, row)) << column << "," << row;
}

TEST(FindTopDownBitmapTest, FindsTheRowsOfWholeUncompressedTopDownFilesOnly) {
    BitmapLayout topDown;
    topDown.topDown = true;
    auto black = [](int x, int) { return x < 3; };
    TopDownBitmapLayout layout;
    std::vector<uint8_t> file = BitmapBytes(101, 49, 1, black, topDown);
    ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout));
    EXPECT_EQ(14u, layout.infoOffset);
    EXPECT_EQ(40u + 2 * 4, layout.infoSize); // header and two colours
    EXPECT_EQ(62u, layout.bitsOffset);
    EXPECT_EQ(16u * 49, layout.bitsSize); // 101 bits padded to 16 bytes a row
    EXPECT_EQ(101, layout.width);
    EXPECT_EQ(49, layout.height);
    file = BitmapBytes(10, 7, 24, black, topDown);
    ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout));
    EXPECT_EQ(40u, layout.infoSize);
    EXPECT_EQ(32u * 7, layout.bitsSize);

    // Everything else is left to the platform's loader.
    const std::vector<uint8_t> good = BitmapBytes(101, 49, 1, black, topDown);
    auto with = [&good](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::vector<std::vector<uint8_t>> others = {
        BitmapBytes(101, 49, 1, black),                        // bottom row first
        std::vector<uint8_t>(good.begin(), good.end() - 1),    // last row cut short
        std::vector<uint8_t>(good.begin(), good.begin() + 40), // header cut short
        with(30, 1),                                           // run-length encoded
        with(10, 20),                                          // rows inside the header
        with(18, 0),                                           // width 0 (101 -> 0)
        with(14, 12),                                          // the old core header
        with(0, 'X'),
    };
    for (size_t i = 0; i < others.size(); ++i)
        EXPECT_EQ(0, FindTopDownBitmap(others[i].data(), others[i].size(), layout)) << "case " << i;
    EXPECT_EQ(0, FindTopDownBitmap(nullptr, 0, layout));
    // A table claiming more colours than 1 bit can name is the loader's to judge.
    std::vector<uint8_t> bigTable = with(46, 3);
    ASSERT_EQ(1, FindTopDownBitmap(bigTable.data(), bigTable.size(), layout));
    EXPECT_EQ(40u + 2 * 4, layout.infoSize);
}

// A top-down file of 4 colours whose rows are run-length codes, with the
// headers of its unpacked bottom-up twin.
std::vector<uint8_t> RunLengthFile(int width, int height, int bits, int compression,
                                   const std::vector<uint8_t>& codes, int rowsSize) {
    std::vector<uint8_t> out = {'B', 'M'};
    const int offset = 14 + 40 + 16;
    Put32(out, offset + (compression ? codes.size() : rowsSize));
    Put32(out, 0);
    Put32(out, offset);
    for (uint32_t value : {40u, uint32_t(width), uint32_t(compression ? -height : height)})
        Put32(out, value);
    Put16(out, 1);
    Put16(out, bits);
    for (uint32_t value :
         {uint32_t(compression), uint32_t(compression ? codes.size() : rowsSize), 0u, 0u, 4u, 0u})
        Put32(out, value);
    for (uint32_t colour : {0x000000u, 0xFFFFFFu, 0x0000FFu, 0x00FF00u})
        Put32(out, colour);
    out.insert(out.end(), codes.begin(), codes.end());
    return out;
}

} // namespace

TEST(FindTopDownBitmapTest, BottomUpTwinIsTheSameFileStoredTheOtherWay) {
    BitmapLayout topDown;
    topDown.topDown = true;
    auto black = [](int x, int y) { return (x * 7 + y * 3) % 11 < 4; };
    for (int bits : {1, 24}) {
        std::vector<uint8_t> file = BitmapBytes(37, 9, bits, black, topDown);
        TopDownBitmapLayout layout;
        ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout));
        std::vector<uint8_t> twin(file.size());
        CopyAsBottomUp(file.data(), file.size(), layout, twin.data());
        EXPECT_EQ(BitmapBytes(37, 9, bits, black), twin) << bits << " bits";
    }
}

TEST(FindTopDownBitmapTest, RunLengthCodesUnpackIntoTheTwin) {
    // RLE8, 5 x 3: a run, an absolute stretch, the end of a line; a move two
    // right and one down, a run, the end. Top row first: 1 1 2 3 1 / blank /
    // 0 0 3 3 0.
    const std::vector<uint8_t> rle8 = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1};
    const std::vector<uint8_t> rows8 = {0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 0, 1, 1, 2, 3, 1, 0, 0, 0};
    // RLE4, 5 x 2: a run of two alternating colours, then an absolute stretch
    // of three; top row first 1 2 1 2 1 / 3 0 2 0 0.
    const std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 3, 0x30, 0x20, 0, 1};
    const std::vector<uint8_t> rows4 = {0x30, 0x20, 0, 0, 0x12, 0x12, 0x10, 0};
    struct Case {
        int height, bits, compression;
        const std::vector<uint8_t>& codes;
        const std::vector<uint8_t>& rows;
    } cases[] = {{3, 8, 1, rle8, rows8}, {2, 4, 2, rle4, rows4}};
    for (const Case& c : cases) {
        std::vector<uint8_t> file = RunLengthFile(5, c.height, c.bits, c.compression, c.codes, 0);
        TopDownBitmapLayout layout;
        ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout)) << c.bits;
        std::vector<uint8_t> twin(layout.twinSize);
        CopyAsBottomUp(file.data(), file.size(), layout, twin.data());
        EXPECT_EQ(RunLengthFile(5, c.height, c.bits, 0, c.rows, int(c.rows.size())), twin)
            << c.bits << " bits";
    }
    // Codes that run past the picture or the file stop there.
    std::vector<uint8_t> wild = {255, 1, 0, 2, 1, 1, 0, 40, 1};
    std::vector<uint8_t> file = RunLengthFile(5, 3, 8, 1, wild, 0);
    TopDownBitmapLayout layout;
    ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout));
    std::vector<uint8_t> twin(layout.twinSize);
    CopyAsBottomUp(file.data(), file.size(), layout, twin.data());
    EXPECT_EQ(std::vector<uint8_t>(
                  {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0}),
              std::vector<uint8_t>(twin.begin() + layout.bitsOffset, twin.end()));
}
