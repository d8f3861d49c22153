// From cell lightness to ink and background: a plain threshold, or
// Floyd-Steinberg error diffusion, which keeps the shades of a photo or a grey
// image as dot density where a threshold would flatten them.
#pragma once

#include <cstdint>
#include <vector>

// The threshold is a grey level: 0 (black) to kMaxThreshold (white).
constexpr int kMaxThreshold = 255;
constexpr int kDefaultThreshold = 128;

struct InkRule {
    int threshold = kDefaultThreshold; // a cell darker than this becomes ink
    bool dither = false;
    bool invert = false; // swap ink and background at the end
};

// Fills the width x height cells (one byte each, row by row, 1 for ink) from
// their lightness, in the units of AreaScaling.h, which lightness holds in
// the same order.
void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule, uint8_t* cells,
               int width, int height);

// The same for the columns x rows cells from (left, top) on of a width x
// height picture, which lightness describes; the cells around them are left
// as they are, and nothing outside the picture is written.
void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule, uint8_t* cells,
               int width, int height, int left, int top, int columns, int rows);
