#include "imaging/BitmapHeaders.h"

#include "imaging/ByteOrder.h"

int ReadBitmapHeaders(const uint8_t* data, size_t size, BitmapHeaders& layout) {
    layout = BitmapHeaders();
    if (data == nullptr || size < kBitmapFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return 0;
    layout.bitsOffset = LittleEndian32(data + 10);
    layout.headerSize = LittleEndian32(data + 14);
    if (layout.headerSize > size - kBitmapFileHeaderSize)
        return 0;
    const uint8_t* info = data + kBitmapFileHeaderSize;
    if (layout.headerSize == kBitmapCoreHeaderSize) {
        layout.width = LittleEndian16(info + 4);
        layout.height = LittleEndian16(info + 6);
        layout.planes = LittleEndian16(info + 8);
        layout.bitCount = LittleEndian16(info + 10);
        return 1;
    }
    if (layout.headerSize < kBitmapInfoHeaderSize)
        return 0;
    layout.width = int32_t(LittleEndian32(info + 4));
    layout.height = int32_t(LittleEndian32(info + 8));
    layout.planes = LittleEndian16(info + 12);
    layout.bitCount = LittleEndian16(info + 14);
    layout.compression = LittleEndian32(info + 16);
    layout.coloursUsed = LittleEndian32(info + 32);
    return 1;
}
