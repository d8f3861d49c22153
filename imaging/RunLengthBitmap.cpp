#include "imaging/RunLengthBitmap.h"

#include <cstdlib>

#include "imaging/BitmapHeaders.h"
#include "imaging/ImageIntegrity.h"
#include "imaging/RunLengthWalk.h"

namespace {

// Writes colour-table entries into the image; pixels outside it are dropped.
class Painter : public RunLengthPixels {
  public:
    Painter(uint8_t* rgba, int64_t width, int64_t height, const uint8_t* table, uint32_t entries)
        : rgba_(rgba), width_(width), height_(height), table_(table), entries_(entries) {}

    void Put(int64_t x, int64_t y, uint32_t index) override {
        if (x >= width_ || y >= height_)
            return;
        uint8_t* pixel = rgba_ + ((height_ - 1 - y) * width_ + x) * 4;
        if (index < entries_) {
            const uint8_t* entry = table_ + index * 4; // blue, green, red, unused
            pixel[0] = entry[2];
            pixel[1] = entry[1];
            pixel[2] = entry[0];
        }
        pixel[3] = 255;
    }
    int64_t Width() const override { return width_; }

  private:
    uint8_t* rgba_;
    int64_t width_, height_;
    const uint8_t* table_;
    uint32_t entries_;
};

} // namespace

int IsRunLengthBitmap(const uint8_t* data, size_t size) {
    BitmapHeaders bmp;
    return ReadBitmapHeaders(data, size, bmp) && bmp.headerSize >= kBitmapInfoHeaderSize &&
           (bmp.compression == kBitmapRle8 || bmp.compression == kBitmapRle4);
}

int ReadRunLengthBitmap(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                        std::string& error) {
    error = "damaged BMP image (its run-length rows are not readable)";
    BitmapHeaders bmp;
    if (!IsRunLengthBitmap(data, size) || !ReadBitmapHeaders(data, size, bmp))
        return 0;
    const bool fourBits = bmp.compression == kBitmapRle4;
    const int64_t width = bmp.width, height = bmp.height;
    const uint32_t bits = bmp.bitCount;
    if (bits != (fourBits ? 4u : 8u) || width <= 0 || height <= 0)
        return 0;
    if (width * height > maxPixels) {
        error = ImageTooLarge(width, height);
        return 0;
    }
    // The colour table: as many entries as the header says, at most one an index.
    uint32_t entries = bmp.coloursUsed;
    if (entries == 0 || entries > (1u << bits))
        entries = 1u << bits;
    const size_t table = bmp.TableOffset(), offset = bmp.bitsOffset;
    if ((size - table) / 4 < entries || offset > size)
        return 0;

    uint8_t* rgba = static_cast<uint8_t*>(std::calloc(size_t(width * height), 4));
    if (rgba == nullptr) {
        error = "not enough memory for the image";
        return 0;
    }
    Painter painter(rgba, width, height, data + table, entries);
    // Codes cut short leave the rest of the picture transparent.
    WalkRunLength(data + offset, size - offset, fourBits, height, &painter);
    image.rgba.reset(rgba);
    image.width = int(width);
    image.height = int(height);
    error.clear();
    return 1;
}
