#include "picture/PictureMoves.h"

#include <cstdint>
#include <cstring>

namespace {

// The remainder of value / modulus in 0..modulus-1, for negative values too.
int Wrap(int value, int modulus) {
    int rest = value % modulus;
    return rest < 0 ? rest + modulus : rest;
}

} // namespace

void ShiftPicture(PictureGrid& picture, int columns, int rows) {
    const int width = picture.width, height = picture.height;
    if (width <= 0 || height <= 0)
        return;
    uint8_t before[kGridCells];
    std::memcpy(before, picture.cells, sizeof before);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            picture.cells[Wrap(row + rows, height) * kGridColumns + Wrap(column + columns, width)] =
                before[row * kGridColumns + column];
}

void MirrorPictureLeftRight(PictureGrid& picture) {
    for (int row = 0; row < picture.height; ++row) {
        uint8_t* cells = picture.cells + row * kGridColumns;
        for (int left = 0, right = picture.width - 1; left < right; ++left, --right) {
            uint8_t kept = cells[left];
            cells[left] = cells[right];
            cells[right] = kept;
        }
    }
}

void MirrorPictureTopBottom(PictureGrid& picture) {
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom) {
        uint8_t* upper = picture.cells + top * kGridColumns;
        uint8_t* lower = picture.cells + bottom * kGridColumns;
        for (int column = 0; column < picture.width; ++column) {
            uint8_t kept = upper[column];
            upper[column] = lower[column];
            lower[column] = kept;
        }
    }
}
