// Feeds arbitrary bytes to the converter's import path, as an image file's
// content: decode (GDK-Pixbuf or the netpbm reader), scale to the picture
// size, decide ink. The bitmap readers of the Windows build go over the same
// bytes. Whatever the decoders accept must come out as a picture:
// every cell 0 or 1, the chosen size, nothing outside it touched. The first
// byte picks the size and the ink rule, so that every path is reached.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "imaging/AreaScaling.h"
#include "imaging/BitFieldBitmap.h"
#include "imaging/ImageDecoder.h"
#include "imaging/InkDecision.h"
#include "imaging/RunLengthBitmap.h"

namespace {

// Small enough that one run stays fast; the limit itself is what is tested.
constexpr int64_t kFuzzMaxPixels = 1 << 20;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "ImageImportFuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    uint8_t choice = data[0];
    for (auto read : {ReadRunLengthBitmap, ReadBitFieldBitmap}) {
        DecodedImage own;
        std::string why;
        if (read(data + 1, size - 1, kFuzzMaxPixels, own, why))
            Check(own.width > 0 && own.height > 0 && own.rgba != nullptr &&
                      int64_t(own.width) * own.height <= kFuzzMaxPixels,
                  "a bitmap reader gave no pixels or too many");
        else
            Check(!why.empty(), "a bitmap reader refused without a reason");
    }
    DecodedImage image;
    std::string error;
    if (!DecodeImage(data + 1, size - 1, kFuzzMaxPixels, image, error)) {
        Check(!error.empty(), "a refused image without a reason");
        return 0;
    }
    Check(image.width > 0 && image.height > 0 && image.rgba != nullptr, "an empty image");
    Check(int64_t(image.width) * image.height <= kFuzzMaxPixels, "the pixel limit was ignored");

    // A logo or a screensaver, inside a grid of the larger size whose other
    // rows must stay empty.
    uint8_t cells[101 * 49] = {};
    const int width = 101, height = choice & 1 ? 29 : 49;
    std::vector<uint32_t> lightness = ScaleByAreaAverage(image, width, height);
    Check(lightness.size() == size_t(width) * height, "wrong number of cells");
    for (uint32_t value : lightness)
        Check(value <= kWhiteLightness, "a cell lighter than white");

    InkRule rule;
    rule.dither = (choice & 2) != 0;
    rule.invert = (choice & 4) != 0;
    rule.threshold = choice & 8 ? 255 : 128;
    DecideInk(lightness, rule, cells, width, height);
    for (uint8_t cell : cells)
        Check(cell <= 1, "a cell holds neither 0 nor 1");
    for (int at = width * height; at < 101 * 49; ++at)
        Check(cells[at] == 0, "a cell outside the picture got ink");
    return 0;
}
