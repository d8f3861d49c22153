#include "lettering/BitmapFont.h"

#include <cstddef>

#include "lettering/font/TerminusTable.h"

namespace {

constexpr int kAsciiGlyphs = 0x7F - 0x20;
constexpr int kGlyphCount = kAsciiGlyphs + 0x100 - 0xA0;

// Reads the table's bits, most significant bit of each byte first.
class BitReader {
  public:
    explicit BitReader(uint32_t position) : position_(position) {}

    int Read(int bits) {
        int value = 0;
        for (int i = 0; i < bits; ++i, ++position_)
            value = (value << 1) | ((kFontBits[position_ >> 3] >> (7 - (position_ & 7))) & 1);
        return value;
    }

  private:
    uint32_t position_;
};

} // namespace

int FontSizeIndex(int size) {
    for (int i = 0; i < kFontSizeCount; ++i)
        if (kFontSizes[i] == size)
            return i;
    return -1;
}

int GlyphIndex(uint32_t codePoint) {
    if (codePoint >= 0x20 && codePoint < 0x7F)
        return int(codePoint - 0x20);
    if (codePoint >= 0xA0 && codePoint <= 0xFF)
        return kAsciiGlyphs + int(codePoint - 0xA0);
    return -1;
}

FontStrikeGlyphs UnpackFontStrike(int sizeIndex, bool bold) {
    static_assert(sizeof kFontSizes / sizeof kFontSizes[0] == kFontSizeCount, "one size a strike");
    const FontStrike& strike = kFontStrikes[bold ? 1 : 0][sizeIndex];
    FontStrikeGlyphs result;
    result.size = strike.size;
    result.ascent = strike.ascent;
    result.glyphs.resize(kGlyphCount);
    BitReader reader(strike.bitOffset);
    for (Glyph& glyph : result.glyphs) {
        int numbers[kFontGlyphNumbers];
        for (int k = 0; k < kFontGlyphNumbers; ++k)
            numbers[k] = strike.numberBase[k] + reader.Read(strike.numberBits[k]);
        glyph.advance = numbers[0];
        glyph.left = numbers[1];
        glyph.top = numbers[2];
        glyph.width = numbers[3];
        glyph.height = numbers[4];
        glyph.cells.resize(size_t(glyph.width) * glyph.height);
        uint8_t* row = glyph.cells.data();
        for (int y = 0; y < glyph.height; ++y, row += glyph.width) {
            // Every row but the first may repeat the one above.
            if (y > 0 && reader.Read(1)) {
                for (int x = 0; x < glyph.width; ++x)
                    row[x] = row[x - glyph.width];
                continue;
            }
            for (int x = 0; x < glyph.width; ++x)
                row[x] = uint8_t(reader.Read(1));
        }
    }
    return result;
}
