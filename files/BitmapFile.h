// Bitmap files as the Load command sees them: recognised by their first two
// bytes, and turned into the picture by reading the pixels of an image that
// has already been scaled to the current picture size. The image itself comes
// from whatever loader the platform has (see BitmapImport.h).
#pragma once

#include <cstdint>

// 1 when the file begins with the two bytes "BM", else 0 (also when it cannot
// be opened). Nothing after the signature is examined.
int IsBitmapFile(const char* path);

// The pixels of a loaded image of exactly the current picture size.
class ImagePixels {
  public:
    virtual ~ImagePixels() = default;
    // The colour of pixel (x, y) as 0x00BBGGRR, (0, 0) being the top-left
    // corner as seen; any failure gives a value other than 0.
    virtual uint32_t PixelAt(int x, int y) = 0;
};

// Clears all 49 rows of the picture, then makes ink of every pixel of the
// current width x height that reads exactly black (0) and background of
// everything else. The picture size is not changed.
void CopyImageToPicture(ImagePixels& image);
