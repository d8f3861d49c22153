#include "convert/ImageDecoder.h"

#include <climits>
#include <cstring>

#include "convert/JpegGuard.h"
#include "convert/NetpbmReader.h"
#include "convert/StbImage.h"

namespace {

// The format a file claims by its first bytes, to name it in messages.
const char* ClaimedFormat(const uint8_t* data, size_t size) {
    auto startsWith = [&](const char* magic, size_t length) {
        return size >= length && std::memcmp(data, magic, length) == 0;
    };
    if (startsWith("\x89PNG", 4))
        return "PNG";
    if (startsWith("BM", 2))
        return "BMP";
    if (startsWith("GIF8", 4))
        return "GIF";
    if (IsJpeg(data, size))
        return "JPEG";
    return nullptr;
}

} // namespace

int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error) {
    if (IsNetpbm(data, size))
        return ReadNetpbm(data, size, maxPixels, image, error);

    // Even reading a JPEG's size makes stb_image build its Huffman tables.
    if (IsJpeg(data, size) && !JpegTablesAreSound(data, size)) {
        error = "damaged JPEG image (bad Huffman table)";
        return 0;
    }
    const char* format = ClaimedFormat(data, size);
    if (format == nullptr) {
        error = "not a block file, nor an image in a format this program reads";
        return 0;
    }
    int width = 0, height = 0, channels = 0;
    if (size > size_t(INT_MAX) ||
        !stbi_info_from_memory(data, int(size), &width, &height, &channels)) {
        error = std::string("damaged ") + format + " image, or one too large to read";
        return 0;
    }
    if (width <= 0 || height <= 0) {
        error = std::string("damaged ") + format + " image (no pixels)";
        return 0;
    }
    if (int64_t(width) * height > maxPixels) {
        error = "image too large (" + std::to_string(width) + " x " + std::to_string(height) +
                " pixels)";
        return 0;
    }
    uint8_t* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        error = std::string("damaged ") + format + " image (" + stbi_failure_reason() + ")";
        return 0;
    }
    image.rgba.reset(pixels);
    image.width = width;
    image.height = height;
    return 1;
}
