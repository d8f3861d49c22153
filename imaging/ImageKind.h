// The image formats the converter reads, told apart by a file's first bytes.
// The decoders take a file only in the format its content claims; they never
// hand it to every decoder they know until one accepts it.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ImageKind { Unknown, Png, Jpeg, Gif, Bmp, Tiff, Ico, Netpbm, Xbm };

ImageKind RecogniseImage(const uint8_t* data, size_t size);

// The format's name for messages: "PNG", "JPEG", ...; null for Unknown.
const char* ImageKindName(ImageKind kind);
