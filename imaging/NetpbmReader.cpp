#include "imaging/NetpbmReader.h"

#include "imaging/ByteOrder.h"
#include "imaging/ImageIntegrity.h"

namespace {

class Scanner {
  public:
    Scanner(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return next_ >= size_; }
    size_t Position() const { return next_; }
    void Advance(size_t count) { next_ += count; }
    const uint8_t* Here() const { return data_ + next_; }
    size_t Left() const { return size_ - next_; }

    static bool IsSpace(uint8_t c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

    // Skips white space and comments ('#' to the end of the line).
    void SkipSpace() {
        while (next_ < size_) {
            if (data_[next_] == '#') {
                while (next_ < size_ && data_[next_] != '\n' && data_[next_] != '\r')
                    ++next_;
            } else if (IsSpace(data_[next_])) {
                ++next_;
            } else {
                return;
            }
        }
    }

    // A decimal number after optional white space, at most limit.
    bool Number(uint32_t limit, uint32_t& value) {
        SkipSpace();
        if (next_ >= size_ || data_[next_] < '0' || data_[next_] > '9')
            return false;
        uint64_t number = 0;
        while (next_ < size_ && data_[next_] >= '0' && data_[next_] <= '9') {
            number = number * 10 + (data_[next_++] - '0');
            if (number > limit)
                return false;
        }
        value = uint32_t(number);
        return true;
    }

    // A plain PBM sample: one '0' or '1', white space between them optional.
    bool Bit(uint32_t& value) {
        SkipSpace();
        if (next_ >= size_ || (data_[next_] != '0' && data_[next_] != '1'))
            return false;
        value = uint32_t(data_[next_++] - '0');
        return true;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
};

constexpr uint32_t kMaxDimension = 1 << 24;

} // namespace

int IsNetpbm(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' ? 1 : 0;
}

int ReadNetpbm(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
               std::string& error) {
    if (!IsNetpbm(data, size)) {
        error = "not a netpbm image";
        return 0;
    }
    int kind = data[1] - '0';
    bool bitmap = kind == 1 || kind == 4;
    bool plain = kind <= 3;
    int channels = kind == 3 || kind == 6 ? 3 : 1;

    Scanner in(data, size);
    in.Advance(2);
    uint32_t width = 0, height = 0, maxValue = 1;
    if (!in.Number(kMaxDimension, width) || !in.Number(kMaxDimension, height) ||
        (!bitmap && !in.Number(65535, maxValue))) {
        error = "damaged netpbm header";
        return 0;
    }
    if (width == 0 || height == 0 || maxValue == 0) {
        error = "netpbm image without pixels";
        return 0;
    }
    if (int64_t(width) * height > maxPixels) {
        error = ImageTooLarge(width, height);
        return 0;
    }
    // The raster of a binary file starts after exactly one white space.
    if (!plain) {
        if (in.AtEnd() || !Scanner::IsSpace(*in.Here())) {
            error = "damaged netpbm header";
            return 0;
        }
        in.Advance(1);
    }

    size_t samples = size_t(width) * height * channels;
    size_t sampleBytes = maxValue > 255 ? 2 : 1;
    size_t rowBytes = (size_t(width) + 7) / 8;
    size_t needed = bitmap ? rowBytes * height : samples * sampleBytes;
    if (!plain && in.Left() < needed) {
        error = "netpbm image cut short";
        return 0;
    }

    image.rgba.reset(static_cast<uint8_t*>(std::malloc(size_t(width) * height * 4)));
    if (!image.rgba) {
        error = "out of memory";
        return 0;
    }
    image.width = int(width);
    image.height = int(height);
    uint8_t* out = image.rgba.get();

    for (size_t i = 0; i < samples; ++i) {
        uint32_t value = 0;
        if (kind == 1) {
            if (!in.Bit(value)) {
                error = "netpbm image cut short or damaged";
                return 0;
            }
        } else if (kind == 4) {
            size_t row = i / width, column = i % width;
            value = (in.Here()[row * rowBytes + column / 8] >> (7 - column % 8)) & 1;
        } else if (plain) {
            if (!in.Number(65535, value)) {
                error = "netpbm image cut short or damaged";
                return 0;
            }
        } else {
            const uint8_t* at = in.Here() + i * sampleBytes;
            value = sampleBytes == 2 ? BigEndian16(at) : at[0];
        }
        if (value > maxValue) {
            error = "netpbm sample above the maximum value";
            return 0;
        }
        // PBM: 1 is black. Otherwise scale 0..maxValue to 0..255, rounded.
        uint8_t level = bitmap ? (value ? 0 : 255)
                               : uint8_t((value * 255 + maxValue / 2) / maxValue);
        if (channels == 1) {
            out[0] = out[1] = out[2] = level;
            out[3] = 255;
            out += 4;
        } else {
            *out++ = level;
            if (i % 3 == 2)
                *out++ = 255;
        }
    }
    return 1;
}
