// The one picture the editor works on: a 101 x 49 grid of cells, one byte each
// (1 = ink, 0 = background), of which the top-left width x height cells form
// the current picture. The grid never moves when the size changes, so rows 29
// to 48 keep their content, hidden, while the logo size is current.
#pragma once

#include <cstdint>

constexpr int kGridColumns = 101;      // also the row stride, whatever the size
constexpr int kGridRows = 49;
constexpr int kGridCells = kGridColumns * kGridRows;
constexpr int kLogoHeight = 29;
constexpr int kScreensaverHeight = 49;

enum class PictureMode {
    Logo,        // 101 x 29, the operator logo
    Screensaver  // 101 x 49
};

struct PictureGrid {
    uint8_t cells[kGridCells];
    int32_t width;
    int32_t height;
};

// The process-wide picture. Read it through the functions below.
extern PictureGrid thePicture;

void ClearPicture();                 // all 4949 cells to 0, hidden rows included
void InvertPicture();                // all 4949 cells: 0 -> 1, anything else -> 0
void SetPictureMode(PictureMode mode);
PictureMode GetPictureMode();        // Logo exactly when the height is 29

int PictureWidth();
int PictureHeight();

// Stores value at (column, row) when the position lies in the current picture;
// anything outside it is ignored.
void SetCell(int column, int row, int value);
// The value of (column, row), for 0 <= column < 101 and 0 <= row < 49.
int CellAt(int column, int row);
