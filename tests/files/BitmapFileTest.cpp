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

// A 5-pixel wide 4-bit file of 4 colours, its rows given as RLE4 codes (top
// row first) or, with no compression, stored (bottom row first).
std::vector<uint8_t> FourBitFile(int height, int compression, const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> out = {'B', 'M'};
    for (uint32_t value :
         {70u + uint32_t(rows.size()), 0u, 70u, 40u, 5u, uint32_t(compression ? -height : height),
          0x40001u, uint32_t(compression), uint32_t(rows.size()), 0u, 0u, 4u, 0u, 0u, 0xFFFFFFu,
          0xFFu, 0xFF00u})
        Put32(out, value);
    out.insert(out.end(), rows.begin(), rows.end());
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
    // A run of two alternating colours, the end of the line; an absolute
    // stretch of three, a move one right and one down, a run of one, the end;
    // then codes past the end. Top row first: 1 2 1 2 1 / 3 0 2 0 0 / 0 0 0 0 3.
    const std::vector<uint8_t> codes = {5, 0x12, 0, 0, 0,    3, 0x30, 0x20, 0,
                                        2, 1,    1, 1, 0x33, 0, 1,    255,  3};
    std::vector<uint8_t> file = FourBitFile(3, 2, codes);
    TopDownBitmapLayout layout;
    ASSERT_EQ(1, FindTopDownBitmap(file.data(), file.size(), layout));
    std::vector<uint8_t> twin(layout.twinSize);
    CopyAsBottomUp(file.data(), file.size(), layout, twin.data());
    EXPECT_EQ(FourBitFile(3, 0, {0, 0, 0x30, 0, 0x30, 0x20, 0, 0, 0x12, 0x12, 0x10, 0}), twin);
}
