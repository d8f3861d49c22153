#include "convert/PictureInfo.h"

#include "picture/PictureGrid.h"

std::string DescribePicture() {
    const int width = PictureWidth(), height = PictureHeight();
    std::string rows;
    int ink = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int cell = CellAt(column, row);
            ink += cell;
            rows += cell == 1 ? '#' : '.';
        }
        rows += '\n';
    }
    return std::string("kind: ") +
           (GetPictureMode() == PictureMode::Logo ? "logo" : "screensaver") + "\n" +
           "size: " + std::to_string(width) + " x " + std::to_string(height) + "\n" +
           "ink: " + std::to_string(ink) + " of " + std::to_string(width * height) +
           " cells\n" + rows;
}
