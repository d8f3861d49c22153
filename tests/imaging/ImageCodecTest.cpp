#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/BitFieldBitmap.h"
#include "imaging/ImageDecoder.h"
#include "imaging/ImageEncoder.h"
#include "imaging/RunLengthBitmap.h"

namespace {

// A header as text, then raw sample bytes.
std::vector<uint8_t> Bytes(const std::string& text, std::vector<uint8_t> raw = {}) {
    raw.insert(raw.begin(), text.begin(), text.end());
    return raw;
}

struct Decoded {
    int ok = 0;
    std::string error;
    DecodedImage image;
    // The red channel of every pixel, row by row.
    std::vector<int> Reds() const {
        std::vector<int> reds;
        for (int i = 0; i < image.width * image.height; ++i)
            reds.push_back(image.rgba.get()[i * 4]);
        return reds;
    }
};

Decoded Decode(const std::vector<uint8_t>& bytes, int64_t maxPixels = kMaxImagePixels) {
    Decoded result;
    result.ok = DecodeImage(bytes.data(), bytes.size(), maxPixels, result.image, result.error);
    return result;
}

TEST(NetpbmReaderTest, ReadsAllSixKinds) {
    // Plain PBM: comments anywhere in the header, bits with or without spaces; 1 is black.
    Decoded pbm = Decode(Bytes("P1\n# made by hand\n3 2 # size\n1 0 1\n010"));
    ASSERT_EQ(pbm.ok, 1) << pbm.error;
    EXPECT_EQ(pbm.Reds(), (std::vector<int>{0, 255, 0, 255, 0, 255}));
    // Raw PBM: rows start on a new byte.
    Decoded raw = Decode(Bytes("P4\n9 2\n", {0x80, 0x80, 0x7F, 0x00}));
    ASSERT_EQ(raw.ok, 1) << raw.error;
    EXPECT_EQ(raw.Reds(), (std::vector<int>{0, 255, 255, 255, 255, 255, 255, 255, 0, 255, 0, 0, 0,
                                            0, 0, 0, 0, 255}));
    // Grey levels scale from the maximum value to 0..255, rounded.
    Decoded pgm = Decode(Bytes("P2 3 1 15 0 7 15"));
    ASSERT_EQ(pgm.ok, 1) << pgm.error;
    EXPECT_EQ(pgm.Reds(), (std::vector<int>{0, 119, 255}));
    Decoded pgm16 = Decode(Bytes("P5 2 1 65535\n", {0x80, 0x00, 0xFF, 0xFF}));
    ASSERT_EQ(pgm16.ok, 1) << pgm16.error;
    EXPECT_EQ(pgm16.Reds(), (std::vector<int>{128, 255}));
    // Colour: three samples a pixel, alpha always opaque.
    Decoded ppm = Decode(Bytes("P6 1 1 255\n", {10, 20, 30}));
    ASSERT_EQ(ppm.ok, 1) << ppm.error;
    EXPECT_EQ(std::vector<int>(ppm.image.rgba.get(), ppm.image.rgba.get() + 4),
              (std::vector<int>{10, 20, 30, 255}));
    Decoded plainPpm = Decode(Bytes("P3 1 1 3 3 0 1"));
    ASSERT_EQ(plainPpm.ok, 1) << plainPpm.error;
    EXPECT_EQ(plainPpm.Reds(), (std::vector<int>{255}));
}

TEST(NetpbmReaderTest, RefusesDamagedFiles) {
    for (const char* bad : {"P4\n9 2\n\x80", "P1 2 2 1 0 1", "P2 2 1 15 3 16", "P2 0 1 15",
                            "P5 1 1 0\n\x01", "P6 1 1 255", "P3 1 x 255", "P2 99999999999 1 1"}) {
        Decoded decoded = Decode(Bytes(bad));
        EXPECT_EQ(decoded.ok, 0) << bad;
        EXPECT_FALSE(decoded.error.empty()) << bad;
    }
    // Too many pixels is refused from the header alone.
    Decoded large = Decode(Bytes("P4 1000 1000\n"), 999999);
    EXPECT_EQ(large.ok, 0);
    EXPECT_NE(large.error.find("too large"), std::string::npos) << large.error;
}

// A 1 x 2 bitmap, 32 bits a pixel, red in the top byte, green and blue below
// it, alpha in the lowest; the bottom row comes first.
std::vector<uint8_t> BitFieldBitmap(uint32_t greenMask) {
    std::vector<uint8_t> bmp(14 + 124 + 8, 0);
    auto put = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = uint8_t(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(10, 14 + 124);
    put(14, 124);
    put(18, 1);
    put(22, 2);
    bmp[26] = 1;
    bmp[28] = 32;
    put(30, 3);
    const uint32_t masks[] = {0xFF000000, greenMask, 0x0000FF00, 0x000000FF};
    for (int i = 0; i < 4; ++i)
        put(54 + 4 * i, masks[i]);
    put(138, 0x10203040); // bottom: red 16, green 32, blue 48, alpha 64
    put(142, 0xFF0000FF); // top: opaque red
    return bmp;
}

TEST(BitFieldBitmapTest, ReadsChannelsWhereTheMasksSay) {
    std::vector<uint8_t> bmp = BitFieldBitmap(0x00FF0000);
    DecodedImage image;
    std::string error;
    ASSERT_EQ(ReadBitFieldBitmap(bmp.data(), bmp.size(), kMaxImagePixels, image, error), 1)
        << error;
    ASSERT_EQ(image.width * image.height, 2);
    EXPECT_EQ(std::vector<int>(image.rgba.get(), image.rgba.get() + 8),
              (std::vector<int>{255, 0, 0, 255, 16, 32, 48, 64}));
    // A mask whose bits are not in one run is no bit field.
    bmp = BitFieldBitmap(0x00F0F000);
    EXPECT_EQ(ReadBitFieldBitmap(bmp.data(), bmp.size(), kMaxImagePixels, image, error), 0);
}

// 5-6-5 pixels with a colour table after the masks, which such a bitmap may
// carry unused: both systems read the pixels, not the table.
TEST(BitFieldBitmapTest, AColourTableIsIgnored) {
    std::vector<uint8_t> bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 74, 0, 0, 0, 40, 0, 0, 0, 2, 0,
                                0, 0, 1, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0, 0,
                                0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, // masks
                                0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0,          // the table
                                0x00, 0xF8, 0xE0, 0x07};                            // red, green
    Decoded decoded = Decode(bmp);
    ASSERT_EQ(decoded.ok, 1) << decoded.error;
    EXPECT_EQ(std::vector<int>(decoded.image.rgba.get(), decoded.image.rgba.get() + 8),
              (std::vector<int>{255, 0, 0, 255, 0, 255, 0, 255}));
}

TEST(RunLengthBitmapTest, SkippedPixelsStayTransparent) {
    // 4 x 2 in RLE4 with the colours black, white and red: the bottom row a
    // run of white and red taking turns, then a delta one pixel right into
    // the top row and three literal pixels.
    std::vector<uint8_t> bmp(14 + 40, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 14 + 40 + 12;
    bmp[14] = 40;
    bmp[18] = 4;
    bmp[22] = 2;
    bmp[26] = 1;
    bmp[28] = 4;
    bmp[30] = 2;
    bmp[46] = 3;
    const uint8_t table[] = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0};
    bmp.insert(bmp.begin() + 54, table, table + sizeof table);
    const uint8_t rows[] = {3, 0x12, 0, 0, 0, 2, 1, 0, 0, 3, 0x12, 0x10, 0, 1};
    bmp.insert(bmp.end(), rows, rows + sizeof rows);
    DecodedImage image;
    std::string error;
    ASSERT_EQ(ReadRunLengthBitmap(bmp.data(), bmp.size(), kMaxImagePixels, image, error), 1)
        << error;
    ASSERT_EQ(image.width * image.height, 8);
    std::vector<int> alphas, reds, greens;
    for (int i = 0; i < 8; ++i) {
        alphas.push_back(image.rgba.get()[i * 4 + 3]);
        reds.push_back(image.rgba.get()[i * 4]);
        greens.push_back(image.rgba.get()[i * 4 + 1]);
    }
    EXPECT_EQ(alphas, (std::vector<int>{0, 255, 255, 255, 255, 255, 255, 0}));
    EXPECT_EQ(reds, (std::vector<int>{0, 255, 255, 255, 255, 255, 255, 0}));
    EXPECT_EQ(greens, (std::vector<int>{0, 255, 0, 255, 255, 0, 255, 0}));
}

// A logo-sized picture with ink in its first and last cells.
class ImageEncoderTest : public ::testing::Test {
  protected:
    ImageEncoderTest() {
        cells_[0] = 1;
        cells_[101 * 29 - 1] = 1;
    }
    std::vector<uint8_t> Encode(ImageFormat format, const ImageLook& look) const {
        return EncodePicture(format, look, cells_, 101, 29);
    }

