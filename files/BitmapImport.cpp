#include "files/BitmapImport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/TopDownBitmap.h"
#include "picture/PictureGrid.h"

namespace {

// Files larger than this go to the platform's loader whatever their layout.
constexpr long kMaxDrawnFileSize = 32L << 20;

// A block of memory owned for one scope. Not a standard container: that
// would link the C++ exception runtime into the release.
class OwnedBlock {
  public:
    explicit OwnedBlock(size_t size) : data_(size > 0 ? std::malloc(size) : nullptr) {}
    ~OwnedBlock() { std::free(data_); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    uint8_t* data() const { return static_cast<uint8_t*>(data_); }

  private:
    void* data_;
};

// The size of the file, or -1 when it cannot be read whole or is too large.
long SmallFileSize(FILE* file) {
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size <= 0 || size > kMaxDrawnFileSize || std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

// A top-down bitmap file scaled to width x height and reduced to black and
// white, drawn by GDI the way the platform's loader draws any other bitmap
// (LR_MONOCHROME | LR_CREATEDIBSECTION: a one-bit DIB section, black then
// white). Null when the file is not one or cannot be drawn.
HANDLE LoadTopDownBitmap(const char* path, int width, int height) {
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    // Most bitmaps are stored bottom-up and go to the platform's loader as they
    // are: only a negative height (the sign bit of the little-endian 32-bit
    // field at offset 22) makes the whole file worth reading here.
    uint8_t header[26];
    if (std::fread(header, 1, sizeof header, file) != sizeof header || !(header[25] & 0x80)) {
        std::fclose(file);
        return nullptr;
    }
    long size = SmallFileSize(file);
    OwnedBlock bytes(size > 0 ? size_t(size) : 0);
    int read = bytes.data() && std::fread(bytes.data(), 1, size_t(size), file) == size_t(size);
    std::fclose(file);
    TopDownBitmapLayout layout;
    if (!read || !FindTopDownBitmap(bytes.data(), size_t(size), layout))
        return nullptr;
    // The file's header and colour table, copied to an aligned block.
    OwnedBlock source(layout.infoSize);
    if (!source.data())
        return nullptr;
    std::memcpy(source.data(), bytes.data() + layout.infoOffset, layout.infoSize);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } monochrome = {};
    monochrome.header.biSize = sizeof monochrome.header;
    monochrome.header.biWidth = width;
    monochrome.header.biHeight = height;
    monochrome.header.biPlanes = 1;
    monochrome.header.biBitCount = 1;
    monochrome.header.biCompression = BI_RGB;
    monochrome.colours[1] = {0xFF, 0xFF, 0xFF, 0};

    HDC memoryDc = CreateCompatibleDC(nullptr);
    if (!memoryDc)
        return nullptr;
    void* pixels = nullptr;
    HBITMAP image = CreateDIBSection(memoryDc, reinterpret_cast<BITMAPINFO*>(&monochrome),
                                     DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ previous = image ? SelectObject(memoryDc, image) : nullptr;
    int drawn = previous && StretchDIBits(memoryDc, 0, 0, width, height, 0, 0, layout.width,
                                          layout.height, bytes.data() + layout.bitsOffset,
                                          reinterpret_cast<BITMAPINFO*>(source.data()),
                                          DIB_RGB_COLORS, SRCCOPY) != 0;
    if (previous)
        SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
    if (!drawn && image) {
        DeleteObject(image);
        image = nullptr;
    }
    return image;
}

// Pixels of a bitmap selected into a memory device context.
class DcPixels : public ImagePixels {
  public:
    explicit DcPixels(HDC dc) : dc_(dc) {}
    // GetPixel reports a failure as CLR_INVALID, which is not black.
    uint32_t PixelAt(int x, int y) override { return GetPixel(dc_, x, y); }

  private:
    HDC dc_;
};

} // namespace

int CopyBitmapToPicture(HANDLE image, HDC screenDc) {
    HDC memoryDc = CreateCompatibleDC(screenDc);
    if (!memoryDc)
        return 0;
    HGDIOBJ previous = SelectObject(memoryDc, image);
    if (!previous) {
        // Without the image in it the DC would read as its own empty bitmap.
        DeleteDC(memoryDc);
        return 0;
    }
    DcPixels pixels(memoryDc);
    CopyImageToPicture(pixels);
    // The bitmap goes back out of the DC before either is deleted.
    SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
    return 1;
}

int ImportBitmap(const char* path, HWND window) {
    HANDLE image = LoadTopDownBitmap(path, PictureWidth(), PictureHeight());
    if (!image)
        image = LoadImageA(nullptr, path, IMAGE_BITMAP, PictureWidth(), PictureHeight(),
                           LR_LOADFROMFILE | LR_MONOCHROME | LR_CREATEDIBSECTION);
    if (!image)
        return 0;
    HDC windowDc = GetDC(window);
    int copied = CopyBitmapToPicture(image, windowDc);
    ReleaseDC(window, windowDc);
    DeleteObject(image);
    return copied;
}
