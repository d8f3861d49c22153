// The arithmetic of the canvas: how large a cell is, which cell lies under a
// point, and where a cell is drawn. Plain integers only, so it is tested
// without a window.
#pragma once

// The canvas sits at this offset in its parent's client area, at the
// standard display scale of 96 dots per inch.
constexpr int kCanvasLeft = 5;
constexpr int kCanvasTop = 5;
constexpr int kStandardDpi = 96;

// The canvas's offset at a display scale of dpi dots per inch: kCanvasLeft
// grown with the scale, rounded to the nearest pixel (5, 6, 8 and 10 pixels at
// 96, 120, 144 and 192). The canvas keeps that margin on every side.
int CanvasMargin(int dpi);

// No control below the canvas limits the cell size.
constexpr int kNoControlsBelow = -1;

struct CellHit {
    int column; // -1 when the point lies on no cell
    int row;    // -1 when the point lies on no cell
};

struct CellRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// Cell size for a parent whose client area is clientWidth pixels wide, with
// the canvas margin pixels from its left and top edges: the largest size at
// which the picture's width fits between a margin on either side (that is
// clientWidth / pictureWidth whenever what that leaves over holds both
// margins), but never so large that a full-height canvas (49 rows, margin
// from the top) would reach below controlsTop, the top of the highest control
// under it (kNoControlsBelow when there is none). Dialog units are wider under
// some font substitutes than the heights they come with, and without the bound
// the tall canvas would cover the button row.
int CanvasCellSize(int clientWidth, int pictureWidth, int controlsTop, int margin = kCanvasLeft);

// The cell under (x, y) in a client area of clientWidth x clientHeight pixels.
// Points outside the client area, or beyond the picture's columns and rows,
// give (-1, -1). x and y arrive as unsigned 16-bit words, so points left of or
// above the canvas come in as large numbers and fall outside.
CellHit HitTestCell(int x, int y, int clientWidth, int clientHeight, int cellWidth, int cellHeight,
                    int pictureWidth, int pictureHeight);

CellRect CellRectangle(int column, int row, int cellWidth, int cellHeight);

// The cell under (x, y) wherever the point lies, for a shape dragged beyond
// the canvas: x and y are the pointer's 16-bit words read as signed numbers,
// and a point left of or above the canvas gives a negative column or row.
CellHit CellAtPoint(unsigned x, unsigned y, int cellWidth, int cellHeight);
