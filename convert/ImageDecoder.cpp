#include "convert/ImageDecoder.h"

#include <climits>

#include "convert/JpegGuard.h"
#include "convert/NetpbmReader.h"
#include "convert/StbImage.h"

int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error) {
    if (IsNetpbm(data, size))
        return ReadNetpbm(data, size, maxPixels, image, error);

    int width = 0, height = 0, channels = 0;
    if (size > size_t(INT_MAX) ||
        !stbi_info_from_memory(data, int(size), &width, &height, &channels)) {
        error = "not a block file, nor an image in a format this program reads";
        return 0;
    }
    if (width <= 0 || height <= 0 || int64_t(width) * height > maxPixels) {
        error = "image too large (" + std::to_string(width) + " x " + std::to_string(height) +
                " pixels)";
        return 0;
    }
    if (IsJpeg(data, size) && !JpegTablesAreSound(data, size)) {
        error = "damaged JPEG image (bad Huffman table)";
        return 0;
    }
    uint8_t* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        error = std::string("damaged image (") + stbi_failure_reason() + ")";
        return 0;
    }
    image.rgba.reset(pixels);
    image.width = width;
    image.height = height;
    return 1;
}
