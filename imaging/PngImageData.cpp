#include "imaging/PngImageData.h"

#include "imaging/ByteOrder.h"

namespace {

constexpr uint32_t kHeader = 0x49484452u; // "IHDR"
constexpr uint32_t kData = 0x49444154u;   // "IDAT"
constexpr uint32_t kEnd = 0x49454E44u;    // "IEND"

// The filtered bytes of a width x height image (or interlacing pass): one
// filter byte a row, then the row's samples.
uint64_t FilteredBytes(uint64_t width, uint64_t height, uint64_t bitsPerPixel) {
    if (width == 0 || height == 0)
        return 0;
    return height * (1 + (width * bitsPerPixel + 7) / 8);
}

// What the header asks for, or 0 when it is no header this check knows
// (the decoder refuses such a file itself).
uint64_t NeededBytes(const uint8_t* header) {
    const uint64_t width = BigEndian32(header), height = BigEndian32(header + 4);
    const uint8_t depth = header[8], colourType = header[9], interlaced = header[12];
    const int channels = colourType == 0   ? 1
                         : colourType == 2 ? 3
                         : colourType == 3 ? 1
                         : colourType == 4 ? 2
                         : colourType == 6 ? 4
                                           : 0;
    if (channels == 0 || depth == 0 || depth > 16 || interlaced > 1)
        return 0;
    const uint64_t bits = uint64_t(channels) * depth;
    if (!interlaced)
        return FilteredBytes(width, height, bits);
    // Adam7: each pass takes every step-th pixel from a first one.
    static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    uint64_t total = 0;
    for (const int* pass : kPasses) {
        uint64_t columns =
            width > uint64_t(pass[0]) ? (width - pass[0] + pass[2] - 1) / pass[2] : 0;
        uint64_t rows = height > uint64_t(pass[1]) ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
        total += FilteredBytes(columns, rows, bits);
    }
    return total;
}

// The contents of the IDAT chunks, one after the other, up to IEND.
class ImageDataChunks : public BytePieces {
  public:
    ImageDataChunks(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    int Next(const uint8_t*& piece, size_t& length) override {
        while (size_ - at_ >= 12) {
            const uint32_t chunkLength = BigEndian32(data_ + at_), type = BigEndian32(data_ + at_ + 4);
            const size_t content = at_ + 8;
            if (type == kEnd || chunkLength > size_ - content)
                break;
            at_ = content + chunkLength + 4;
            if (type == kData) {
                piece = data_ + content;
                length = chunkLength;
                return 1;
            }
        }
        at_ = size_;
        return 0;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 8;
};

} // namespace

int PngImageDataIsWhole(const uint8_t* data, size_t size, int64_t maxPixels, PngDataCheck& check) {
    // The header is the first chunk, right after the signature.
    if (size < 8 + 8 + 13 + 4 || BigEndian32(data + 12) != kHeader || BigEndian32(data + 8) < 13)
        return 1;
    const uint8_t* header = data + 16;
    check.width = BigEndian32(header);
    check.height = BigEndian32(header + 4);
    if (int64_t(check.width) * int64_t(check.height) > maxPixels) {
        check.tooLarge = 1;
        return 0;
    }
    const uint64_t needed = NeededBytes(header);
    if (needed == 0)
        return 1;
    ImageDataChunks chunks(data, size);
    uint64_t produced = 0;
    switch (MeasureImageData(chunks, needed, produced)) {
    case InflateWalk::Whole:
        if (produced == needed)
            return 1;
        check.fault = "its image data ends before its last row";
        return 0;
    case InflateWalk::TooLong:
        check.fault = "its image data holds more than its rows";
        return 0;
    case InflateWalk::EndsEarly:
        check.fault = "its image data ends early";
        return 0;
    case InflateWalk::Damaged:
        break;
    }
    check.fault = "its image data is damaged";
    return 0;
}
