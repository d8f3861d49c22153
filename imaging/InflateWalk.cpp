#include "imaging/InflateWalk.h"

namespace {

constexpr int kMaxCodeBits = 15;
constexpr int kFastBits = 9; // codes this short are found with one look-up

// Bits of the stream, least significant first, refilled from the pieces.
class BitInput {
  public:
    explicit BitInput(BytePieces& pieces) : pieces_(pieces) {}

    // Tops the buffer up to at least 25 bits, or to what is left.
    void Fill() {
        while (count_ <= 24) {
            if (at_ == end_ && !NextPiece())
                return;
            bits_ |= uint32_t(*at_++) << count_;
            count_ += 8;
        }
    }
    int Available() const { return count_; }
    uint32_t Peek(int n) const { return n < 32 ? bits_ & ((1u << n) - 1) : bits_; }
    void Drop(int n) {
        bits_ >>= n;
        count_ -= n;
    }
    // n bits (up to 16) as a number; 0 when the stream ends first.
    int Take(int n, uint32_t& value) {
        if (count_ < n)
            Fill();
        if (count_ < n)
            return 0;
        value = Peek(n);
        Drop(n);
        return 1;
    }
    void AlignToByte() { Drop(count_ % 8); }
    // Skips whole bytes (a stored block's); 0 when the stream ends first.
    int SkipBytes(uint64_t n) {
        for (; n > 0 && count_ >= 8; --n)
            Drop(8);
        while (n > 0) {
            if (at_ == end_ && !NextPiece())
                return 0;
            const uint64_t here = uint64_t(end_ - at_), step = n < here ? n : here;
            at_ += step;
            n -= step;
        }
        return 1;
    }

  private:
    int NextPiece() {
        const uint8_t* data = nullptr;
        size_t size = 0;
        while (!ended_) {
            if (!pieces_.Next(data, size))
                ended_ = 1;
            else if (size > 0) {
                at_ = data;
                end_ = data + size;
                return 1;
            }
        }
        return 0;
    }

    BytePieces& pieces_;
    const uint8_t* at_ = nullptr;
    const uint8_t* end_ = nullptr;
    uint32_t bits_ = 0;
    int count_ = 0;
    int ended_ = 0;
};

// A canonical Huffman code: how many codes of each length, the symbols in
// code order, and a table for the short codes.
struct HuffmanCode {
    uint16_t count[kMaxCodeBits + 1];
    uint16_t symbol[288];
    uint16_t fast[1 << kFastBits]; // length << 9 | symbol; 0: look further

    int incomplete; // some codes are left unused

    // From the code lengths of n symbols. 0 when the lengths ask for more
    // codes than there are, or leave codes unused where only a single code
    // of one bit (or none) may, as zlib has it.
    int Build(const uint8_t* lengths, int n) {
        for (uint16_t& c : count)
            c = 0;
        for (int i = 0; i < n; ++i)
            ++count[lengths[i]];
        int left = 1;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            left = left * 2 - count[length];
            if (left < 0)
                return 0;
        }
        const int used = n - count[0];
        incomplete = left > 0;
        if (incomplete && used > 0 && !(used == 1 && count[1] == 1))
            return 0;
        uint16_t offset[kMaxCodeBits + 2] = {};
        for (int length = 1; length <= kMaxCodeBits; ++length)
            offset[length + 1] = uint16_t(offset[length] + count[length]);
        for (int i = 0; i < n; ++i)
            if (lengths[i] != 0)
                symbol[offset[lengths[i]]++] = uint16_t(i);
        for (uint16_t& entry : fast)
            entry = 0;
        unsigned code = 0;
        int index = 0;
        for (int length = 1; length <= kFastBits; ++length) {
            for (int i = 0; i < count[length]; ++i, ++code) {
                unsigned reversed = 0;
                for (int bit = 0; bit < length; ++bit)
                    reversed |= ((code >> bit) & 1) << (length - 1 - bit);
                for (unsigned fill = reversed; fill < (1u << kFastBits); fill += 1u << length)
                    fast[fill] = uint16_t(length << 9 | symbol[index + i]);
            }
            index += count[length];
            code <<= 1;
        }
        return 1;
    }
};

