#include <gtest/gtest.h>

#include "picture/FloodFill.h"
#include "picture/PictureMoves.h"

namespace {

PictureGrid Empty(int height) {
    PictureGrid picture = {{0}, kGridColumns, height};
    return picture;
}

uint8_t& Cell(PictureGrid& picture, int column, int row) {
    return picture.cells[row * kGridColumns + column];
}

TEST(PictureEditsTest, FillTakesSideNeighboursOnlyAndStopsAtThePicture) {
    PictureGrid picture = Empty(kLogoHeight);
    // A closed diamond of ink, touching itself only at corners, around (50, 10).
    for (int step = 0; step < 5; ++step) {
        Cell(picture, 50 + step, 5 + step) = Cell(picture, 55 - step, 10 + step) = 1;
        Cell(picture, 50 - step, 15 - step) = Cell(picture, 45 + step, 10 - step) = 1;
    }
    PictureGrid inside = picture;
    EXPECT_EQ(1 + 3 + 5 + 7 + 9 + 7 + 5 + 3 + 1, FloodFill(inside, 50, 10, 1)); // the diamond's inside
    PictureGrid outside = picture;
    EXPECT_EQ(101 * 29 - 20 - 41, FloodFill(outside, 0, 0, 1));
    for (int row = kLogoHeight; row < kGridRows; ++row)
        EXPECT_EQ(0, Cell(outside, 7, row)) << "hidden row " << row;
    // The ink diagonal: one cell, its corner neighbours are another region.
    EXPECT_EQ(1, FloodFill(picture, 50, 5, 0));
    EXPECT_EQ(0, Cell(picture, 50, 5));
    EXPECT_EQ(1, Cell(picture, 51, 6));
    EXPECT_EQ(0, FloodFill(picture, 0, 0, 0)) << "nothing to change";
    EXPECT_EQ(0, FloodFill(picture, 0, 29, 1)) << "a hidden row";
}

// At the logo's size, shifts wrap round and mirrors reverse within its 29
// visible rows, leaving the hidden ones (moves at the screensaver's size, and
// their undo, are checked end to end in tests/e2e/test_painting.py).
TEST(PictureEditsTest, MovesStayWithinTheVisibleRows) {
    PictureGrid picture = Empty(kLogoHeight);
    Cell(picture, 0, 0) = Cell(picture, 100, 28) = Cell(picture, 40, 12) = 1;
    Cell(picture, 3, 40) = 1; // hidden
    ShiftPicture(picture, -1, 0);
    ShiftPicture(picture, 0, 1);
    EXPECT_TRUE(Cell(picture, 100, 1) && Cell(picture, 99, 0) && Cell(picture, 39, 13));
    MirrorPictureTopBottom(picture);
    MirrorPictureLeftRight(picture);
    EXPECT_TRUE(Cell(picture, 0, 27) && Cell(picture, 1, 28) && Cell(picture, 61, 15));
    EXPECT_EQ(1, Cell(picture, 3, 40));
    int ink = 0;
    for (uint8_t cell : picture.cells)
        ink += cell;
    EXPECT_EQ(4, ink);
}

} // namespace
