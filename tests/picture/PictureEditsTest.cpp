#include <gtest/gtest.h>

#include <cstring>

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

// Shifts wrap round and mirrors reverse within the visible rows, leaving the
// hidden ones; each comes back to the start.
TEST(PictureEditsTest, MovesStayWithinTheVisibleRowsAndUndoThemselves) {
    PictureGrid picture = Empty(kLogoHeight);
    Cell(picture, 0, 0) = Cell(picture, 100, 28) = Cell(picture, 40, 12) = 1;
    Cell(picture, 3, 40) = 1; // hidden
    const PictureGrid start = picture;
    ShiftPicture(picture, -1, 0);
    EXPECT_TRUE(Cell(picture, 100, 0) && Cell(picture, 99, 28) && Cell(picture, 39, 12));
    ShiftPicture(picture, 0, 1);
    EXPECT_TRUE(Cell(picture, 100, 1) && Cell(picture, 99, 0) && Cell(picture, 39, 13));
    ShiftPicture(picture, 0, -1);
    for (int press = 0; press < 100; ++press)
        ShiftPicture(picture, -1, 0);
    EXPECT_EQ(0, std::memcmp(start.cells, picture.cells, sizeof start.cells));
    for (int press = 0; press < 29; ++press)
        ShiftPicture(picture, 0, 1);
    EXPECT_EQ(0, std::memcmp(start.cells, picture.cells, sizeof start.cells));

    MirrorPictureLeftRight(picture);
    EXPECT_TRUE(Cell(picture, 100, 0) && Cell(picture, 0, 28) && Cell(picture, 60, 12));
    MirrorPictureTopBottom(picture);
    EXPECT_TRUE(Cell(picture, 100, 28) && Cell(picture, 0, 0) && Cell(picture, 60, 16));
    EXPECT_EQ(1, Cell(picture, 3, 40));
    MirrorPictureTopBottom(picture);
    MirrorPictureLeftRight(picture);
    EXPECT_EQ(0, std::memcmp(start.cells, picture.cells, sizeof start.cells));
}

} // namespace
