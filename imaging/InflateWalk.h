// Walks a zlib stream's codes to learn how many bytes it inflates to, without
// keeping them. Windows has no inflater that the program could ask, and the
// PNG check must stop a small file that would inflate to gigabytes before the
// imaging component unpacks it; the walk stops as soon as the output passes
// a limit.
#pragma once

#include <cstddef>
#include <cstdint>

// Hands out a stream's bytes in pieces (the IDAT chunks of a PNG).
class BytePieces {
  public:
    virtual ~BytePieces() = default;
    // The next piece; 0 when there is none.
    virtual int Next(const uint8_t*& data, size_t& size) = 0;
};

enum class InflateWalk {
    Whole,     // a complete stream, its check value included
    EndsEarly, // the pieces end inside the stream
    Damaged,   // a code no inflater would take
    TooLong,   // the output passed the limit; the walk stopped there
};

// produced: the bytes the walk has inflated, at most limit + 258.
InflateWalk WalkZlibStream(BytePieces& pieces, uint64_t limit, uint64_t& produced);
