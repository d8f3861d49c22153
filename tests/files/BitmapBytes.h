// Bitmap files built byte by byte for the tests, without any image library.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

using BlackAt = std::function<bool(int x, int y)>;

inline void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// How the rows and the palette are stored, where a file has a choice.
struct BitmapLayout {
    bool whiteFirst = false; // 1 bit: palette entry 0 is white, so a set bit is black
    bool topDown = false;    // top row first, told by a negative height
};

// A bitmap file of 1 or 24 bits per pixel, black where black(x, y) says,
// white elsewhere, stored bottom row first unless the layout says otherwise.
inline std::vector<uint8_t> BitmapBytes(int width, int height, int bits, const BlackAt& black,
                                        BitmapLayout layout = BitmapLayout()) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteSize = bits == 1 ? 8 : 0;
    const int offset = 14 + 40 + paletteSize;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + stride * height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, uint32_t(layout.topDown ? -height : height));
    Put16(out, 1);
    Put16(out, bits);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    if (bits == 1) {
        Put32(out, layout.whiteFirst ? 0xFFFFFF : 0x000000); // index 0
        Put32(out, layout.whiteFirst ? 0x000000 : 0xFFFFFF); // index 1
    }
    for (int i = 0; i < height; ++i) {
        const int y = layout.topDown ? i : height - 1 - i;
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            if (bits == 1) {
                if (black(x, y) == layout.whiteFirst)
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
            } else if (!black(x, y)) {
                row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = 0xFF;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}
