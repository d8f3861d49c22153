// The cells of a straight line between two cells, one after the other from the
// first to the last, each exactly once (Bresenham): a quick stroke paints every
// cell between the pointer positions that reached the canvas, not only those.
#pragma once

#include "picture/CanvasGeometry.h"

class LineSteps {
  public:
    // From `from` to `to`, both included; skipFirst leaves out `from` (a cell
    // the stroke has painted already).
    LineSteps(CellHit from, CellHit to, int skipFirst);
    // The next cell of the line; 0 once the last one has been given.
    int Next(CellHit& cell);

  private:
    CellHit at_;
    CellHit to_;
    int stepX_, stepY_;
    int deltaX_, deltaY_; // deltaY_ negative: the usual Bresenham form
    int error_;
    int done_;
};
