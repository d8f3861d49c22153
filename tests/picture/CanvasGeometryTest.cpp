#include <gtest/gtest.h>

#include "picture/CanvasGeometry.h"
#include "picture/PictureGrid.h"

namespace {

// The main window's client area on Windows with the default dialog font
// (478 dialog units at 6 pixels per 4 units), and the top of its button row
// (228 units at 13 pixels per 8).
constexpr int kWindowsClientWidth = 717;
constexpr int kWindowsButtonTop = 370;
// The same window under a font substitute with 7-pixel dialog units across.
constexpr int kWideClientWidth = 836;

TEST(CanvasCellSizeTest, IsClientWidthOverPictureWidth) {
    EXPECT_EQ(7, CanvasCellSize(kWindowsClientWidth, kGridColumns, kNoControlsBelow));
    EXPECT_EQ(8, CanvasCellSize(kWideClientWidth, kGridColumns, kNoControlsBelow));
    EXPECT_EQ(1, CanvasCellSize(kGridColumns + 2 * kCanvasLeft, kGridColumns, kNoControlsBelow));
    // No room left for the margins.
    EXPECT_EQ(0, CanvasCellSize(kGridColumns, kGridColumns, kNoControlsBelow));
    // Narrower than the picture: no cell has any area.
    EXPECT_EQ(0, CanvasCellSize(kGridColumns - 1, kGridColumns, kNoControlsBelow));
    EXPECT_EQ(0, CanvasCellSize(0, kGridColumns, kNoControlsBelow));
}

TEST(CanvasCellSizeTest, FullHeightCanvasStaysAboveControlsBelowIt) {
    // On Windows the bound never binds.
    EXPECT_EQ(7, CanvasCellSize(kWindowsClientWidth, kGridColumns, kWindowsButtonTop));
    // Wide dialog units: 8-pixel cells would end at 5 + 392 = 397, over the buttons.
    int cell = CanvasCellSize(kWideClientWidth, kGridColumns, kWindowsButtonTop);
    EXPECT_EQ(7, cell);
    EXPECT_LE(kCanvasTop + cell * kGridRows, kWindowsButtonTop);
    // A canvas that exactly touches the controls is allowed; one pixel less is not.
    EXPECT_EQ(8, CanvasCellSize(kWideClientWidth, kGridColumns, kCanvasTop + 8 * kGridRows));
    EXPECT_EQ(7, CanvasCellSize(kWideClientWidth, kGridColumns, kCanvasTop + 8 * kGridRows - 1));
}

// The margin grows with the scale (96, 120, 144, 192 dpi), and the canvas
// keeps it on the right as well, also at 1314 pixels, where the default dialog
// font puts the client width at 192 dpi.
TEST(CanvasCellSizeTest, MarginGrowsWithTheScaleAndTheCanvasFitsBetweenTwo) {
    EXPECT_EQ(5, CanvasMargin(96));
    EXPECT_EQ(6, CanvasMargin(120));
    EXPECT_EQ(8, CanvasMargin(144));
    EXPECT_EQ(10, CanvasMargin(192));
    EXPECT_EQ(12, CanvasCellSize(1314, kGridColumns, kNoControlsBelow, 10));
    EXPECT_EQ(13, CanvasCellSize(1333, kGridColumns, kNoControlsBelow, 10));
    EXPECT_EQ(8, CanvasCellSize(1075, kGridColumns, 8 + 9 * kGridRows - 1, 8));
}

TEST(CanvasCellSizeTest, ControlsBesideTheCanvasDoNotBindIt) {
    EXPECT_EQ(8, CanvasCellSize(kWideClientWidth, kGridColumns, kCanvasTop));
    EXPECT_EQ(8, CanvasCellSize(kWideClientWidth, kGridColumns, 0));
}

// A canvas of 7-pixel cells whose client area is smaller than its outer size
// by a 1-pixel edge on each side.
constexpr int kCell = 7;
constexpr int kClientWidth = kCell * kGridColumns - 2;
constexpr int kClientHeight = kCell * kGridRows - 2;

CellHit Hit(int x, int y, int height = kGridRows) {
    return HitTestCell(x, y, kClientWidth, kClientHeight, kCell, kCell, kGridColumns, height);
}

void ExpectHit(int column, int row, CellHit hit) {
    EXPECT_EQ(column, hit.column);
    EXPECT_EQ(row, hit.row);
}

TEST(CanvasHitTestTest, BoundaryBelongsToTheCellRightOrBelow) {
    ExpectHit(0, 0, Hit(0, 0));
    ExpectHit(0, 0, Hit(kCell - 1, kCell - 1));
    ExpectHit(1, 1, Hit(kCell, kCell));
    ExpectHit(42, 17, Hit(42 * kCell, 17 * kCell + 3));
}

TEST(CanvasHitTestTest, EveryClientPointLiesOnACell) {
    // The edge makes the last column and row narrower, but they are still hit.
    ExpectHit(kGridColumns - 1, kGridRows - 1, Hit(kClientWidth - 1, kClientHeight - 1));
    for (int y = 0; y < kClientHeight; ++y) {
        for (int x = 0; x < kClientWidth; ++x) {
            CellHit hit = Hit(x, y);
            ASSERT_EQ(x / kCell, hit.column) << x << "," << y;
            ASSERT_EQ(y / kCell, hit.row) << x << "," << y;
        }
    }
}

TEST(CanvasHitTestTest, PointsOutsideTheClientAreaHitNothing) {
    ExpectHit(-1, -1, Hit(kClientWidth, 0));
    ExpectHit(-1, -1, Hit(0, kClientHeight));
    // Left of or above the canvas while it holds the capture: the words
    // arrive unsigned, as 65536 minus the distance.
    ExpectHit(-1, -1, Hit(65535, 10));
    ExpectHit(-1, -1, Hit(10, 65536 - 7));
    ExpectHit(-1, -1, Hit(-1, 10));
}

TEST(CanvasHitTestTest, RowsBelowTheLogoAreNeverHit) {
    // Even where the client area reaches them, as it does for a moment
    // while the canvas is being resized.
    ExpectHit(3, kLogoHeight - 1, Hit(3 * kCell, (kLogoHeight - 1) * kCell, kLogoHeight));
    ExpectHit(-1, -1, Hit(3 * kCell, kLogoHeight * kCell, kLogoHeight));
    ExpectHit(-1, -1, Hit(3 * kCell, 48 * kCell, kLogoHeight));
}

TEST(CanvasHitTestTest, ZeroCellSizeHitsNothing) {
    CellHit hit = HitTestCell(0, 0, 10, 10, 0, 0, kGridColumns, kGridRows);
    ExpectHit(-1, -1, hit);
    ExpectHit(-1, -1, HitTestCell(0, 0, 0, 0, 0, 0, kGridColumns, kGridRows));
}

TEST(CanvasCellRectangleTest, TilesTheCanvasWithoutGapsOrOverlap) {
    CellRect first = CellRectangle(0, 0, kCell, kCell);
    EXPECT_EQ(0, first.left);
    EXPECT_EQ(0, first.top);
    EXPECT_EQ(kCell, first.right);
    EXPECT_EQ(kCell, first.bottom);
    CellRect last = CellRectangle(kGridColumns - 1, kGridRows - 1, kCell, kCell);
    EXPECT_EQ(kCell * kGridColumns, last.right);
    EXPECT_EQ(kCell * kGridRows, last.bottom);
    // A cell's rectangle is exactly the set of points that hit it.
    CellRect cell = CellRectangle(12, 30, kCell, kCell);
    ExpectHit(12, 30, Hit(cell.left, cell.top));
    ExpectHit(12, 30, Hit(cell.right - 1, cell.bottom - 1));
    ExpectHit(13, 31, Hit(cell.right, cell.bottom));
}

} // namespace
