// Whole numbers stored in a file's bytes, least (bitmaps, icons) or most
// significant byte first (PNG, Netpbm samples).
#pragma once

#include <cstdint>

inline uint32_t LittleEndian16(const uint8_t* bytes) {
    return uint32_t(bytes[1]) << 8 | bytes[0];
}

inline uint32_t LittleEndian32(const uint8_t* bytes) {
    return LittleEndian16(bytes + 2) << 16 | LittleEndian16(bytes);
}

inline uint32_t BigEndian16(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 8 | bytes[1];
}

inline uint32_t BigEndian32(const uint8_t* bytes) {
    return BigEndian16(bytes) << 16 | BigEndian16(bytes + 2);
}

inline void PutLittleEndian32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
}
