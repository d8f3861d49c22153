// Moving and mirroring the whole picture. Each acts on the cells of the
// current size only: the rows that the logo size hides stay as they are.
#pragma once

#include "picture/PictureGrid.h"

// Moves every cell by columns and rows (negative: left or up), with
// wrap-around: what leaves on one side comes back in on the other.
void ShiftPicture(PictureGrid& picture, int columns, int rows);
// Left to right (each row reversed).
void MirrorPictureLeftRight(PictureGrid& picture);
// Top to bottom (the order of the rows reversed).
void MirrorPictureTopBottom(PictureGrid& picture);
