#include "picture/PictureGrid.h"

// Zero-initialised, so that its 4,949 cells take no room in the program file
// (an initialiser with any value other than zero puts the whole grid there).
// The screensaver size is set before any other static object is built, so
// that everything sees the picture as the program starts with it.
PictureGrid thePicture;

namespace {

struct StartSize {
    StartSize() { SetPictureMode(PictureMode::Screensaver); }
};

__attribute__((init_priority(101))) StartSize startSize;

} // namespace

void ClearPicture() {
    for (uint8_t& cell : thePicture.cells)
        cell = 0;
}

void InvertPicture() {
    for (uint8_t& cell : thePicture.cells)
        cell = cell == 0 ? 1 : 0;
}

void SetPictureMode(PictureMode mode) {
    thePicture.width = kGridColumns;
    thePicture.height = mode == PictureMode::Logo ? kLogoHeight : kScreensaverHeight;
}

PictureMode GetPictureMode() {
    return thePicture.height == kLogoHeight ? PictureMode::Logo : PictureMode::Screensaver;
}

int PictureWidth() { return thePicture.width; }

int PictureHeight() { return thePicture.height; }

void SetCell(int column, int row, int value) {
    if (column < 0 || column >= thePicture.width || row < 0 || row >= thePicture.height)
        return;
    thePicture.cells[row * kGridColumns + column] = value ? 1 : 0;
}

int CellAt(int column, int row) {
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows)
        return 0;
    return thePicture.cells[row * kGridColumns + column];
}
