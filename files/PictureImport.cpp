#include "files/PictureImport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/BitmapImport.h"
#include "imaging/BitmapHeaders.h"
#include "imaging/BitmapWriter.h"
#include "imaging/ImageDecoder.h"
#include "picture/PictureGrid.h"

namespace {

// A block of memory owned for one scope, from malloc.
class Block {
  public:
    explicit Block(size_t size)
        : data_(static_cast<uint8_t*>(size ? std::malloc(size) : nullptr)) {}
    ~Block() { std::free(data_); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    uint8_t* data() const { return data_; }

  private:
    uint8_t* data_;
};

// The whole file in a block of size bytes; null when it cannot be read or is
// larger than any image worth reading.
uint8_t* ReadWholeFile(const char* path, size_t& size) {
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        length = std::ftell(file);
    uint8_t* bytes = nullptr;
    if (length > 0 && uint64_t(length) <= kMaxImageFileBytes && std::fseek(file, 0, SEEK_SET) == 0)
        bytes = static_cast<uint8_t*>(std::malloc(size_t(length)));
    if (bytes && std::fread(bytes, 1, size_t(length), file) != size_t(length)) {
        std::free(bytes);
        bytes = nullptr;
    }
    std::fclose(file);
    size = bytes ? size_t(length) : 0;
    return bytes;
}

int ImportBitmapBytes(const uint8_t* bytes, size_t size, HWND window) {
    return ImportLoadedBitmap(LoadBitmapBytes(bytes, size, PictureWidth(), PictureHeight()),
                              window);
}

} // namespace

int ImportPicture(const char* path, HWND window) {
    size_t size = 0;
    uint8_t* bytes = ReadWholeFile(path, size);
    if (!bytes)
        return 0;
    DecodedImage image;
    std::string error;
    int decoded = DecodeImage(bytes, size, kMaxImagePixels, image, error);
    std::free(bytes);
    if (!decoded)
        return 0;
    const size_t fileSize = RgbBitmapFileSize(image.width, image.height);
    Block file(fileSize);
    if (!file.data())
        return 0;
    WriteRgbBitmapFile(image.rgba.get(), image.width, image.height, file.data());
    image.rgba.reset();
    return ImportBitmapBytes(file.data(), fileSize, window);
}

HANDLE LoadDib(const uint8_t* dib, size_t size) {
    const size_t pixels = DibPixelsOffset(dib, size);
    if (pixels == 0)
        return nullptr;
    const size_t fileSize = kBitmapFileHeaderSize + size;
    Block file(fileSize);
    if (!file.data())
        return nullptr;
    WriteBitmapFileHeader(file.data(), fileSize, kBitmapFileHeaderSize + pixels);
    std::memcpy(file.data() + kBitmapFileHeaderSize, dib, size);
    return LoadBitmapBytes(file.data(), fileSize, PictureWidth(), PictureHeight());
}
