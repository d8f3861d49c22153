#include "files/TopDownBitmap.h"

#include <cstring>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;       // BI_RGB
constexpr uint32_t kBitfields = 3; // BI_BITFIELDS
// Far beyond any picture worth importing, and small enough that no size below
// overflows.
constexpr int64_t kMaxSide = 1 << 16;

uint32_t Read16(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

uint32_t Read32(const uint8_t* at) {
    return Read16(at) | Read16(at + 2) << 16;
}

} // namespace

int FindTopDownBitmap(const uint8_t* bytes, size_t size, TopDownBitmapLayout& layout) {
    if (bytes == nullptr || size < kFileHeaderSize + kInfoHeaderSize)
        return 0;
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return 0;
    const uint8_t* info = bytes + kFileHeaderSize;
    const uint64_t bitsOffset = Read32(bytes + 10);
    const uint64_t headerSize = Read32(info);
    const int64_t width = int32_t(Read32(info + 4));
    const int64_t height = int32_t(Read32(info + 8));
    const uint32_t planes = Read16(info + 12);
    const uint32_t bitCount = Read16(info + 14);
    const uint32_t compression = Read32(info + 16);
    const uint64_t coloursUsed = Read32(info + 32);

    if (headerSize < kInfoHeaderSize || height >= 0 || planes != 1)
        return 0;
    if (width <= 0 || width > kMaxSide || -height > kMaxSide)
        return 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return 0;
    if (compression != kRgb && !(compression == kBitfields && (bitCount == 16 || bitCount == 32)))
        return 0;

    // Three colour masks follow a 40-byte header; later headers hold them.
    uint64_t masks = compression == kBitfields && headerSize == kInfoHeaderSize ? 3 : 0;
    uint64_t colours = coloursUsed;
    if (bitCount <= 8) {
        if (colours > (uint64_t(1) << bitCount))
            return 0;
        if (colours == 0)
            colours = uint64_t(1) << bitCount;
    }
    const uint64_t infoSize = headerSize + 4 * (masks + colours);
    const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
    const uint64_t bitsSize = stride * uint64_t(-height);
    if (kFileHeaderSize + infoSize > bitsOffset || bitsOffset > size ||
        bitsSize > size - bitsOffset)
        return 0;

    layout.infoOffset = kFileHeaderSize;
    layout.infoSize = size_t(infoSize);
    layout.bitsOffset = size_t(bitsOffset);
    layout.bitsSize = size_t(bitsSize);
    layout.width = int32_t(width);
    layout.height = int32_t(-height);
    return 1;
}

void CopyAsBottomUp(const uint8_t* bytes, size_t size, const TopDownBitmapLayout& layout,
                    uint8_t* out) {
    std::memcpy(out, bytes, size);
    const uint32_t rows = uint32_t(layout.height);
    for (int i = 0; i < 4; ++i)
        out[layout.infoOffset + 8 + i] = uint8_t(rows >> (8 * i));
    const size_t stride = layout.bitsSize / rows;
    for (uint32_t row = 0; row < rows; ++row)
        std::memcpy(out + layout.bitsOffset + stride * row,
                    bytes + layout.bitsOffset + stride * (rows - 1 - row), stride);
}
