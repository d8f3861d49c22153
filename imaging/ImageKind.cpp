#include "imaging/ImageKind.h"

#include <cstring>

namespace {

bool StartsWith(const uint8_t* data, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(data, magic, length) == 0;
}

// An X11 bitmap is C source: "#define name_width 16". Comments may come first.
bool IsXbm(const uint8_t* data, size_t size) {
    size_t at = 0;
    while (at < size) {
        if (data[at] == ' ' || data[at] == '\t' || data[at] == '\r' || data[at] == '\n') {
            ++at;
        } else if (StartsWith(data + at, size - at, "/*", 2)) {
            const uint8_t* end = nullptr;
            for (size_t i = at + 2; i + 1 < size && end == nullptr; ++i)
                if (data[i] == '*' && data[i + 1] == '/')
                    end = data + i + 2;
            if (end == nullptr)
                return false;
            at = size_t(end - data);
        } else {
            break;
        }
    }
    return StartsWith(data + at, size - at, "#define ", 8);
}

} // namespace

ImageKind RecogniseImage(const uint8_t* data, size_t size) {
    if (StartsWith(data, size, "\x89PNG\r\n\x1a\n", 8))
        return ImageKind::Png;
    if (StartsWith(data, size, "\xff\xd8\xff", 3))
        return ImageKind::Jpeg;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return ImageKind::Gif;
    if (StartsWith(data, size, "BM", 2))
        return ImageKind::Bmp;
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4))
        return ImageKind::Tiff;
    // An icon directory: reserved 0, type 1, then at least one image.
    if (StartsWith(data, size, "\0\0\1\0", 4) && size >= 6 && (data[4] | data[5]) != 0)
        return ImageKind::Ico;
    if (size >= 2 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6')
        return ImageKind::Netpbm;
    if (IsXbm(data, size))
        return ImageKind::Xbm;
    return ImageKind::Unknown;
}

const char* ImageKindName(ImageKind kind) {
    switch (kind) {
    case ImageKind::Png:
        return "PNG";
    case ImageKind::Jpeg:
        return "JPEG";
    case ImageKind::Gif:
        return "GIF";
    case ImageKind::Bmp:
        return "BMP";
    case ImageKind::Tiff:
        return "TIFF";
    case ImageKind::Ico:
        return "ICO";
    case ImageKind::Netpbm:
        return "Netpbm";
    case ImageKind::Xbm:
        return "XBM";
    case ImageKind::Unknown:
        break;
    }
    return nullptr;
}
