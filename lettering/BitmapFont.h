// The glyphs of the built-in bitmap font (Terminus, from the table in font/),
// unpacked one size and face at a time.
#pragma once

#include <cstdint>
#include <vector>

// The pixel heights the font comes in, smallest first.
constexpr int kFontSizes[] = {12, 14, 16, 18, 20, 22, 24, 28, 32};

// The index of size in kFontSizes, or -1 when the font has no such size.
int FontSizeIndex(int size);

// The position of a character in the font, or -1 when the font lacks it: the
// font has printable ASCII and Latin-1, 0x20-0x7E and 0xA0-0xFF.
int GlyphIndex(uint32_t codePoint);

// One glyph: the pen moves on by advance; its inked cells form a width x
// height box whose top-left cell is left columns right of the pen and top rows
// below the top of the line. A glyph without ink (a space) has width and
// height 0.
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> cells; // width * height, row by row, 1 for ink
};

struct FontStrikeGlyphs {
    int size = 0;              // the height of a line
    int ascent = 0;            // rows from the top of a line to its baseline
    std::vector<Glyph> glyphs; // by GlyphIndex
};

// Every glyph of kFontSizes[sizeIndex] in the normal or the bold face.
FontStrikeGlyphs UnpackFontStrike(int sizeIndex, bool bold);
