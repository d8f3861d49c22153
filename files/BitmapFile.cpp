#include "files/BitmapFile.h"

#include <cstdio>

#include "picture/PictureGrid.h"

int IsBitmapFile(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return 0;
    unsigned char signature[2] = {0, 0};
    std::fread(signature, 1, sizeof signature, file);
    std::fclose(file);
    return signature[0] == 'B' && signature[1] == 'M' ? 1 : 0;
}

void CopyImageToPicture(ImagePixels& image) {
    // All 49 rows: after a logo-sized import the hidden rows are background too.
    ClearPicture();
    for (int row = 0; row < PictureHeight(); ++row) {
        for (int column = 0; column < PictureWidth(); ++column)
            SetCell(column, row, image.PixelAt(column, row) == 0 ? 1 : 0);
    }
}
