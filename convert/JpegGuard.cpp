#include "convert/JpegGuard.h"

namespace {

constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr uint8_t kEndOfImage = 0xD9;

// Markers that stand alone, without a length: TEM, RST0-7, SOI, EOI.
bool StandsAlone(uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
}

bool TablesAreSound(const uint8_t* segment, size_t length) {
    size_t at = 0;
    while (at < length) {
        if (length - at < 17)
            return false;
        size_t symbols = 0;
        for (int i = 1; i <= 16; ++i)
            symbols += segment[at + i];
        if (symbols > 256 || length - at - 17 < symbols)
            return false;
        at += 17 + symbols;
    }
    return true;
}

} // namespace

int IsJpeg(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 0xFF && data[1] == 0xD8 ? 1 : 0;
}

int JpegTablesAreSound(const uint8_t* data, size_t size) {
    size_t at = 2;
    while (at + 1 < size) {
        if (data[at] != 0xFF) { // a scan's entropy-coded data
            ++at;
            continue;
        }
        uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (marker == 0x00 || StandsAlone(marker)) { // stuffed byte or a lone marker
            if (marker == kEndOfImage)
                return 1;
            continue;
        }
        if (size - at < 2)
            return 1; // cut short: the decoder will say so
        size_t length = size_t(data[at]) << 8 | data[at + 1];
        if (length < 2)
            return 1;
        size_t body = length - 2;
        if (size - at - 2 < body)
            body = size - at - 2;
        if (marker == kDefineHuffmanTables && !TablesAreSound(data + at + 2, body))
            return 0;
        at += 2 + body;
    }
    return 1;
}
