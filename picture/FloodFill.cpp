#include "picture/FloodFill.h"

#include <cstdint>

int FloodFill(PictureGrid& picture, int column, int row, int value) {
    if (column < 0 || column >= picture.width || row < 0 || row >= picture.height)
        return 0;
    const uint8_t from = picture.cells[row * kGridColumns + column];
    const uint8_t to = value ? 1 : 0;
    if (from == to)
        return 0;
    // Every cell is changed as it is pushed, so none is pushed twice and the
    // stack never holds more than the grid.
    int16_t pending[kGridCells];
    int count = 0, changed = 0;
    auto visit = [&](int c, int r) {
        int16_t at = int16_t(r * kGridColumns + c);
        if (picture.cells[at] != from)
            return;
        picture.cells[at] = to;
        pending[count++] = at;
        ++changed;
    };
    visit(column, row);
    while (count > 0) {
        const int at = pending[--count];
        const int c = at % kGridColumns, r = at / kGridColumns;
        if (c > 0)
            visit(c - 1, r);
        if (c + 1 < picture.width)
            visit(c + 1, r);
        if (r > 0)
            visit(c, r - 1);
        if (r + 1 < picture.height)
            visit(c, r + 1);
    }
    return changed;
}
