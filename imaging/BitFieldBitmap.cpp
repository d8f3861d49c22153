#include "imaging/BitFieldBitmap.h"

#include <cstdlib>

#include "imaging/BitmapHeaders.h"
#include "imaging/ByteOrder.h"
#include "imaging/ImageIntegrity.h"

namespace {

// Where a channel lies in a pixel: after shift bits, bits wide.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    // 0 when the mask's bits are not all in one run.
    int Set(uint32_t value) {
        mask = value;
        shift = bits = 0;
        if (value == 0)
            return 1;
        while (!(value >> shift & 1))
            ++shift;
        while (shift + bits < 32 && (value >> (shift + bits) & 1))
            ++bits;
        return uint64_t(value >> shift) + 1 == uint64_t(1) << bits;
    }

    // The channel's value, 0..255, to the nearest level.
    uint8_t Of(uint32_t pixel, uint8_t absent) const {
        if (bits == 0)
            return absent;
        const uint64_t top = (uint64_t(1) << bits) - 1, value = (pixel & mask) >> shift;
        return uint8_t((value * 510 + top) / (2 * top));
    }
};

} // namespace

int IsBitFieldBitmap(const uint8_t* data, size_t size) {
    BitmapHeaders bmp;
    return ReadBitmapHeaders(data, size, bmp) && bmp.headerSize >= kBitmapInfoHeaderSize &&
           bmp.headerSize != 64 && (bmp.bitCount == 16 || bmp.bitCount == 32) &&
           bmp.compression == kBitmapBitFields;
}

int ReadBitFieldBitmap(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                       std::string& error) {
    error = "damaged BMP image (its bit fields are not readable)";
    BitmapHeaders bmp;
    if (!IsBitFieldBitmap(data, size) || !ReadBitmapHeaders(data, size, bmp))
        return 0;
    const uint32_t header = bmp.headerSize;
    const int64_t width = bmp.width, height = bmp.height, rows = bmp.Rows();
    const int bytesPerPixel = int(bmp.bitCount / 8);
    // The masks end the header, or follow a 40-byte one.
    const size_t masks = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    if (width <= 0 || rows == 0 || size < masks + 12 || (header >= 56 && size < masks + 16))
        return 0;
    Channel red, green, blue, alpha;
    if (!red.Set(LittleEndian32(data + masks)) || !green.Set(LittleEndian32(data + masks + 4)) ||
        !blue.Set(LittleEndian32(data + masks + 8)) ||
        !alpha.Set(header >= 56 ? LittleEndian32(data + masks + 12) : 0))
        return 0;
    if (width * rows > maxPixels) {
        error = ImageTooLarge(width, rows);
        return 0;
    }
    const uint64_t stride = bmp.Stride();
    const uint64_t offset = bmp.bitsOffset;
    if (offset > size || stride * uint64_t(rows) > size - offset)
        return 0;
    uint8_t* rgba = static_cast<uint8_t*>(std::malloc(size_t(width * rows * 4)));
    if (rgba == nullptr) {
        error = "not enough memory for the image";
        return 0;
    }
    uint8_t* out = rgba;
    for (int64_t y = 0; y < rows; ++y) {
        // Bottom row first, unless the height is negative.
        const uint8_t* in = data + offset + stride * uint64_t(height < 0 ? y : rows - 1 - y);
        for (int64_t x = 0; x < width; ++x, in += bytesPerPixel, out += 4) {
            const uint32_t pixel = bytesPerPixel == 2 ? LittleEndian16(in) : LittleEndian32(in);
            out[0] = red.Of(pixel, 0);
            out[1] = green.Of(pixel, 0);
            out[2] = blue.Of(pixel, 0);
            out[3] = alpha.Of(pixel, 255);
        }
    }
    image.rgba.reset(rgba);
    image.width = int(width);
    image.height = int(rows);
    error.clear();
    return 1;
}
