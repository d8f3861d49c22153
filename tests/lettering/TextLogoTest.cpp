#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lettering/BitmapFont.h"
#include "lettering/TextLogo.h"

namespace {

std::vector<uint32_t> Text(const std::string& ascii) {
    return std::vector<uint32_t>(ascii.begin(), ascii.end());
}

std::vector<std::string> Rows(const TextBlock& block) {
    std::vector<std::string> rows;
    for (int y = 0; y < block.height; ++y) {
        rows.emplace_back();
        for (int x = 0; x < block.width; ++x)
            rows.back() += block.cells[size_t(y) * block.width + x] ? '#' : '.';
    }
    return rows;
}

// Glyphs from the table, pasted at their advances on one line and cut to their ink.
TextBlock PasteGlyphs(const std::string& word, int size, bool bold) {
    FontStrikeGlyphs strike = UnpackFontStrike(FontSizeIndex(size), bold);
    std::vector<std::pair<int, int>> ink;
    int pen = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    for (char c : word) {
        const Glyph& glyph = strike.glyphs[size_t(GlyphIndex(uint8_t(c)))];
        for (int y = 0; y < glyph.height; ++y)
            for (int x = 0; x < glyph.width; ++x)
                if (glyph.cells[size_t(y) * glyph.width + x]) {
                    ink.emplace_back(pen + glyph.left + x, glyph.top + y);
                    left = std::min(left, ink.back().first),
                    right = std::max(right, ink.back().first);
                    top = std::min(top, ink.back().second),
                    bottom = std::max(bottom, ink.back().second);
                }
        pen += glyph.advance;
    }
    TextBlock block;
    block.width = right - left + 1;
    block.height = bottom - top + 1;
    block.cells.assign(size_t(block.width) * block.height, 0);
    for (auto [x, y] : ink)
        block.cells[size_t(y - top) * block.width + x - left] = 1;
    return block;
}

TEST(TextLogoTest, DrawsTheFontsGlyphsCentredByTheirInk) {
    TextLogo logo;
    std::string error;
    ASSERT_EQ(MakeTextLogo(Text("A"), 12, false, 101, 49, logo, error), 1) << error;
    EXPECT_EQ(Rows(logo.block), (std::vector<std::string>{".###.", "#...#", "#...#", "#...#",
                                                          "#####", "#...#", "#...#", "#...#"}));
    EXPECT_EQ(logo.left, 48);
    EXPECT_EQ(logo.top, 20); // 41 free rows: the extra one below

    for (bool bold : {false, true}) {
        const char* word = bold ? "Hi" : "Hi Kay";
        ASSERT_EQ(MakeTextLogo(Text(word), 16, bold, 101, 29, logo, error), 1) << error;
        TextBlock expected = PasteGlyphs(word, 16, bold);
        EXPECT_EQ(Rows(logo.block), Rows(expected)) << word;
        ASSERT_EQ((101 - expected.width) % 2, 1) << "a test of odd free space";
        EXPECT_EQ(logo.left, (101 - expected.width - 1) / 2);
        EXPECT_EQ(logo.top, (29 - expected.height) / 2);
    }
}

TEST(TextLogoTest, CentresEachLineWithinTheBlock) {
    TextLogo logo;
    std::string error;
    ASSERT_EQ(MakeTextLogo(Text("Hi\n\nA"), 12, false, 101, 49, logo, error), 1) << error;
    TextBlock first = PasteGlyphs("Hi", 12, false), second = PasteGlyphs("A", 12, false);
    ASSERT_EQ((first.width - second.width) % 2, 1);
    // The A's line starts two lines (2 x 13 rows) below the first, whose ink
    // starts with the dot of the i.
    FontStrikeGlyphs strike = UnpackFontStrike(0, false);
    int secondTop = 26 + strike.glyphs[size_t(GlyphIndex('A'))].top -
                    strike.glyphs[size_t(GlyphIndex('i'))].top;
    ASSERT_EQ(logo.block.width, first.width);
    ASSERT_EQ(logo.block.height, secondTop + second.height);
    int secondLeft = (first.width - second.width) / 2;
    for (int y = 0; y < logo.block.height; ++y)
        for (int x = 0; x < logo.block.width; ++x) {
            int want = 0;
            if (y < first.height)
                want = first.cells[size_t(y) * first.width + x];
            else if (y >= secondTop && x >= secondLeft && x < secondLeft + second.width)
                want = second.cells[size_t(y - secondTop) * second.width + x - secondLeft];
            ASSERT_EQ(logo.block.cells[size_t(y) * logo.block.width + x], want) << x << "," << y;
        }
}

TEST(TextLogoTest, ChoosesTheLargestSizeWithAMarginOrRefuses) {
    TextLogo logo;
    std::string error;
    ASSERT_EQ(MakeTextLogo(Text("Pixmint"), 0, false, 101, 29, logo, error), 1) << error;
    EXPECT_EQ(logo.fontSize, 28);
    int width, height;
    MeasureText(Text("Pixmint"), FontSizeIndex(32), false, width, height);
    EXPECT_GT(width, 99);
    // Asked for, a size must fit the picture; without a choice, even 12 must.
    EXPECT_EQ(MakeTextLogo(Text("Pixmint"), 32, false, 101, 29, logo, error), 0);
    EXPECT_NE(error.find("needs"), std::string::npos) << error;
    std::string longText(20, 'W');
    EXPECT_EQ(MakeTextLogo(Text(longText), 0, false, 101, 49, logo, error), 0);
    MeasureText(Text(longText), 0, false, width, height);
    EXPECT_NE(error.find(std::to_string(width + 2) + " x " + std::to_string(height + 2)),
              std::string::npos)
        << error;
}

TEST(TextLogoTest, FindsCharactersTheFontLacks) {
    EXPECT_EQ(FindUnknownCharacter({'A', 0x20AC, 'B'}), 1);
    EXPECT_EQ(FindUnknownCharacter({0x7F}), 0);
    EXPECT_EQ(FindUnknownCharacter({'\n', 0xA0, 0xFF, '~'}), -1);
}

} // namespace
