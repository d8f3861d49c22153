// The glyphs pixmint-convert draws text with: the Terminus bitmap font, normal
// and bold, at every pixel height it comes in, for printable ASCII and Latin-1.
// TerminusTable.cpp is written by tools/make-font.py, which describes the
// packing; BitmapFont.h unpacks it.
#pragma once

#include <cstdint>

constexpr int kFontFaces = 2;     // 0 normal, 1 bold
constexpr int kFontSizeCount = 9; // 12, 14, 16, 18, 20, 22, 24, 28 and 32 pixels
// A glyph's numbers: advance, then left column, top row, width and height of its ink.
constexpr int kFontGlyphNumbers = 5;

struct FontStrike {
    uint8_t size;   // pixel height of a line: ascent plus descent
    uint8_t ascent; // rows from the top of a line to its baseline
    // Each glyph number is its base plus the next numberBits bits.
    uint8_t numberBase[kFontGlyphNumbers];
    uint8_t numberBits[kFontGlyphNumbers];
    uint32_t bitOffset; // where the strike's first glyph starts in kFontBits
};

extern const FontStrike kFontStrikes[kFontFaces][kFontSizeCount];
extern const uint8_t kFontBits[];
