// Feeds arbitrary bytes to the converter's text logos as a --text argument:
// decode, then lay out and place at the size the first byte picks (or the
// chosen one). Whatever is drawn must lie inside the picture, cut to its ink.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "convert/TextArgument.h"
#include "lettering/BitmapFont.h"
#include "lettering/TextLogo.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "TextLogoFuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    uint8_t choice = data[0];
    std::vector<uint32_t> text;
    std::string error;
    if (!DecodeTextArgument(std::string(data + 1, data + size), text, error) ||
        FindUnknownCharacter(text) >= 0)
        return 0;
    int fontSize = choice % 10 == 9 ? 0 : kFontSizes[choice % 10];
    int height = choice & 0x80 ? 29 : 49;
    TextLogo logo;
    if (!MakeTextLogo(text, fontSize, (choice & 0x40) != 0, 101, height, logo, error)) {
        Check(error.find("needs") != std::string::npos, "a refusal without the cells needed");
        return 0;
    }
    const TextBlock& block = logo.block;
    Check(block.cells.size() == size_t(block.width) * block.height, "a block of the wrong size");
    Check(logo.left >= 0 && logo.top >= 0 && logo.left + block.width <= 101 &&
              logo.top + block.height <= height,
          "a block outside the picture");
    if (block.cells.empty())
        return 0;
    // Cut to its ink: the first and last rows and columns each hold some.
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int x = 0; x < block.width; ++x) {
        top |= block.cells[size_t(x)];
        bottom |= block.cells[size_t(block.height - 1) * block.width + x];
    }
    for (int y = 0; y < block.height; ++y) {
        left |= block.cells[size_t(y) * block.width];
        right |= block.cells[size_t(y) * block.width + block.width - 1];
    }
    Check(top && bottom && left && right, "a block with an empty border");
    return 0;
}
