// From cell lightness to ink and background in the picture: a plain
// threshold, or Floyd-Steinberg error diffusion, which keeps the shades of a
// photo or a grey image as dot density where a threshold would flatten them.
#pragma once

#include <cstdint>
#include <vector>

struct InkRule {
    int threshold = 128; // 0..255: a cell darker than this becomes ink
    bool dither = false;
    bool invert = false; // swap ink and background at the end
};

// Fills the current picture (PictureWidth() x PictureHeight()) from the
// lightness of its cells, row by row, in the units of AreaScaling.h. The
// caller has cleared the picture and chosen its size.
void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule);

// The same for the width x height cells from (left, top) on, which lightness
// describes; the cells around them are left as they are.
void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule, int left, int top,
               int width, int height);
