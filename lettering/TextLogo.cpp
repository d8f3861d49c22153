#include "lettering/TextLogo.h"

#include <algorithm>

#include "lettering/BitmapFont.h"

namespace {

// The inked columns of one line, in pen coordinates; first > last for a line
// without ink.
struct LineInk {
    int first = 0;
    int last = -1;
};

// Widens the span first..last (empty when first > last) to take in from..to.
void Widen(int& first, int& last, int from, int to) {
    if (first > last) {
        first = from;
        last = to;
    } else {
        first = std::min(first, from);
        last = std::max(last, to);
    }
}

// Walks the text: onGlyph(line, pen, glyph) for each glyph with ink, and at
// the end of each line onLine(line, ink) with the line's inked columns.
template <typename OnLine, typename OnGlyph>
void WalkText(const std::vector<uint32_t>& text, const FontStrikeGlyphs& strike, OnLine onLine,
              OnGlyph onGlyph) {
    int line = 0, pen = 0;
    LineInk ink;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            onLine(line, ink);
            ++line;
            pen = 0;
            ink = LineInk();
            continue;
        }
        const Glyph& glyph = strike.glyphs[size_t(GlyphIndex(text[i]))];
        if (glyph.width > 0) {
            const int first = pen + glyph.left;
            Widen(ink.first, ink.last, first, first + glyph.width - 1);
            onGlyph(line, pen, glyph);
        }
        pen += glyph.advance;
    }
}

// The ink of every line, and the block's inked rows in text coordinates
// (line n starts at row n * (size + 1)).
struct TextExtent {
    std::vector<LineInk> lines;
    int width = 0;
    int firstRow = 0;
    int lastRow = -1;
};

TextExtent MeasureLines(const std::vector<uint32_t>& text, const FontStrikeGlyphs& strike) {
    TextExtent extent;
    const int pitch = strike.size + 1;
    WalkText(
        text, strike, [&](int, const LineInk& ink) { extent.lines.push_back(ink); },
        [&](int line, int, const Glyph& glyph) {
            const int first = line * pitch + glyph.top;
            Widen(extent.firstRow, extent.lastRow, first, first + glyph.height - 1);
        });
    for (const LineInk& ink : extent.lines)
        extent.width = std::max(extent.width, ink.last - ink.first + 1);
    return extent;
}

int BlockHeight(const TextExtent& extent) {
    return extent.lastRow - extent.firstRow + 1;
}

} // namespace

void MeasureText(const std::vector<uint32_t>& text, int sizeIndex, bool bold, int& width,
                 int& height) {
    TextExtent extent = MeasureLines(text, UnpackFontStrike(sizeIndex, bold));
    width = extent.width;
    height = BlockHeight(extent);
}

TextBlock LayOutText(const std::vector<uint32_t>& text, int sizeIndex, bool bold) {
    FontStrikeGlyphs strike = UnpackFontStrike(sizeIndex, bold);
    TextExtent extent = MeasureLines(text, strike);
    TextBlock block;
    block.width = extent.width;
    block.height = BlockHeight(extent);
    block.cells.assign(size_t(block.width) * block.height, 0);
    const int pitch = strike.size + 1;
    WalkText(
        text, strike, [](int, const LineInk&) {},
        [&](int line, int pen, const Glyph& glyph) {
            const LineInk& ink = extent.lines[size_t(line)];
            // The line's ink centred in the block's width, extra cell right.
            int shift = (block.width - (ink.last - ink.first + 1)) / 2 - ink.first;
            int left = pen + glyph.left + shift;
            int top = line * pitch + glyph.top - extent.firstRow;
            for (int y = 0; y < glyph.height; ++y)
                for (int x = 0; x < glyph.width; ++x)
                    if (glyph.cells[size_t(y) * glyph.width + x])
                        block.cells[size_t(top + y) * block.width + left + x] = 1;
        });
    return block;
}

int FindUnknownCharacter(const std::vector<uint32_t>& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\n' && GlyphIndex(text[i]) < 0)
            return int(i);
    return -1;
}

int MakeTextLogo(const std::vector<uint32_t>& text, int fontSize, bool bold, int pictureWidth,
                 int pictureHeight, TextLogo& logo, std::string& error) {
    constexpr int kSizes = int(sizeof kFontSizes / sizeof kFontSizes[0]);
    const int margin = fontSize == 0 ? 1 : 0;
    int sizeIndex = fontSize == 0 ? kSizes - 1 : FontSizeIndex(fontSize);
    for (;; --sizeIndex) {
        int width, height;
        MeasureText(text, sizeIndex, bold, width, height);
        if (width + 2 * margin <= pictureWidth && height + 2 * margin <= pictureHeight)
            break;
        if (fontSize != 0 || sizeIndex == 0) {
            std::string cells = std::to_string(width + 2 * margin) + " x " +
                                std::to_string(height + 2 * margin) + " cells";
            error = "the text needs " + cells +
                    (margin ? " with a cell of margin even at the smallest font size, "
                            : " at font size ") +
                    std::to_string(kFontSizes[sizeIndex]) + "; the picture has " +
                    std::to_string(pictureWidth) + " x " + std::to_string(pictureHeight);
            return 0;
        }
    }
    logo.fontSize = kFontSizes[sizeIndex];
    logo.block = LayOutText(text, sizeIndex, bold);
    logo.left = (pictureWidth - logo.block.width) / 2;
    logo.top = (pictureHeight - logo.block.height) / 2;
    return 1;
}
