#include "files/BitmapImport.h"

#include <cstdio>
#include <cstdlib>

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

HANDLE LoadScaled(const char* path, int width, int height) {
    return LoadImageA(nullptr, path, IMAGE_BITMAP, width, height,
                      LR_LOADFROMFILE | LR_MONOCHROME | LR_CREATEDIBSECTION);
}

// Writes size bytes to a new temporary file; its name goes to name (3 * MAX_PATH
// bytes: in UTF-8 a character of the user's folder takes up to three). 0, with
// no file left behind, when that fails.
int WriteTemporaryFile(const uint8_t* bytes, size_t size, char* name) {
    char folder[3 * MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "pxm", 0, name))
        return 0;
    FILE* file = std::fopen(name, "wb");
    int written = file && std::fwrite(bytes, 1, size, file) == size;
    if (file && std::fclose(file) != 0)
        written = 0;
    if (!written)
        DeleteFileA(name);
    return written;
}

// A top-down bitmap file, loaded as its bottom-up twin by the platform's
// loader, so that scaling and the reduction to black and white are exactly
// those of any other bitmap. Null when the file is not one or that fails.
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
    return read ? LoadBitmapBytes(bytes.data(), size_t(size), width, height) : nullptr;
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

HANDLE LoadBitmapBytes(const uint8_t* bytes, size_t size, int width, int height) {
    TopDownBitmapLayout layout;
    const uint8_t* file = bytes;
    size_t fileSize = size;
    OwnedBlock twin{FindTopDownBitmap(bytes, size, layout) ? layout.twinSize : 0};
    if (twin.data()) {
        CopyAsBottomUp(bytes, size, layout, twin.data());
        file = twin.data();
        fileSize = layout.twinSize;
    }
    char copy[3 * MAX_PATH];
    if (!WriteTemporaryFile(file, fileSize, copy))
        return nullptr;
    HANDLE image = LoadScaled(copy, width, height);
    DeleteFileA(copy);
    return image;
}

int ImportBitmap(const char* path, HWND window) {
    HANDLE image = LoadTopDownBitmap(path, PictureWidth(), PictureHeight());
    if (!image)
        image = LoadScaled(path, PictureWidth(), PictureHeight());
    return ImportLoadedBitmap(image, window);
}

int ImportLoadedBitmap(HANDLE image, HWND window) {
    if (!image)
        return 0;
    HDC windowDc = GetDC(window);
    int copied = CopyBitmapToPicture(image, windowDc);
    ReleaseDC(window, windowDc);
    DeleteObject(image);
    return copied;
}
