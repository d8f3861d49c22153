// The walk that measures a PNG's image data on Windows, checked against zlib
// itself on streams of every block type.
#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <vector>

#include "imaging/InflateWalk.h"

namespace {

// The stream in pieces of a given size, as PNG chunks hand it out.
struct Pieces : BytePieces {
    Pieces(const std::vector<uint8_t>& bytes, size_t piece) : bytes(bytes), piece(piece) {}
    int Next(const uint8_t*& data, size_t& size) override {
        data = bytes.data() + at;
        size = std::min(piece, bytes.size() - at);
        at += size;
        return size > 0;
    }
    const std::vector<uint8_t>& bytes;
    size_t piece, at = 0;
};

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw, int level, int strategy) {
    z_stream stream = {};
    deflateInit2(&stream, level, Z_DEFLATED, 15, 8, strategy);
    std::vector<uint8_t> out(deflateBound(&stream, raw.size()));
    stream.next_in = const_cast<Bytef*>(raw.data());
    stream.avail_in = uInt(raw.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

InflateWalk Walk(const std::vector<uint8_t>& stream, uint64_t limit, uint64_t& produced,
                 size_t piece = 1000) {
    Pieces pieces(stream, piece);
    return WalkZlibStream(pieces, limit, produced);
}

TEST(InflateWalkTest, CountsWhatZlibInflates) {
    std::mt19937 random(7);
    std::vector<uint8_t> raw(300000);
    for (size_t i = 0; i < raw.size(); ++i) // text-like runs and noise
        raw[i] = i % 5000 < 2500 ? uint8_t("pixmint "[i % 8]) : uint8_t(random());
    // Stored, fixed and dynamic blocks, in pieces of every size.
    for (int level : {0, 1, 9})
        for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE})
            for (size_t piece : {size_t(1), size_t(7), size_t(65536)}) {
                std::vector<uint8_t> stream = Deflate(raw, level, strategy);
                uint64_t produced = 0;
                ASSERT_EQ(Walk(stream, raw.size(), produced, piece), InflateWalk::Whole)
                    << level << " " << strategy << " " << piece;
                EXPECT_EQ(produced, raw.size());
            }
}

TEST(InflateWalkTest, StopsAtTheLimitAndAtTheEnd) {
    std::vector<uint8_t> stream = Deflate(std::vector<uint8_t>(size_t(64) << 20), 9,
                                          Z_DEFAULT_STRATEGY);
    uint64_t produced = 0;
    EXPECT_EQ(Walk(stream, 1000, produced), InflateWalk::TooLong);
    EXPECT_LE(produced, 1000u + 258);
    std::vector<uint8_t> cut(stream.begin(), stream.end() - 5);
    EXPECT_EQ(Walk(cut, uint64_t(1) << 40, produced), InflateWalk::EndsEarly);
    stream[0] = 0x79; // not deflate
    EXPECT_EQ(Walk(stream, uint64_t(1) << 40, produced), InflateWalk::Damaged);
}

} // namespace
