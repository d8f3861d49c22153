// The cells of the shapes drawn by dragging from one cell to another: a
// straight line, a rectangle and an ellipse, each as an outline or filled.
// The two corner cells may lie outside the picture (a pointer dragged beyond
// the canvas); what falls outside the picture is cut off.
#pragma once

#include <cstdint>

#include "picture/CanvasGeometry.h"
#include "picture/PictureGrid.h"

enum class Shape { Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse };

// A set of grid cells, indexed as the picture's cells (row * 101 + column).
struct CellSet {
    uint8_t cells[kGridCells];
};

// Fills set with the cells of shape from corner a to corner b that lie in
// the top-left width x height cells; every other cell is left out.
// - Line: the cells a pen stroke paints from a to b (LineSteps).
// - Rectangle: the border of the box with corners a and b, both included;
//   FilledRectangle: every cell of that box.
// - Ellipse: the ellipse inscribed in that box, a closed outline whose cells
//   touch by a side or a corner, symmetric about the box's middle row and
//   column and touching all four sides; a box one cell high or wide gives a
//   straight line. FilledEllipse: the outline and every cell inside it.
void ShapeCells(Shape shape, CellHit a, CellHit b, int width, int height, CellSet& set);
