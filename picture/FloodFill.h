// Filling a region of the picture: the cells of one value joined by their
// sides (not by their corners), as a paint bucket fills.
#pragma once

#include "picture/PictureGrid.h"

// Sets the region of (column, row) within the picture's current size to
// value. Returns the number of cells changed: 0 when the cell lies outside
// the picture or already holds value. The region is walked with a stack of
// its own, never by recursion.
int FloodFill(PictureGrid& picture, int column, int row, int value);
