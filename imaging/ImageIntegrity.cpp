#include "imaging/ImageIntegrity.h"

#include "imaging/BitmapHeaders.h"
#include "imaging/ByteOrder.h"
#include "imaging/DeclaredSize.h"
#include "imaging/NetpbmReader.h"
#include "imaging/PngImageData.h"
#include "imaging/RunLengthBitmap.h"
#include "imaging/RunLengthWalk.h"

namespace {

// The CRC-32 of PNG (and zlib), a byte at a time from a table made once.
uint32_t Crc32(const uint8_t* bytes, size_t size) {
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Every chunk inside the file with a correct checksum, up to IEND. Decoders
// check the chunks they read, but not one they skip, nor a missing end.
int PngIsWhole(const uint8_t* data, size_t size, const char*& why) {
    size_t at = 8; // after the signature
    while (true) {
        // Length, type, data, checksum; the checksum covers type and data.
        if (size - at < 12) {
            why = "the file ends before its IEND chunk";
            return 0;
        }
        const uint32_t length = BigEndian32(data + at);
        if (length > 0x7FFFFFFFu || length > size - at - 12) {
            why = "a chunk reaches past the end of the file";
            return 0;
        }
        if (Crc32(data + at + 4, 4 + size_t(length)) != BigEndian32(data + at + 8 + length)) {
            why = "a chunk's checksum is wrong";
            return 0;
        }
        const bool end = BigEndian32(data + at + 4) == 0x49454E44u; // "IEND"
        at += 12 + size_t(length);
        if (end)
            return 1;
    }
}

// The pixel data the headers describe lies inside the file.
int BmpIsWhole(const uint8_t* data, size_t size, const char*& why) {
    why = "the file ends before its pixels do";
    if (size < 26)
        return 0;
    // Headers and pixels inside the file: GDK-Pixbuf allocates what the
    // header sizes claim before it reads any further.
    BitmapHeaders bmp;
    const int known = ReadBitmapHeaders(data, size, bmp);
    if (bmp.headerSize > size - kBitmapFileHeaderSize || bmp.bitsOffset > size) {
        why = "its headers reach past the end of the file";
        return 0;
    }
    if (!known)
        return 1; // left to the decoder to judge
    const size_t offset = bmp.bitsOffset;
    const uint32_t width = uint32_t(bmp.width), bits = bmp.bitCount;
    const uint32_t rows = uint32_t(bmp.Rows()), compression = bmp.compression;
    if (bmp.headerSize != kBitmapCoreHeaderSize) {
        // The colour table, of as many entries as the header says.
        if (uint64_t(bmp.coloursUsed) * 4 > size - bmp.TableOffset()) {
            why = "its colour table reaches past the end of the file";
            return 0;
        }
        // OS/2 2.x gives 3 and 4 other meanings; JPEG and PNG in a bitmap are
        // left to their decoders.
        if (bmp.headerSize == 64 && compression >= 3)
            return 1;
    }
    if (offset == size || int32_t(width) <= 0 || rows == 0)
        return offset < size ? 1 : 0;
    if (compression == kBitmapRle8 || compression == kBitmapRle4) {
        // Run-length rows are 8-bit (1) or 4-bit (2) and always bottom-up;
        // some decoders take any other combination and draw rubbish.
        if (bits != (compression == kBitmapRle8 ? 8u : 4u) || bmp.TopDown()) {
            why = "its run-length coding does not fit its pixel format";
            return 0;
        }
        return WalkRunLength(data + offset, size - offset, compression == kBitmapRle4, rows,
                             nullptr);
    }
    if (compression != kBitmapRgb && compression != kBitmapBitFields && compression != 6)
        return 1;
    // Every row whole, with its padding: decoders drop a last row without it.
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    return stride <= (size - offset) / rows ? 1 : 0;
}

// A JPEG file ends with an EOI mark after its last scan. Inside a scan a 0xFF
// byte is always followed by 0x00 or a restart mark, so the last SOS and EOI
// marks in the file tell; a thumbnail's marks come before the main image's.
int JpegIsWhole(const uint8_t* data, size_t size, const char*& why) {
    size_t lastScan = 0, lastEnd = 0;
    for (size_t i = 2; i + 1 < size; ++i) {
        if (data[i] != 0xFF)
            continue;
        if (data[i + 1] == 0xDA)
            lastScan = i;
        else if (data[i + 1] == 0xD9)
            lastEnd = i;
    }
    if (lastScan != 0 && lastEnd > lastScan)
        return 1;
    why = "the file ends before its end mark";
    return 0;
}

// Every image the icon directory lists lies inside the file.
int IcoIsWhole(const uint8_t* data, size_t size, const char*& why) {
    why = "the file ends before its images do";
    const uint32_t count = LittleEndian16(data + 4);
    if (size < 6 + size_t(count) * 16)
        return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + 6 + size_t(i) * 16;
        const uint64_t end = uint64_t(LittleEndian32(entry + 8)) + LittleEndian32(entry + 12);
        if (end > size)
            return 0;
    }
    return 1;
}

} // namespace

