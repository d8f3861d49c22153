#include "files/BitmapImport.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "files/TopDownBitmap.h"
#include "picture/PictureGrid.h"

namespace {

// Files larger than this go to the platform's loader whatever their layout.
constexpr long kMaxDrawnFileSize = 32L << 20;

// The whole file, or nothing when it cannot be read or is too large.
std::vector<uint8_t> ReadSmallFile(const char* path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size > 0 && size <= kMaxDrawnFileSize && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(size_t(size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            bytes.clear();
    }
    std::fclose(file);
    return bytes;
}

// A top-down bitmap file scaled to width x height and reduced to black and
// white, drawn by GDI the way the platform's loader draws any other bitmap
// (LR_MONOCHROME | LR_CREATEDIBSECTION: a one-bit DIB section, black then
// white). Null when the file is not one or cannot be drawn.
HANDLE LoadTopDownBitmap(const char* path, int width, int height) {
    std::vector<uint8_t> bytes = ReadSmallFile(path);
    TopDownBitmapLayout layout;
    if (!FindTopDownBitmap(bytes.data(), bytes.size(), layout))
        return nullptr;
    // The file's header and colour table, copied to an aligned block.
    std::vector<DWORD> source((layout.infoSize + sizeof(DWORD) - 1) / sizeof(DWORD));
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
    int drawn = previous &&
                StretchDIBits(memoryDc, 0, 0, width, height, 0, 0, layout.width, layout.height,
                              bytes.data() + layout.bitsOffset,
                              reinterpret_cast<BITMAPINFO*>(source.data()), DIB_RGB_COLORS,
                              SRCCOPY) != 0;
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
