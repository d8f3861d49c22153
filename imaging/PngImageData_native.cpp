#include "imaging/PngImageData.h"

#include <zlib.h>

InflateWalk MeasureImageData(BytePieces& pieces, uint64_t limit, uint64_t& produced) {
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK)
        return InflateWalk::Damaged;
    uint8_t scratch[16384];
    produced = 0;
    int status = Z_OK;
    const uint8_t* piece = nullptr;
    size_t length = 0;
    // The input in pieces, then whatever output was held back for want of
    // room; it stops once more has come out than the limit.
    bool more = true;
    while (status == Z_OK && produced <= limit) {
        if (stream.avail_in == 0 && more) {
            more = pieces.Next(piece, length) != 0;
            stream.next_in = const_cast<Bytef*>(piece);
            stream.avail_in = more ? uInt(length) : 0;
        }
        stream.next_out = scratch;
        stream.avail_out = sizeof scratch;
        status = inflate(&stream, Z_NO_FLUSH);
        const unsigned got = unsigned(sizeof scratch - stream.avail_out);
        produced += got;
        if (status == Z_BUF_ERROR || (status == Z_OK && got == 0 && stream.avail_in == 0)) {
            if (more)
                status = Z_OK; // needs the next piece
            else
                break; // the stream wants more than there is
        }
    }
    inflateEnd(&stream);
    if (produced > limit)
        return InflateWalk::TooLong;
    if (status == Z_STREAM_END)
        return InflateWalk::Whole;
    return status == Z_OK || status == Z_BUF_ERROR ? InflateWalk::EndsEarly : InflateWalk::Damaged;
}
