#include "files/TopDownBitmap.h"

#include <cstring>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;       // BI_RGB
constexpr uint32_t kRle8 = 1;      // BI_RLE8
constexpr uint32_t kRle4 = 2;      // BI_RLE4
constexpr uint32_t kBitfields = 3; // BI_BITFIELDS
// Far beyond any picture worth importing, and small enough that no size below
// overflows.
constexpr int64_t kMaxSide = 1 << 16;
// The most a run-length encoded file may unpack to.
constexpr uint64_t kMaxUnpackedSize = uint64_t(32) << 20;

uint32_t Read16(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

uint32_t Read32(const uint8_t* at) {
    return Read16(at) | Read16(at + 2) << 16;
}

void Write32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

int KnownCoding(uint32_t bitCount, uint32_t compression) {
    if (compression == kRgb)
        return 1;
    if (compression == kBitfields)
        return bitCount == 16 || bitCount == 32;
    return (compression == kRle8 && bitCount == 8) || (compression == kRle4 && bitCount == 4);
}

// The unpacked rows of a run-length encoded picture, stored bottom row first.
class UnpackedRows {
  public:
    UnpackedRows(uint8_t* rows, const TopDownBitmapLayout& layout)
        : rows_(rows), stride_(layout.twinSize - layout.bitsOffset), width_(layout.width),
          height_(layout.height), nibbles_(layout.bitCount == 4) {
        stride_ /= size_t(height_);
    }
    // Codes that point outside the picture are left out.
    void Put(int64_t x, int64_t y, uint32_t index) {
        if (x < 0 || x >= width_ || y < 0 || y >= height_)
            return;
        uint8_t* row = rows_ + stride_ * size_t(height_ - 1 - y);
        if (!nibbles_) {
            row[x] = uint8_t(index);
            return;
        }
        const int shift = x % 2 ? 0 : 4;
        row[x / 2] = uint8_t((row[x / 2] & ~(0xF << shift)) | (index & 0xF) << shift);
    }

  private:
    uint8_t* rows_;
    size_t stride_;
    int64_t width_, height_;
    int nibbles_;
};

// The pixel at number i of a run or of an absolute stretch: RLE4 codes hold
// two pixels a byte, high nibble first.
uint32_t CodedPixel(const uint8_t* codes, int64_t i, int nibbles) {
    if (!nibbles)
        return codes[i];
    return i % 2 ? codes[i / 2] & 0xF : codes[i / 2] >> 4;
}

void Unpack(const uint8_t* codes, size_t size, const TopDownBitmapLayout& layout, uint8_t* rows) {
    UnpackedRows out(rows, layout);
    const int nibbles = layout.bitCount == 4;
    int64_t x = 0, y = 0;
    size_t at = 0;
    while (at + 2 <= size && y < layout.height) {
        const uint32_t count = codes[at], value = codes[at + 1];
        at += 2;
        if (count > 0) {
            const uint8_t pair[2] = {uint8_t(value), uint8_t(value)};
            for (uint32_t i = 0; i < count; ++i)
                out.Put(x++, y, CodedPixel(pair, nibbles ? i % 2 : 0, nibbles));
        } else if (value == 0) { // end of the line
            x = 0;
            ++y;
        } else if (value == 1) { // end of the picture
            return;
        } else if (value == 2) { // move right and down
            if (at + 2 > size)
                return;
            x += codes[at];
            y += codes[at + 1];
            at += 2;
        } else { // that many pixels as they are, padded to whole 16-bit words
            const size_t bytes = nibbles ? (value + 1) / 2 : value;
            if (at + bytes > size)
                return;
            for (uint32_t i = 0; i < value; ++i)
                out.Put(x++, y, CodedPixel(codes + at, i, nibbles));
            at += (bytes + 1) & ~size_t(1);
        }
    }
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
    if (!KnownCoding(bitCount, compression))
        return 0;

    // Three colour masks follow a 40-byte header; later headers hold them.
    // A table that claims more colours than the pixels can name is the
    // loader's to judge, in the twin as in the file: only what the pixels
    // can name must be there.
    uint64_t masks = compression == kBitfields && headerSize == kInfoHeaderSize ? 3 : 0;
    uint64_t colours = coloursUsed;
    if (bitCount <= 8 && (colours == 0 || colours > (uint64_t(1) << bitCount)))
        colours = uint64_t(1) << bitCount;
    const uint64_t infoSize = headerSize + 4 * (masks + colours);
    const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
    const uint64_t rowsSize = stride * uint64_t(-height);
    if (kFileHeaderSize + infoSize > bitsOffset || bitsOffset > size)
        return 0;
    const int packed = compression == kRle8 || compression == kRle4;
    if (packed ? rowsSize > kMaxUnpackedSize : rowsSize > size - bitsOffset)
        return 0;

    layout.infoOffset = kFileHeaderSize;
    layout.infoSize = size_t(infoSize);
    layout.bitsOffset = size_t(bitsOffset);
    layout.bitsSize = packed ? size - size_t(bitsOffset) : size_t(rowsSize);
    layout.twinSize = packed ? size_t(bitsOffset + rowsSize) : size;
    layout.width = int32_t(width);
    layout.height = int32_t(-height);
    layout.bitCount = bitCount;
    layout.compression = compression;
    return 1;
}

void CopyAsBottomUp(const uint8_t* bytes, size_t size, const TopDownBitmapLayout& layout,
                    uint8_t* out) {
    const size_t info = layout.infoOffset;
    const uint32_t rows = uint32_t(layout.height);
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        std::memcpy(out, bytes, layout.bitsOffset);
        std::memset(out + layout.bitsOffset, 0, layout.twinSize - layout.bitsOffset);
        Write32(out + 2, uint32_t(layout.twinSize));
        Write32(out + info + 16, kRgb);
        Write32(out + info + 20, uint32_t(layout.twinSize - layout.bitsOffset));
        Unpack(bytes + layout.bitsOffset, layout.bitsSize, layout, out + layout.bitsOffset);
    } else {
        std::memcpy(out, bytes, size);
        const size_t stride = layout.bitsSize / rows;
        for (uint32_t row = 0; row < rows; ++row)
            std::memcpy(out + layout.bitsOffset + stride * row,
                        bytes + layout.bitsOffset + stride * (rows - 1 - row), stride);
    }
    Write32(out + info + 8, rows);
}
