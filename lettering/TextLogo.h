// A text logo: text drawn in the built-in bitmap font and centred in the
// picture. Glyphs follow each other at their advance widths; each '\n' starts
// a new line one font height plus one row below the last. Each line is centred
// by its own inked cells within the block the lines form, and the block by its
// inked cells within the picture; an odd free space leaves its extra cell on
// the right and below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The inked cells of the laid-out text, cut to their bounding box.
struct TextBlock {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> cells; // width * height, row by row, 1 for ink
};

// The size of the block that text makes at kFontSizes[sizeIndex], without
// drawing it. Every character must be in the font (see GlyphIndex).
void MeasureText(const std::vector<uint32_t>& text, int sizeIndex, bool bold, int& width,
                 int& height);
TextBlock LayOutText(const std::vector<uint32_t>& text, int sizeIndex, bool bold);

struct TextLogo {
    int fontSize = 0; // the size chosen or asked for
    int left = 0;     // where the block's top-left cell lands in the picture
    int top = 0;
    TextBlock block;
};

// The text's first character that the font lacks, or -1.
int FindUnknownCharacter(const std::vector<uint32_t>& text);

// Chooses the size and places the block in a pictureWidth x pictureHeight
// picture. fontSize 0 chooses the largest size whose ink fits with at least
// one cell of margin on every side; another value is one of kFontSizes, which
// the ink must fit. Returns 1, or 0 with one line in error saying how many
// cells the text needs. Every character must be in the font.
int MakeTextLogo(const std::vector<uint32_t>& text, int fontSize, bool bold, int pictureWidth,
                 int pictureHeight, TextLogo& logo, std::string& error);
