#include "imaging/RunLengthWalk.h"

namespace {

// How many of count pixels from x on lie inside a row of width pixels.
uint32_t Inside(int64_t width, int64_t x, uint32_t count) {
    if (x >= width)
        return 0;
    return width - x < int64_t(count) ? uint32_t(width - x) : count;
}

} // namespace

int WalkRunLength(const uint8_t* codes, size_t size, bool fourBits, int64_t rows,
                  RunLengthPixels* pixels) {
    const int64_t width = pixels != nullptr ? pixels->Width() : 0;
    int64_t x = 0, y = 0;
    size_t at = 0;
    while (y < rows) {
        // Runs that begin past the row's end put nothing: skipped in a
        // tight loop (x only has to stay past the end).
        if (x >= width) {
            while (size - at >= 2 && codes[at] != 0)
                at += 2;
        }
        if (size - at < 2)
            return 0;
        const uint32_t count = codes[at], value = codes[at + 1];
        at += 2;
        if (count != 0) {
            for (uint32_t i = 0; i < Inside(width, x, count); ++i)
                pixels->Put(x + i, y, !fourBits ? value : i % 2 == 0 ? value >> 4 : value & 15);
            x += count;
        } else if (value == 0) { // end of the row
            x = 0;
            ++y;
        } else if (value == 1) { // end of the picture
            return 1;
        } else if (value == 2) { // right and up
            if (size - at < 2)
                return 0;
            x += codes[at];
            y += codes[at + 1];
            at += 2;
        } else {
            const size_t bytes = fourBits ? (size_t(value) + 1) / 2 : value;
            if (size - at < bytes)
                return 0;
            const uint8_t* literal = codes + at;
            for (uint32_t i = 0; i < Inside(width, x, value); ++i)
                pixels->Put(x + i, y,
                            !fourBits    ? literal[i]
                            : i % 2 == 0 ? literal[i / 2] >> 4
                                         : literal[i / 2] & 15);
            x += value;
            // A missing pad byte is the end of the data.
            if (size - at < bytes + (bytes & 1))
                return 0;
            at += bytes + (bytes & 1);
        }
    }
    return 1;
}
