#include "imaging/DeclaredSize.h"

#include <cstring>

#include "imaging/ByteOrder.h"

namespace {

bool IsBlank(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

int XbmDeclaredSize(const uint8_t* data, size_t size, int64_t& width, int64_t& height) {
    width = height = -1;
    // Line by line up to the array that holds the bits.
    for (size_t at = 0; at < size && (width < 0 || height < 0);) {
        size_t end = at;
        while (end < size && data[end] != '\n')
            ++end;
        const uint8_t* line = data + at;
        const size_t length = end - at;
        at = end + 1;
        if (std::memchr(line, '{', length) != nullptr)
            break;
        if (length < 8 || std::memcmp(line, "#define", 7) != 0 || !IsBlank(line[7]))
            continue;
        // "#define NAME VALUE": the name's part after its last '_' says which.
        size_t i = 7;
        while (i < length && IsBlank(line[i]))
            ++i;
        const size_t nameStart = i;
        while (i < length && !IsBlank(line[i]))
            ++i;
        size_t kindStart = nameStart;
        for (size_t k = nameStart; k < i; ++k)
            if (line[k] == '_')
                kindStart = k + 1;
        const size_t kindLength = i - kindStart;
        while (i < length && IsBlank(line[i]))
            ++i;
        int64_t value = 0;
        bool digits = false;
        for (; i < length && line[i] >= '0' && line[i] <= '9'; ++i, digits = true)
            value = value < (int64_t(1) << 40) ? value * 10 + (line[i] - '0') : value;
        if (!digits)
            continue;
        if (kindLength == 5 && std::memcmp(line + kindStart, "width", 5) == 0)
            width = value;
        else if (kindLength == 6 && std::memcmp(line + kindStart, "height", 6) == 0)
            height = value;
    }
    return width >= 0 && height >= 0;
}

int ReadGifLayout(const uint8_t* data, size_t size, GifLayout& layout) {
    if (size < 13)
        return 0;
    layout.screenWidth = LittleEndian16(data + 6);
    layout.screenHeight = LittleEndian16(data + 8);
    size_t at = 13;
    if (data[10] & 0x80) // the global colour table
        at += 3u << ((data[10] & 7) + 1);
    while (at < size) {
        if (data[at] == 0x2C) { // an image descriptor
            if (size - at < 10)
                return 0;
            layout.left = LittleEndian16(data + at + 1);
            layout.top = LittleEndian16(data + at + 3);
            layout.width = LittleEndian16(data + at + 5);
            layout.height = LittleEndian16(data + at + 7);
            return 1;
        }
        if (data[at] != 0x21 || size - at < 2) // only extensions come before it
            return 0;
        at += 2;
        while (at < size && data[at] != 0) // its sub-blocks
            at += 1 + size_t(data[at]);
        ++at;
    }
    return 0;
}

int LargestIconImage(const uint8_t* data, size_t size, IconImage& image) {
    if (size < 6)
        return 0;
    const uint32_t count = LittleEndian16(data + 4);
    if (count == 0 || (size - 6) / 16 < count)
        return 0;
    uint64_t bestArea = 0;
    uint32_t bestBits = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + 6 + 16 * size_t(i);
        // A size of 0 in the directory means 256.
        const uint64_t width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        const uint32_t bits = LittleEndian16(entry + 6);
        const uint64_t area = width * height;
        if (image.index >= 0 && (area < bestArea || (area == bestArea && bits <= bestBits)))
            continue;
        const uint32_t length = LittleEndian32(entry + 8), offset = LittleEndian32(entry + 12);
        if (offset > size || length > size - offset)
            return 0;
        image.index = int(i);
        image.offset = offset;
        image.size = length;
        image.isPng = length >= 8 && std::memcmp(data + offset, "\x89PNG\r\n\x1a\n", 8) == 0;
        bestArea = area;
        bestBits = bits;
    }
    return 1;
}
