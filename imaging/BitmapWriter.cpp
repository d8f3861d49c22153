#include "imaging/BitmapWriter.h"

#include <cstring>

#include "imaging/BitmapHeaders.h"
#include "imaging/ByteOrder.h"

namespace {

// The information header of a bottom-up bitmap stored uncompressed.
void WriteInfoHeader(uint8_t* out, int width, int height, uint32_t bitCount, uint32_t colours,
                     size_t pixelBytes) {
    std::memset(out, 0, kBitmapInfoHeaderSize);
    PutLittleEndian32(out, kBitmapInfoHeaderSize);
    PutLittleEndian32(out + 4, uint32_t(width));
    PutLittleEndian32(out + 8, uint32_t(height));
    out[12] = 1; // planes
    out[14] = uint8_t(bitCount);
    PutLittleEndian32(out + 20, uint32_t(pixelBytes));
    PutLittleEndian32(out + 24, 2835); // 72 dots an inch, as bitmaps commonly say
    PutLittleEndian32(out + 28, 2835);
    PutLittleEndian32(out + 32, colours);
}

size_t Stride(int width, uint32_t bitCount) {
    return (size_t(width) * bitCount + 31) / 32 * 4;
}

// A channel over white: value * alpha + 255 * (255 - alpha), to the nearest level.
uint8_t OverWhite(uint8_t value, uint8_t alpha) {
    return uint8_t((uint32_t(value) * alpha + 255u * (255u - alpha) + 127) / 255);
}

} // namespace

size_t RgbBitmapFileSize(int width, int height) {
    return kBitmapFileHeaderSize + kBitmapInfoHeaderSize + Stride(width, 24) * size_t(height);
}

void WriteRgbBitmapFile(const uint8_t* rgba, int width, int height, uint8_t* out) {
    const size_t stride = Stride(width, 24);
    const size_t bits = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    WriteBitmapFileHeader(out, RgbBitmapFileSize(width, height), bits);
    WriteInfoHeader(out + kBitmapFileHeaderSize, width, height, 24, 0, stride * size_t(height));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = out + bits + stride * size_t(height - 1 - y);
        std::memset(row, 0, stride);
        const uint8_t* in = rgba + size_t(y) * size_t(width) * 4;
        for (int x = 0; x < width; ++x, in += 4) {
            row[x * 3] = OverWhite(in[2], in[3]);
            row[x * 3 + 1] = OverWhite(in[1], in[3]);
            row[x * 3 + 2] = OverWhite(in[0], in[3]);
        }
    }
}

size_t MonochromeDibSize(int width, int height) {
    return kBitmapInfoHeaderSize + 2 * 4 + Stride(width, 1) * size_t(height);
}

void WriteMonochromeDib(const uint8_t* cells, int width, int height, uint8_t* out) {
    const size_t stride = Stride(width, 1);
    WriteInfoHeader(out, width, height, 1, 2, stride * size_t(height));
    uint8_t* table = out + kBitmapInfoHeaderSize;
    const uint8_t colours[8] = {0, 0, 0, 0, 255, 255, 255, 0}; // black, white
    std::memcpy(table, colours, sizeof colours);
    uint8_t* pixels = table + sizeof colours;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels + stride * size_t(height - 1 - y);
        std::memset(row, 0, stride);
        for (int x = 0; x < width; ++x)
            if (cells[size_t(y) * width + x] != 1)
                row[x / 8] |= uint8_t(0x80 >> (x % 8)); // background: colour 1
    }
}

size_t DibPixelsOffset(const uint8_t* dib, size_t size) {
    if (dib == nullptr || size < 4)
        return 0;
    const uint32_t header = LittleEndian32(dib);
    uint64_t masks = 0, colours = 0, bitCount;
    if (header == kBitmapCoreHeaderSize && size >= header) {
        bitCount = LittleEndian16(dib + 10);
        colours = bitCount <= 8 ? uint64_t(1) << bitCount : 0;
        const uint64_t offset = header + 3 * colours; // three bytes an OS/2 colour
        return offset <= size ? size_t(offset) : 0;
    }
    if (header < kBitmapInfoHeaderSize || header > size)
        return 0;
    bitCount = LittleEndian16(dib + 14);
    const uint32_t compression = LittleEndian32(dib + 16);
    colours = LittleEndian32(dib + 32);
    if (colours == 0 && bitCount <= 8)
        colours = uint64_t(1) << bitCount;
    // A 40-byte header is followed by its masks; later headers hold them.
    if (header == kBitmapInfoHeaderSize && compression == kBitmapBitFields)
        masks = 3;
    else if (header == kBitmapInfoHeaderSize && compression == 6) // alpha bit fields
        masks = 4;
    const uint64_t offset = header + 4 * (masks + colours);
    return offset < size ? size_t(offset) : 0;
}

void WriteBitmapFileHeader(uint8_t* out, size_t fileSize, size_t bitsOffset) {
    std::memset(out, 0, kBitmapFileHeaderSize);
    out[0] = 'B';
    out[1] = 'M';
    PutLittleEndian32(out + 2, uint32_t(fileSize));
    PutLittleEndian32(out + 10, uint32_t(bitsOffset));
}
