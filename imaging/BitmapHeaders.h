// The headers of a Windows bitmap file, read in one place for everything that
// reads one: the whole-file check, the run-length and bit-field readers and
// the editor's top-down twin. A file header of 14 bytes ("BM", the file size,
// the offset of the pixels), then an information header: 12 bytes (OS/2 1.x,
// 16-bit sizes) or 40 bytes and more (Windows, 32-bit sizes and a
// compression), then bit masks and the colour table, then the pixels.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kBitmapFileHeaderSize = 14;
constexpr uint32_t kBitmapCoreHeaderSize = 12; // OS/2 1.x
constexpr uint32_t kBitmapInfoHeaderSize = 40;

// Compressions of the information header.
constexpr uint32_t kBitmapRgb = 0;
constexpr uint32_t kBitmapRle8 = 1;
constexpr uint32_t kBitmapRle4 = 2;
constexpr uint32_t kBitmapBitFields = 3;

struct BitmapHeaders {
    uint32_t bitsOffset = 0; // where the pixels start, from the file's start
    uint32_t headerSize = 0; // of the information header
    int64_t width = 0;
    int64_t height = 0; // as stored: negative when the top row comes first
    uint32_t planes = 0;
    uint32_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0; // 0: as many as the bit count can name

    int64_t Rows() const { return height < 0 ? -height : height; }
    bool TopDown() const { return height < 0; }
    // The start of the bit masks or colour table that follow the header.
    size_t TableOffset() const { return kBitmapFileHeaderSize + headerSize; }
    // The bytes of one uncompressed row, padded to whole 32-bit words.
    uint64_t Stride() const { return (uint64_t(width) * bitCount + 31) / 32 * 4; }
};

// Reads the offset of the pixels and the size of the information header of a
// file that begins with "BM" (0 for any other, or one shorter than 18 bytes);
// then, when that header is one of the two kinds above and lies inside the
// file, the rest of it. Returns 1 when all of layout was read, else 0 (and
// what could be read is in layout).
int ReadBitmapHeaders(const uint8_t* data, size_t size, BitmapHeaders& layout);
