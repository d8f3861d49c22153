// The run-length codes of RLE8 and RLE4 bitmaps, walked in one place for the
// whole-file check, the reader and the editor's top-down twin. Each code is
// two bytes: a count and a value give a run (of one index, or in RLE4 of two
// taking turns, high nibble first); a count of 0 and a value of 0 ends the
// row, 1 ends the picture, 2 moves right and up by the next two bytes, and
// 3 to 255 give that many indexes as they are, padded to whole 16-bit words.
// Rows come bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the walk puts the pixels: x from the left, y the row in the order the
// codes come (0 the bottom row of an ordinary bitmap), as far as the codes
// say, which may be outside the picture.
class RunLengthPixels {
  public:
    virtual ~RunLengthPixels() = default;
    virtual void Put(int64_t x, int64_t y, uint32_t index) = 0;
    // Pixels from this x on lie outside the picture: the walk skips them
    // without a call, so that a file of long runs past the row's end costs
    // a step a code, not a step a pixel.
    virtual int64_t Width() const = 0;
};

// Walks codes until the end-of-picture mark or the end of the last of rows
// rows. Returns 1 when it got there, 0 when the codes ran out before; pixels
// may be null when only that matters.
int WalkRunLength(const uint8_t* codes, size_t size, bool fourBits, int64_t rows,
                  RunLengthPixels* pixels);
