#include "imaging/PngImageData.h"

#include <zlib.h>

namespace {

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

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

} // namespace

int PngImageDataIsWhole(const uint8_t* data, size_t size, const char*& why) {
    const uint8_t* header = nullptr;
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK) {
        why = "out of memory";
        return 0;
    }
    uint8_t scratch[16384];
    uint64_t produced = 0;
    int status = Z_OK;
    for (size_t at = 8; size - at >= 12;) {
        const uint32_t length = BigEndian32(data + at), type = BigEndian32(data + at + 4);
        const uint8_t* content = data + at + 8;
        at += 12 + size_t(length);
        if (type == 0x49484452u && length >= 13) // "IHDR"
            header = content;
        else if (type == 0x49454E44u) // "IEND"
            break;
        if (type != 0x49444154u || status != Z_OK) // "IDAT"
            continue;
        stream.next_in = const_cast<Bytef*>(content);
        stream.avail_in = length;
        while (status == Z_OK && stream.avail_in > 0) {
            stream.next_out = scratch;
            stream.avail_out = sizeof scratch;
            status = inflate(&stream, Z_NO_FLUSH);
            produced += sizeof scratch - stream.avail_out;
            if (status == Z_BUF_ERROR) // needs the next chunk's bytes
                status = Z_OK;
        }
    }
    // Output held back for want of room, after the last chunk.
    while (status == Z_OK) {
        stream.next_out = scratch;
        stream.avail_out = sizeof scratch;
        status = inflate(&stream, Z_NO_FLUSH);
        const unsigned got = sizeof scratch - stream.avail_out;
        produced += got;
        if (status == Z_BUF_ERROR || (status == Z_OK && got == 0)) {
            status = Z_OK; // the stream wants more than the file has
            break;
        }
    }
    inflateEnd(&stream);
    if (header == nullptr)
        return 1; // the decoder says what is wrong
    const uint64_t needed = NeededBytes(header);
    if (status != Z_STREAM_END) {
        why = status == Z_OK ? "its image data ends early" : "its image data is damaged";
        return 0;
    }
    if (produced < needed) {
        why = "its image data ends before its last row";
        return 0;
    }
    return 1;
}
