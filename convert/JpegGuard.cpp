#include "convert/JpegGuard.h"

#include <vector>

namespace {

// Bytes past the end read as 0, as stb_image reads them.
uint8_t ByteAt(const uint8_t* data, size_t size, size_t at) { return at < size ? data[at] : 0; }

constexpr uint16_t kNoBadTable = 0xFFFF; // more than any segment length

} // namespace

int IsJpeg(const uint8_t* data, size_t size) {
    // As stb_image tells: FF, any number of fill bytes FF, then D8.
    size_t at = 0;
    if (size == 0 || data[0] != 0xFF)
        return 0;
    while (at < size && data[at] == 0xFF)
        ++at;
    return at < size && data[at] == 0xD8 ? 1 : 0;
}

int JpegTablesAreSound(const uint8_t* data, size_t size) {
    // A DHT segment is a run of tables, each a class/id byte (the decoder
    // stops at any but 0x00-0x03 and 0x10-0x13), 16 code counts and as many
    // symbols as the counts add up to. Read from position x, badAfter[x] is
    // how many bytes of tables come before the first one of more than 256
    // symbols (kNoBadTable when the run ends first). Tables always move
    // forward, so one pass from the end fills it.
    std::vector<uint16_t> badAfter(size + 1, kNoBadTable);
    for (size_t x = size; x-- > 0;) {
        uint8_t kind = data[x];
        if ((kind >> 4) > 1 || (kind & 15) > 3)
            continue;
        size_t symbols = 0;
        for (size_t i = 1; i <= 16; ++i)
            symbols += ByteAt(data, size, x + i);
        if (symbols > 256) {
            badAfter[x] = 0;
            continue;
        }
        size_t next = x + 17 + symbols;
        if (next < size && badAfter[next] != kNoBadTable) {
            size_t before = 17 + symbols + badAfter[next];
            badAfter[x] = before < kNoBadTable ? uint16_t(before) : kNoBadTable;
        }
    }
    // The decoder reads tables while the segment length (less its own two
    // bytes) is not used up.
    for (size_t at = 0; at + 1 < size; ++at) {
        if (data[at] != 0xFF || data[at + 1] != 0xC4)
            continue;
        size_t start = at + 4;
        long tableBytes = long(ByteAt(data, size, at + 2) << 8 | ByteAt(data, size, at + 3)) - 2;
        if (start < size && badAfter[start] != kNoBadTable && long(badAfter[start]) < tableBytes)
            return 0;
    }
    return 1;
}
