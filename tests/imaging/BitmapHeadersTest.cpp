#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "imaging/BitmapHeaders.h"
#include "imaging/BitmapWriter.h"
#include "imaging/RunLengthWalk.h"

namespace {

std::vector<uint8_t> Headers(uint32_t infoSize, uint32_t total) {
    std::vector<uint8_t> file(total, 0);
    file[0] = 'B';
    file[1] = 'M';
    file[10] = 0x76; // pixels at 118
    file[14] = uint8_t(infoSize);
    return file;
}

TEST(BitmapHeadersTest, ReadsWindowsAndOs2HeadersInsideTheFile) {
    std::vector<uint8_t> file = Headers(40, 60);
    file[18] = 0x34, file[19] = 0x12;                       // width 0x1234
    file[22] = 0xFE, file[23] = file[24] = file[25] = 0xFF; // height -2
    file[26] = 1, file[28] = 4, file[30] = 2, file[46] = 16;
    BitmapHeaders bmp;
    ASSERT_EQ(ReadBitmapHeaders(file.data(), file.size(), bmp), 1);
    EXPECT_EQ(bmp.bitsOffset, 118u);
    EXPECT_EQ(bmp.width, 0x1234);
    EXPECT_EQ(bmp.height, -2);
    EXPECT_EQ(bmp.Rows(), 2);
    EXPECT_TRUE(bmp.TopDown());
    EXPECT_EQ(bmp.planes, 1u);
    EXPECT_EQ(bmp.bitCount, 4u);
    EXPECT_EQ(bmp.compression, kBitmapRle4);
    EXPECT_EQ(bmp.coloursUsed, 16u);
    EXPECT_EQ(bmp.TableOffset(), 54u);
    EXPECT_EQ(bmp.Stride(), (0x1234u * 4 + 31) / 32 * 4);

    // OS/2 1.x: 16-bit width and height, never top-down, no compression.
    file = Headers(12, 26);
    file[18] = 3, file[20] = 0xFF, file[22] = 1, file[24] = 24;
    ASSERT_EQ(ReadBitmapHeaders(file.data(), file.size(), bmp), 1);
    EXPECT_EQ(bmp.width, 3);
    EXPECT_EQ(bmp.height, 255);
    EXPECT_EQ(bmp.bitCount, 24u);

    // A header cut off by the end of the file, one of another size, a file
    // too short or of another kind: 0, with what could be read.
    file = Headers(40, 53);
    EXPECT_EQ(ReadBitmapHeaders(file.data(), file.size(), bmp), 0);
    EXPECT_EQ(bmp.headerSize, 40u);
    EXPECT_EQ(bmp.bitsOffset, 118u);
    file = Headers(20, 60);
    EXPECT_EQ(ReadBitmapHeaders(file.data(), file.size(), bmp), 0);
    EXPECT_EQ(ReadBitmapHeaders(file.data(), 17, bmp), 0);
    file[1] = 'A';
    EXPECT_EQ(ReadBitmapHeaders(file.data(), file.size(), bmp), 0);
    EXPECT_EQ(ReadBitmapHeaders(nullptr, 0, bmp), 0);
}

struct Pixel {
    int64_t x, y;
    uint32_t index;
    bool operator==(const Pixel& other) const {
        return x == other.x && y == other.y && index == other.index;
    }
};

class Recorder : public RunLengthPixels {
  public:
    explicit Recorder(int64_t width = 1000) : width_(width) {}
    void Put(int64_t x, int64_t y, uint32_t index) override { pixels.push_back({x, y, index}); }
    int64_t Width() const override { return width_; }
    std::vector<Pixel> pixels;
    int64_t width_;
};

TEST(RunLengthWalkTest, WalksEveryKindOfCode) {
    // What RLE4 codes unpack to is checked through the readers (BitmapFileTest,
    // ImageCodecTest); here where a walk stops. A run of three, the end of the
    // row; five literal pixels (three bytes and a pad byte), a move 2 right
    // and 1 up, a run of one, the end of the picture.
    const std::vector<uint8_t> four = {3, 0x12, 0, 0, 0, 5,    0x45, 0x67, 0x80, 0,
                                       0, 2,    2, 1, 1, 0x77, 0,    1,    5,    5};
    Recorder got;
    EXPECT_EQ(WalkRunLength(four.data(), four.size(), true, 9, &got), 1);
    EXPECT_EQ(got.pixels.size(), 9u);

    // RLE8: a run and a literal of one pixel; the last of the rows ends the
    // walk without an end mark.
    const std::vector<uint8_t> eight = {2, 9, 0, 0, 0, 3, 7, 8, 9, 0, 0, 0};
    got.pixels.clear();
    EXPECT_EQ(WalkRunLength(eight.data(), eight.size(), false, 2, &got), 1);
    EXPECT_EQ(got.pixels,
              (std::vector<Pixel>{{0, 0, 9}, {1, 0, 9}, {0, 1, 7}, {1, 1, 8}, {2, 1, 9}}));

    // Cut short: in a code, in a move, in a literal, before the pad byte of
    // one, or before the last row: 0. Pixels up to there are still put.
    for (size_t cut : {size_t(1), size_t(13), size_t(7), size_t(9)}) {
        got.pixels.clear();
        EXPECT_EQ(WalkRunLength(four.data(), cut, true, 9, &got), 0) << "cut at " << cut;
    }
    EXPECT_EQ(got.pixels.size(), 8u); // the literal's pixels came before its pad byte
    EXPECT_EQ(WalkRunLength(eight.data(), 4, false, 2, nullptr), 0);
    EXPECT_EQ(WalkRunLength(eight.data(), 0, false, 0, nullptr), 1);
}

// A file of long runs past the row's end: the walk skips what lies outside,
// a step a code, instead of a step a pixel (which took seconds).
TEST(RunLengthWalkTest, RunsOutsideTheRowCostNothing) {
    class Counter : public RunLengthPixels {
      public:
        void Put(int64_t, int64_t, uint32_t) override { ++count; }
        int64_t Width() const override { return 101; }
        int64_t count = 0;
    } counter;
    std::vector<uint8_t> codes(size_t(16) << 20, 0xFF);
    for (size_t i = 1; i < codes.size(); i += 2)
        codes[i] = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WalkRunLength(codes.data(), codes.size(), false, 49, &counter), 0);
    EXPECT_EQ(counter.count, 101);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// The bitmaps written for the import and the clipboard are checked end to
// end (tests/e2e/test_pictures.py); here, where a clipboard bitmap's pixels
// start, for headers the editor's own never have.
TEST(BitmapWriterTest, FindsTheStartOfAClipboardBitmapsPixels) {
    // Masks after a 40-byte header with bit fields, none after a larger one;
    // a colour count given, or none for true colour; a header past the end.
    std::vector<uint8_t> dib(200, 0);
    dib[0] = 40, dib[14] = 16, dib[16] = kBitmapBitFields;
    EXPECT_EQ(DibPixelsOffset(dib.data(), dib.size()), 52u);
    dib[0] = 124;
    EXPECT_EQ(DibPixelsOffset(dib.data(), dib.size()), 124u);
    dib[0] = 40, dib[14] = 8, dib[16] = 0, dib[32] = 3;
    EXPECT_EQ(DibPixelsOffset(dib.data(), dib.size()), 52u);
    EXPECT_EQ(DibPixelsOffset(dib.data(), 52), 0u);
    dib[0] = 39;
    EXPECT_EQ(DibPixelsOffset(dib.data(), dib.size()), 0u);
}

} // namespace
