#include "imaging/ImageEncoder.h"

#include <string>

#include "imaging/RgbEncoder.h"

namespace {

// 0x00BBGGRR, as the canvas paints it, to three bytes R, G, B.
void PutColour(uint8_t* pixel, uint32_t colour) {
    pixel[0] = uint8_t(colour);
    pixel[1] = uint8_t(colour >> 8);
    pixel[2] = uint8_t(colour >> 16);
}

std::vector<uint8_t> EncodePbm(int scale, const uint8_t* cells, int columns, int rows) {
    int width = columns * scale, height = rows * scale;
    std::string header = "P4\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    size_t rowBytes = (size_t(width) + 7) / 8;
    for (int y = 0; y < height; ++y) {
        size_t start = out.size();
        out.resize(start + rowBytes, 0);
        for (int x = 0; x < width; ++x)
            if (cells[size_t(y / scale) * columns + x / scale] == 1)
                out[start + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
    return out;
}

} // namespace

std::vector<uint8_t> EncodePicture(ImageFormat format, const ImageLook& look, const uint8_t* cells,
                                   int columns, int rows) {
    const int scale = look.scale < 1 ? 1 : look.scale;
    if (format == ImageFormat::Pbm)
        return EncodePbm(scale, cells, columns, rows);

    const int width = columns * scale, height = rows * scale;
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutColour(&pixels[(size_t(y) * width + x) * 3],
                      cells[size_t(y / scale) * columns + x / scale] == 1 ? look.ink
                                                                          : look.background);
    return EncodeRgb(format, width, height, pixels.data());
}