    uint8_t cells_[101 * 29] = {};
};

TEST_F(ImageEncoderTest, PbmPacksScaledRows) {
    ImageLook look;
    look.scale = 2;
    std::vector<uint8_t> pbm = Encode(ImageFormat::Pbm, look);
    std::string header = "P4\n202 58\n";
    ASSERT_EQ(pbm.size(), header.size() + 26 * 58);
    EXPECT_EQ(std::string(pbm.begin(), pbm.begin() + header.size()), header);
    const uint8_t* rows = pbm.data() + header.size();
    EXPECT_EQ(rows[0], 0xC0);            // cell (0, 0) is two pixels wide...
    EXPECT_EQ(rows[26], 0xC0);           // ...and two high
    EXPECT_EQ(rows[57 * 26 + 24], 0x00); // pixels 192 to 199 of the last row
    EXPECT_EQ(rows[57 * 26 + 25], 0xC0); // cell (100, 28): pixels 200 and 201
}

TEST_F(ImageEncoderTest, PngAndBmpComeBackAsTheyWereWritten) {
    // Through the platform's encoders and decoders, in the editor's colours.
    ImageLook look;
    look.background = 0x006FDAFD;
    for (ImageFormat format : {ImageFormat::Png, ImageFormat::Bmp}) {
        Decoded back = Decode(Encode(format, look));
        ASSERT_EQ(back.ok, 1) << back.error;
        ASSERT_EQ(back.image.width * back.image.height, 101 * 29);
        const uint8_t* pixels = back.image.rgba.get();
        EXPECT_EQ(std::vector<int>(pixels, pixels + 8),
                  (std::vector<int>{0, 0, 0, 255, 253, 218, 111, 255}));
        EXPECT_EQ(pixels[(101 * 29 - 1) * 4], 0);
    }
    // A file cut short is refused, not filled in.
    std::vector<uint8_t> bmp = Encode(ImageFormat::Bmp, look);
    bmp.resize(bmp.size() - 100);
    Decoded shortened = Decode(bmp);
    EXPECT_EQ(shortened.ok, 0);
    EXPECT_NE(shortened.error.find("damaged BMP"), std::string::npos) << shortened.error;
}

} // namespace
