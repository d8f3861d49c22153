#include "convert/PngChunks.h"

namespace {

constexpr size_t kSignatureBytes = 8;

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// The CRC-32 of PNG (and zlib), a byte at a time from a table made once.
uint32_t Crc32(const uint8_t* bytes, size_t size) {
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

} // namespace

int PngChunksAreSound(const uint8_t* data, size_t size, const char*& why) {
    size_t at = kSignatureBytes;
    while (true) {
        // Length, type, data, checksum; the checksum covers type and data.
        if (size - at < 12) {
            why = "the file ends before its IEND chunk";
            return 0;
        }
        const uint32_t length = BigEndian32(data + at);
        if (length > 0x7FFFFFFFu || length > size - at - 12) {
            why = "a chunk reaches past the end of the file";
            return 0;
        }
        if (Crc32(data + at + 4, 4 + size_t(length)) != BigEndian32(data + at + 8 + length)) {
            why = "a chunk's checksum is wrong";
            return 0;
        }
        const bool end = BigEndian32(data + at + 4) == 0x49454E44u; // "IEND"
        at += 12 + size_t(length);
        if (end)
            return 1;
    }
}
