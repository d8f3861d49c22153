#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "picture/PictureGrid.h"
#include "picture/FreshPicture.h"

namespace {

// The picture's start size is set before any other static object is built, so
// this copy, made during dynamic initialisation, sees it exactly as the
// program starts with it.
const PictureGrid startPicture = thePicture;

class PictureGridTest : public FreshPictureTest {
  protected:

    static int CountInk(int firstRow, int endRow) {
        int ink = 0;
        for (int row = firstRow; row < endRow; ++row)
            for (int column = 0; column < kGridColumns; ++column)
                ink += CellAt(column, row);
        return ink;
    }

    static void Scribble(unsigned seed) {
        std::mt19937 random(seed);
        for (uint8_t& cell : thePicture.cells)
            cell = random() & 1;
    }
};

TEST_F(PictureGridTest, StartsAsEmptyScreensaver) {
    EXPECT_EQ(startPicture.width, 101);
    EXPECT_EQ(startPicture.height, 49);
    for (uint8_t cell : startPicture.cells)
        ASSERT_EQ(cell, 0);
}

TEST_F(PictureGridTest, HiddenRowsKeepContentAcrossSizeSwitch) {
    for (int row = 40; row < 49; ++row)
        SetCell(row + 50, row, 1);
    SetCell(0, 48, 1);
    SetCell(100, 48, 1);
    PictureGrid before = thePicture;

    SetPictureMode(PictureMode::Logo);
    EXPECT_EQ(PictureHeight(), 29);
    EXPECT_EQ(PictureWidth(), 101);
    SetPictureMode(PictureMode::Screensaver);

    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));
    EXPECT_EQ(CountInk(40, 49), 11);
}

TEST_F(PictureGridTest, WholeGridOperationsReachHiddenRows) {
    // Clear with the logo size current empties rows 29 to 48 as well.
    Scribble(1);
    SetPictureMode(PictureMode::Logo);
    ClearPicture();
    EXPECT_EQ(PictureHeight(), 29);
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(CountInk(0, 49), 0);

    // Invert with the logo size current turns the hidden rows to ink too.
    SetPictureMode(PictureMode::Logo);
    InvertPicture();
    EXPECT_EQ(PictureHeight(), 29);
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(CountInk(0, 29), 29 * 101);
    EXPECT_EQ(CountInk(29, 49), 20 * 101);
}

TEST_F(PictureGridTest, InvertTwiceRestoresAndKeepsCellsBinary) {
    Scribble(7);
    PictureGrid before = thePicture;
    InvertPicture();
    for (int i = 0; i < kGridCells; ++i)
        ASSERT_EQ(thePicture.cells[i], 1 - before.cells[i]) << "cell " << i;
    InvertPicture();
    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));

    // A stray value counts as ink and inverts to background, never to another stray.
    thePicture.cells[17] = 7;
    InvertPicture();
    EXPECT_EQ(CellAt(17, 0), 0);
}

TEST_F(PictureGridTest, ModeIsDecidedByHeightAlone) {
    SetPictureMode(PictureMode::Logo);
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(GetPictureMode(), PictureMode::Screensaver);
    for (int height : {0, 28, 30, 49, 100}) {
        thePicture.height = height;
        EXPECT_EQ(GetPictureMode(), PictureMode::Screensaver) << height;
    }
    thePicture.height = 29;
    EXPECT_EQ(GetPictureMode(), PictureMode::Logo);
    // Selecting a mode never touches a cell.
    Scribble(3);
    PictureGrid before = thePicture;
    SetPictureMode(PictureMode::Screensaver);
    SetPictureMode(PictureMode::Logo);
    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));
}

TEST_F(PictureGridTest, SetCellOutsideCurrentPictureChangesNothing) {
    SetPictureMode(PictureMode::Logo);
    PictureGrid before = thePicture;
    SetCell(101, 0, 1); // would land on row 1, column 0
    SetCell(-1, 1, 1);  // would land on row 0, column 100
    SetCell(0, 29, 1);  // a hidden row
    SetCell(0, -1, 1);
    SetCell(0, 49, 1);
    SetCell(100000, 100000, 1);
    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));

    SetPictureMode(PictureMode::Screensaver);
    SetCell(0, 49, 1); // one past the grid's end
    EXPECT_EQ(0, std::memcmp(before.cells, thePicture.cells, sizeof before.cells));
    EXPECT_EQ(thePicture.width, 101);
    EXPECT_EQ(thePicture.height, 49);
}

TEST_F(PictureGridTest, SetCellStoresOnlyInkOrBackground) {
    SetCell(0, 0, 1);
    SetCell(100, 48, 1);
    SetCell(5, 5, 255);
    EXPECT_EQ(CellAt(0, 0), 1);
    EXPECT_EQ(CellAt(100, 48), 1);
    EXPECT_EQ(thePicture.cells[48 * 101 + 100], 1);
    EXPECT_EQ(CellAt(5, 5), 1);
    SetCell(5, 5, 0);
    EXPECT_EQ(CellAt(5, 5), 0);
    EXPECT_EQ(CountInk(0, 49), 2);
}

} // namespace
