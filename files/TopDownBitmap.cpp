#include "files/TopDownBitmap.h"

#include <cstring>

#include "imaging/BitmapHeaders.h"
#include "imaging/ByteOrder.h"
#include "imaging/RunLengthWalk.h"

namespace {

// Far beyond any picture worth importing, and small enough that no size below
// overflows.
constexpr int64_t kMaxSide = 1 << 16;
// The most a run-length encoded file may unpack to.
constexpr uint64_t kMaxUnpackedSize = uint64_t(32) << 20;

int KnownCoding(uint32_t bitCount, uint32_t compression) {
    if (compression == kBitmapRgb)
        return 1;
    if (compression == kBitmapBitFields)
        return bitCount == 16 || bitCount == 32;
    return (compression == kBitmapRle8 && bitCount == 8) ||
           (compression == kBitmapRle4 && bitCount == 4);
}

// The unpacked rows of a run-length encoded picture, stored bottom row first;
// the codes of a top-down file come top row first.
class UnpackedRows : public RunLengthPixels {
  public:
    UnpackedRows(uint8_t* rows, const TopDownBitmapLayout& layout)
        : rows_(rows), stride_(layout.twinSize - layout.bitsOffset), width_(layout.width),
          height_(layout.height), nibbles_(layout.bitCount == 4) {
        stride_ /= size_t(height_);
    }
    // Codes that point outside the picture are left out.
    void Put(int64_t x, int64_t y, uint32_t index) override {
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
    int64_t Width() const override { return width_; }

  private:
    uint8_t* rows_;
    size_t stride_;
    int64_t width_, height_;
    int nibbles_;
};

} // namespace

int FindTopDownBitmap(const uint8_t* bytes, size_t size, TopDownBitmapLayout& layout) {
    BitmapHeaders bmp;
    if (!ReadBitmapHeaders(bytes, size, bmp) || bmp.headerSize < kBitmapInfoHeaderSize)
        return 0;
    const int64_t width = bmp.width, height = bmp.height;
    const uint32_t bitCount = bmp.bitCount, compression = bmp.compression;
    if (!bmp.TopDown() || bmp.planes != 1)
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
    uint64_t masks =
        compression == kBitmapBitFields && bmp.headerSize == kBitmapInfoHeaderSize ? 3 : 0;
    uint64_t colours = bmp.coloursUsed;
    if (bitCount <= 8 && (colours == 0 || colours > (uint64_t(1) << bitCount)))
        colours = uint64_t(1) << bitCount;
    const uint64_t infoSize = bmp.headerSize + 4 * (masks + colours);
    const uint64_t bitsOffset = bmp.bitsOffset;
    const uint64_t rowsSize = bmp.Stride() * uint64_t(-height);
    if (kBitmapFileHeaderSize + infoSize > bitsOffset || bitsOffset > size)
        return 0;
    const int packed = compression == kBitmapRle8 || compression == kBitmapRle4;
    if (packed ? rowsSize > kMaxUnpackedSize : rowsSize > size - bitsOffset)
        return 0;

    layout.infoOffset = kBitmapFileHeaderSize;
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
    if (layout.compression == kBitmapRle8 || layout.compression == kBitmapRle4) {
        std::memcpy(out, bytes, layout.bitsOffset);
        std::memset(out + layout.bitsOffset, 0, layout.twinSize - layout.bitsOffset);
        PutLittleEndian32(out + 2, uint32_t(layout.twinSize));
        PutLittleEndian32(out + info + 16, kBitmapRgb);
        PutLittleEndian32(out + info + 20, uint32_t(layout.twinSize - layout.bitsOffset));
        UnpackedRows rowsOut(out + layout.bitsOffset, layout);
        WalkRunLength(bytes + layout.bitsOffset, layout.bitsSize, layout.bitCount == 4,
                      layout.height, &rowsOut);
    } else {
        std::memcpy(out, bytes, size);
        const size_t stride = layout.bitsSize / rows;
        for (uint32_t row = 0; row < rows; ++row)
            std::memcpy(out + layout.bitsOffset + stride * row,
                        bytes + layout.bitsOffset + stride * (rows - 1 - row), stride);
    }
    PutLittleEndian32(out + info + 8, rows);
}