// The next symbol: -1 for a code the table lacks, -2 at the stream's end.
int Decode(BitInput& in, const HuffmanCode& code) {
    in.Fill();
    const uint16_t entry = code.fast[in.Peek(kFastBits)];
    if (entry != 0 && (entry >> 9) <= in.Available()) {
        in.Drop(entry >> 9);
        return entry & 511;
    }
    // Longer codes, a bit at a time, the canonical way.
    int value = 0, first = 0, index = 0;
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        uint32_t bit;
        if (!in.Take(1, bit))
            return -2;
        value |= int(bit);
        const int count = code.count[length];
        if (value - count < first)
            return code.symbol[index + (value - first)];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                    33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                    1025, 1537, 2049, 3073, 4097, 6145,  8193,  12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Walk {
  public:
    Walk(BytePieces& pieces, uint64_t limit, uint64_t& produced)
        : in_(pieces), limit_(limit), produced_(produced) {}

    InflateWalk Run() {
        produced_ = 0;
        uint32_t header;
        if (!in_.Take(16, header))
            return InflateWalk::EndsEarly;
        const uint32_t method = header & 0xFF, flags = header >> 8;
        // Deflate, a window of at most 32 KiB, no preset dictionary.
        if ((method & 15) != 8 || (method >> 4) > 7 || (method * 256 + flags) % 31 != 0 ||
            (flags & 0x20) != 0)
            return InflateWalk::Damaged;
        window_ = uint64_t(1) << ((method >> 4) + 8);
        for (uint32_t last = 0; !last;) {
            uint32_t type;
            if (!in_.Take(1, last) || !in_.Take(2, type))
                return InflateWalk::EndsEarly;
            InflateWalk result = type == 0   ? Stored()
                                 : type == 1 ? Fixed()
                                 : type == 2 ? Dynamic()
                                             : InflateWalk::Damaged;
            if (result != InflateWalk::Whole)
                return result;
        }
        in_.AlignToByte();
        uint32_t check;
        return in_.Take(16, check) && in_.Take(16, check) ? InflateWalk::Whole
                                                          : InflateWalk::EndsEarly;
    }

  private:
    InflateWalk Stored() {
        in_.AlignToByte();
        uint32_t length, complement;
        if (!in_.Take(16, length) || !in_.Take(16, complement))
            return InflateWalk::EndsEarly;
        if ((length ^ 0xFFFF) != complement)
            return InflateWalk::Damaged;
        if (produced_ + length > limit_) {
            produced_ += length;
            return InflateWalk::TooLong;
        }
        produced_ += length;
        return in_.SkipBytes(length) ? InflateWalk::Whole : InflateWalk::EndsEarly;
    }

    InflateWalk Fixed() {
        // Distance codes 30 and 31 exist but mean nothing.
        uint8_t lengths[288 + 32];
        for (int i = 0; i < 288; ++i)
            lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
        for (int i = 0; i < 32; ++i)
            lengths[288 + i] = 5;
        literals_.Build(lengths, 288);
        distances_.Build(lengths + 288, 32);
        return Codes();
    }

    InflateWalk Dynamic() {
        static const uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
        uint32_t literals, distances, lengthCodes;
        if (!in_.Take(5, literals) || !in_.Take(5, distances) || !in_.Take(4, lengthCodes))
            return InflateWalk::EndsEarly;
        literals += 257;
        distances += 1;
        if (literals > 286 || distances > 30)
            return InflateWalk::Damaged;
        uint8_t lengths[288 + 32] = {};
        for (uint32_t i = 0; i < lengthCodes + 4; ++i) {
            uint32_t length;
            if (!in_.Take(3, length))
                return InflateWalk::EndsEarly;
            lengths[kOrder[i]] = uint8_t(length);
        }
        // The code lengths' own code must be complete.
        HuffmanCode& lengthCode = literals_;
        if (!lengthCode.Build(lengths, 19) || lengthCode.incomplete)
            return InflateWalk::Damaged;
        uint8_t all[286 + 30] = {};
        for (uint32_t i = 0; i < literals + distances;) {
            const int symbol = Decode(in_, lengthCode);
            if (symbol < 0)
                return symbol == -2 ? InflateWalk::EndsEarly : InflateWalk::Damaged;
            if (symbol < 16) {
                all[i++] = uint8_t(symbol);
                continue;
            }
            uint32_t repeat, value = 0;
            const int ok = symbol == 16   ? in_.Take(2, repeat)
                           : symbol == 17 ? in_.Take(3, repeat)
                                          : in_.Take(7, repeat);
            if (!ok)
                return InflateWalk::EndsEarly;
            if (symbol == 16) {
                if (i == 0)
                    return InflateWalk::Damaged;
                value = all[i - 1];
                repeat += 3;
            } else {
                repeat += symbol == 17 ? 3 : 11;
            }
            if (i + repeat > literals + distances)
                return InflateWalk::Damaged;
            while (repeat-- > 0)
                all[i++] = uint8_t(value);
        }
        if (all[256] == 0) // no end of block
            return InflateWalk::Damaged;
        if (!literals_.Build(all, int(literals)) || !distances_.Build(all + literals, int(distances)))
            return InflateWalk::Damaged;
        return Codes();
    }

    InflateWalk Codes() {
        for (;;) {
            int symbol = Decode(in_, literals_);
            if (symbol < 0)
                return symbol == -2 ? InflateWalk::EndsEarly : InflateWalk::Damaged;
            if (symbol < 256) {
                if (++produced_ > limit_)
                    return InflateWalk::TooLong;
                continue;
            }
            if (symbol == 256)
                return InflateWalk::Whole;
            symbol -= 257;
            if (symbol >= 29)
                return InflateWalk::Damaged;
            uint32_t extra, length;
            if (!in_.Take(kLengthExtra[symbol], extra))
                return InflateWalk::EndsEarly;
            length = kLengthBase[symbol] + extra;
            symbol = Decode(in_, distances_);
            if (symbol < 0)
                return symbol == -2 ? InflateWalk::EndsEarly : InflateWalk::Damaged;
            if (symbol >= 30)
                return InflateWalk::Damaged;
            if (!in_.Take(kDistanceExtra[symbol], extra))
                return InflateWalk::EndsEarly;
            const uint64_t distance = kDistanceBase[symbol] + extra;
            if (distance > produced_ || distance > window_)
                return InflateWalk::Damaged;
            produced_ += length;
            if (produced_ > limit_)
                return InflateWalk::TooLong;
        }
    }

    BitInput in_;
    uint64_t limit_;
    uint64_t& produced_;
    uint64_t window_ = 0;
    HuffmanCode literals_;
    HuffmanCode distances_;
};

} // namespace

InflateWalk WalkZlibStream(BytePieces& pieces, uint64_t limit, uint64_t& produced) {
    Walk walk(pieces, limit, produced);
    return walk.Run();
}
