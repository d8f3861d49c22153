// Bitmap import through the platform's image loader, on real .bmp files.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "ScratchDirectory.h"
#include "files/BitmapImport.h"
#include "picture/PictureGrid.h"
#include "picture/FreshPicture.h"

namespace {

using BlackAt = std::function<bool(int x, int y)>;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A bitmap file of 1 or 24 bits per pixel, black where black(x, y) says,
// white elsewhere, stored bottom row first as usual.
std::vector<uint8_t> BitmapBytes(int width, int height, int bits, const BlackAt& black) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteSize = bits == 1 ? 8 : 0;
    const int offset = 14 + 40 + paletteSize;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + stride * height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    if (bits == 1) {
        Put32(out, 0x000000); // index 0: black
        Put32(out, 0xFFFFFF); // index 1: white
    }
    for (int i = 0; i < height; ++i) {
        const int y = height - 1 - i;
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            if (bits == 1) {
                if (!black(x, y))
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
            } else if (!black(x, y)) {
                row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = 0xFF;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A pattern with no symmetry, so that a flipped or shifted import shows.
bool Pattern(int x, int y) {
    return (x * 7 + y * 3) % 11 < 4 || (x == 0 && y == 0);
}

class BitmapImportTest : public FreshPictureTest {
  protected:
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::string path = dir.Path(name);
        ScratchDirectory::WriteBytes(path, bytes);
        return path;
    }
    static void ExpectPicture(const BlackAt& black) {
        for (int row = 0; row < PictureHeight(); ++row)
            for (int column = 0; column < kGridColumns; ++column)
                ASSERT_EQ(black(column, row) ? 1 : 0, CellAt(column, row)) << column << "," << row;
    }
    static int InkBelowTheLogo() {
        int ink = 0;
        for (int row = kLogoHeight; row < kGridRows; ++row)
            for (int column = 0; column < kGridColumns; ++column)
                ink += thePicture.cells[row * kGridColumns + column];
        return ink;
    }

    ScratchDirectory dir;
};

TEST_F(BitmapImportTest, ScreensaverSizedImageGivesInkAtItsBlackPixels) {
    for (int bits : {1, 24}) {
        std::string path = Write("picture.bmp", BitmapBytes(101, 49, bits, Pattern));
        ASSERT_EQ(1, IsBitmapFile(path.c_str()));
        ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr)) << bits << " bits";
        ExpectPicture(Pattern);
        EXPECT_EQ(PictureMode::Screensaver, GetPictureMode());
    }
}

TEST_F(BitmapImportTest, LogoSizeImportKeepsTheSizeAndClearsHiddenRows) {
    SetPictureMode(PictureMode::Logo);
    InvertPicture(); // every cell ink, hidden rows included
    std::string path = Write("logo.bmp", BitmapBytes(101, 29, 1, Pattern));
    ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr));
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    ExpectPicture(Pattern);
    EXPECT_EQ(0, InkBelowTheLogo());
}

TEST_F(BitmapImportTest, OtherSizesAreScaledToTheCurrentSize) {
    // Twice the size in both directions, in uniform 2 x 2 blocks.
    auto blocks = [](int x, int y) { return Pattern(x / 2, y / 2); };
    std::string path = Write("large.bmp", BitmapBytes(202, 98, 24, blocks));
    ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr));
    ExpectPicture(Pattern);

    // The screensaver-sized image at the logo size: scaled down, never resized.
    SetPictureMode(PictureMode::Logo);
    InvertPicture();
    path = Write("all-black.bmp", BitmapBytes(101, 49, 1, [](int, int) { return true; }));
    ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr));
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    ExpectPicture([](int, int) { return true; });
    EXPECT_EQ(0, InkBelowTheLogo());

    // A small image is stretched over the whole picture.
    SetPictureMode(PictureMode::Screensaver);
    path = Write("small.bmp", BitmapBytes(10, 7, 24, [](int x, int) { return x < 5; }));
    ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr));
    EXPECT_EQ(1, CellAt(0, 0));
    EXPECT_EQ(1, CellAt(40, 48));
    EXPECT_EQ(0, CellAt(60, 0));
    EXPECT_EQ(0, CellAt(100, 48));
}

TEST_F(BitmapImportTest, DamagedFileIsReportedAndChangesNoCell) {
    SetCell(4, 4, 1); // stands for anything the caller left
    const std::vector<uint8_t> good = BitmapBytes(101, 49, 24, Pattern);
    const std::vector<std::vector<uint8_t>> damaged = {
        {'B', 'M'},
        {'B', 'M', 'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'},
        std::vector<uint8_t>(good.begin(), good.begin() + 20), // cut inside the header
    };
    for (const std::vector<uint8_t>& bytes : damaged) {
        std::string path = Write("damaged.bmp", bytes);
        EXPECT_EQ(1, IsBitmapFile(path.c_str()));
        EXPECT_EQ(0, ImportBitmap(path.c_str(), nullptr)) << bytes.size() << " bytes";
        EXPECT_EQ(1, CellAt(4, 4));
    }
    EXPECT_EQ(0, ImportBitmap(dir.Path("missing.bmp").c_str(), nullptr));
}

} // namespace
