#include "files/BitmapImport.h"

#include "picture/PictureGrid.h"

namespace {

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

int ImportBitmap(const char* path, HWND window) {
    HANDLE image = LoadImageA(nullptr, path, IMAGE_BITMAP, PictureWidth(), PictureHeight(),
                              LR_LOADFROMFILE | LR_MONOCHROME | LR_CREATEDIBSECTION);
    if (!image)
        return 0;
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HGDIOBJ previous = SelectObject(memoryDc, image);
    DcPixels pixels(memoryDc);
    CopyImageToPicture(pixels);
    // The bitmap goes back out of the DC before either is deleted.
    SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    DeleteObject(image);
    return 1;
}