int ImageIsWhole(ImageKind kind, const uint8_t* data, size_t size, const char*& why) {
    switch (kind) {
    case ImageKind::Png:
        return PngIsWhole(data, size, why);
    case ImageKind::Bmp:
        return BmpIsWhole(data, size, why);
    case ImageKind::Jpeg:
        return JpegIsWhole(data, size, why);
    case ImageKind::Ico:
        return IcoIsWhole(data, size, why);
    default:
        return 1;
    }
}

std::string ImageTooLarge(int64_t width, int64_t height) {
    return "image too large (" + std::to_string(width) + " x " + std::to_string(height) +
           " pixels)";
}

int ReadyToDecode(ImageKind kind, int takesFormat, const uint8_t* data, size_t size,
                  int64_t maxPixels, std::string& error) {
    if (!takesFormat) {
        error = "not a block file, nor an image in a format this program reads";
        return 0;
    }
    const std::string damaged = std::string("damaged ") + ImageKindName(kind) + " image (";
    const char* fault = nullptr;
    if (!ImageIsWhole(kind, data, size, fault)) {
        error = damaged + fault + ")";
        return 0;
    }
    // Sizes the header declares, refused before a library unpacks anything.
    if (kind == ImageKind::Png) {
        PngDataCheck check;
        if (!PngImageDataIsWhole(data, size, maxPixels, check)) {
            error = check.tooLarge ? ImageTooLarge(check.width, check.height)
                                   : damaged + check.fault + ")";
            return 0;
        }
    } else if (kind == ImageKind::Gif) {
        GifLayout gif;
        if (!ReadGifLayout(data, size, gif)) {
            error = damaged + "no frame)";
            return 0;
        }
        if (gif.screenWidth == 0 || gif.screenHeight == 0 || gif.width == 0 || gif.height == 0) {
            error = damaged + "no pixels)";
            return 0;
        }
        if (int64_t(gif.screenWidth) * gif.screenHeight > maxPixels) {
            error = ImageTooLarge(gif.screenWidth, gif.screenHeight);
            return 0;
        }
    }
#ifndef _WIN32 // XBM is read on Linux only
    int64_t width = 0, height = 0;
    if (kind == ImageKind::Xbm && XbmDeclaredSize(data, size, width, height) &&
        width * height > maxPixels) {
        error = ImageTooLarge(width, height);
        return 0;
    }
#endif
    return 1;
}

int DecodeBeforeLibrary(ImageKind kind, int takesFormat, const uint8_t* data, size_t size,
                        int64_t maxPixels, DecodedImage& image, std::string& error) {
    if (kind == ImageKind::Netpbm)
        return ReadNetpbm(data, size, maxPixels, image, error);
    if (!ReadyToDecode(kind, takesFormat, data, size, maxPixels, error))
        return 0;
    // The libraries step through every pixel of a run, inside the picture or
    // not (a file of long runs took GDK-Pixbuf minutes); the program's own
    // reader skips what lies outside.
    if (kind == ImageKind::Bmp && IsRunLengthBitmap(data, size))
        return ReadRunLengthBitmap(data, size, maxPixels, image, error);
    return -1;
}
