#include "picture/CanvasGeometry.h"

#include <cstdint>

#include "picture/PictureGrid.h"

int CanvasMargin(int dpi) {
    return (kCanvasLeft * dpi + kStandardDpi / 2) / kStandardDpi;
}

int CanvasCellSize(int clientWidth, int pictureWidth, int controlsTop, int margin) {
    if (pictureWidth <= 0 || clientWidth <= 0)
        return 0;
    // The margin on the right as well: a client width just above a multiple of
    // the picture's would otherwise push the last columns past its right edge.
    int cell = clientWidth > 2 * margin ? (clientWidth - 2 * margin) / pictureWidth : 0;
    // Controls at or above the canvas's top edge are beside it, not below it.
    if (controlsTop > margin) {
        int fitting = (controlsTop - margin) / kGridRows;
        if (cell > fitting)
            cell = fitting;
    }
    return cell;
}

CellHit HitTestCell(int x, int y, int clientWidth, int clientHeight, int cellWidth, int cellHeight,
                    int pictureWidth, int pictureHeight) {
    const CellHit none = {-1, -1};
    // Left and top inclusive, right and bottom exclusive, as PtInRect has it.
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight)
        return none;
    // A zero cell size leaves the window without area; guard the division anyway.
    if (cellWidth <= 0 || cellHeight <= 0)
        return none;
    CellHit hit = {x / cellWidth, y / cellHeight};
    if (hit.column >= pictureWidth || hit.row >= pictureHeight)
        return none;
    return hit;
}

CellRect CellRectangle(int column, int row, int cellWidth, int cellHeight) {
    return {column * cellWidth, row * cellHeight, (column + 1) * cellWidth, (row + 1) * cellHeight};
}

namespace {

// value / divisor rounded down, for negative values too.
int FloorDivide(int value, int divisor) {
    int quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

} // namespace

CellHit CellAtPoint(unsigned x, unsigned y, int cellWidth, int cellHeight) {
    if (cellWidth <= 0 || cellHeight <= 0)
        return {0, 0};
    return {FloorDivide(int16_t(x), cellWidth), FloorDivide(int16_t(y), cellHeight)};
}
