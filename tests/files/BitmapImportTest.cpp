// Bitmap import through the platform's image loader, on real .bmp files.
#include <gtest/gtest.h>

#include <windows.h>

#include "BitmapBytes.h"
#include "ScratchDirectory.h"
#include "files/BitmapImport.h"
#include "picture/PictureGrid.h"
#include "picture/FreshPicture.h"

namespace {

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

TEST_F(BitmapImportTest, WhiteFirstPaletteAndTopDownRowsGiveTheSamePicture) {
    BitmapLayout whiteFirst, topDown, both;
    whiteFirst.whiteFirst = both.whiteFirst = true;
    topDown.topDown = both.topDown = true;
    const std::pair<int, BitmapLayout> cases[] = {{1, whiteFirst}, {1, topDown}, {24, topDown}, {1, both}};
    for (const auto& [bits, layout] : cases) {
        SCOPED_TRACE(testing::Message() << bits << " bits, white first " << layout.whiteFirst
                                        << ", top down " << layout.topDown);
        std::string path = Write("layout.bmp", BitmapBytes(101, 49, bits, Pattern, layout));
        ASSERT_EQ(1, ImportBitmap(path.c_str(), nullptr));
        ExpectPicture(Pattern);
    }
}

TEST_F(BitmapImportTest, ImageThatCannotBeReadChangesNoCell) {
    SetCell(4, 4, 1); // stands for anything the caller left
    std::string path = Write("picture.bmp", BitmapBytes(101, 49, 1, Pattern));
    HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 101, 49,
                              LR_LOADFROMFILE | LR_MONOCHROME | LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, image);

    // A bitmap selected into one device context cannot be selected into another.
    HDC holder = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(holder, image);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(0, CopyBitmapToPicture(image, nullptr));
    EXPECT_EQ(1, CellAt(4, 4));
    SelectObject(holder, previous);
    DeleteDC(holder);

    // No memory device context compatible with one that is gone.
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_EQ(0, CopyBitmapToPicture(image, gone));
    EXPECT_EQ(1, CellAt(4, 4));

    EXPECT_EQ(1, CopyBitmapToPicture(image, nullptr));
    ExpectPicture(Pattern);
    DeleteObject(image);
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
