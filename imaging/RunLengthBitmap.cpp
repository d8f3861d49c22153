#include "imaging/RunLengthBitmap.h"

#include <cstring>

namespace {

uint32_t LittleEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[3]) << 24 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[1]) << 8 | bytes[0];
}

// Writes colour-table entries into the image, bottom row first, as the
// runs come.
class Painter {
  public:
    Painter(uint8_t* rgba, int64_t width, int64_t height, const uint8_t* table, uint32_t entries)
        : rgba_(rgba), width_(width), height_(height), table_(table), entries_(entries) {}

    // The next pixel of the row; nothing beyond its end.
    void Put(uint32_t index) {
        if (x_ < width_ && y_ < height_) {
            uint8_t* pixel = rgba_ + ((height_ - 1 - y_) * width_ + x_) * 4;
            if (index < entries_) {
                const uint8_t* entry = table_ + index * 4; // blue, green, red, unused
                pixel[0] = entry[2];
                pixel[1] = entry[1];
                pixel[2] = entry[0];
            }
            pixel[3] = 255;
        }
        ++x_;
    }
    void NextRow() {
        x_ = 0;
        ++y_;
    }
    void Move(uint32_t right, uint32_t up) {
        x_ += right;
        y_ += up;
    }
    bool Done() const { return y_ >= height_; }

  private:
    uint8_t* rgba_;
    int64_t width_, height_;
    const uint8_t* table_;
    uint32_t entries_;
    int64_t x_ = 0, y_ = 0;
};

} // namespace

int IsRunLengthBitmap(const uint8_t* data, size_t size) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M' || LittleEndian32(data + 14) < 40)
        return 0;
    const uint32_t compression = LittleEndian32(data + 30);
    return compression == 1 || compression == 2;
}

int ReadRunLengthBitmap(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                        std::string& error) {
    error = "damaged BMP image (its run-length rows are not readable)";
    if (!IsRunLengthBitmap(data, size))
        return 0;
    const bool fourBits = LittleEndian32(data + 30) == 2;
    const uint32_t header = LittleEndian32(data + 14);
    const int64_t width = int32_t(LittleEndian32(data + 18));
    const int64_t height = int32_t(LittleEndian32(data + 22));
    const uint32_t bits = uint32_t(data[28]) | uint32_t(data[29]) << 8;
    if (bits != (fourBits ? 4u : 8u) || width <= 0 || height <= 0)
        return 0;
    if (width * height > maxPixels) {
        error = "image too large (" + std::to_string(width) + " x " + std::to_string(height) +
                " pixels)";
        return 0;
    }
    // The colour table: as many entries as the header says, at most one an index.
    uint32_t entries = LittleEndian32(data + 46);
    if (entries == 0 || entries > (1u << bits))
        entries = 1u << bits;
    const size_t table = 14 + size_t(header), offset = LittleEndian32(data + 10);
    if (header > size - 14 || (size - table) / 4 < entries || offset > size)
        return 0;

    uint8_t* rgba = static_cast<uint8_t*>(std::calloc(size_t(width * height), 4));
    if (rgba == nullptr) {
        error = "not enough memory for the image";
        return 0;
    }
    Painter painter(rgba, width, height, data + table, entries);
    size_t at = offset;
    while (!painter.Done() && size - at >= 2) {
        const uint32_t count = data[at], code = data[at + 1];
        at += 2;
        if (count != 0) {
            // A run: one index, or two taking turns in RLE4.
            for (uint32_t i = 0; i < count; ++i)
                painter.Put(!fourBits ? code : i % 2 == 0 ? code >> 4 : code & 15);
        } else if (code == 0) {
            painter.NextRow();
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            if (size - at < 2)
                break;
            painter.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            // Literal indexes, padded to a whole number of 16-bit words.
            size_t bytes = fourBits ? (size_t(code) + 1) / 2 : code;
            if (size - at < bytes)
                break;
            for (uint32_t i = 0; i < code; ++i)
                painter.Put(!fourBits    ? data[at + i]
                            : i % 2 == 0 ? data[at + i / 2] >> 4
                                         : data[at + i / 2] & 15);
            at += bytes + (bytes & 1);
            if (at > size)
                at = size;
        }
    }
    image.rgba.reset(rgba);
    image.width = int(width);
    image.height = int(height);
    error.clear();
    return 1;
}
