#include "editor/PictureClipboard.h"

#include "files/PictureImport.h"
#include "imaging/BitmapWriter.h"
#include "picture/PictureGrid.h"

int CopyPictureToClipboard(HWND owner) {
    const int width = PictureWidth(), height = PictureHeight();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, MonochromeDibSize(width, height));
    void* bytes = block ? GlobalLock(block) : nullptr;
    if (bytes) {
        WriteMonochromeDib(thePicture.cells, width, height, static_cast<uint8_t*>(bytes));
        GlobalUnlock(block);
    }
    // Once the clipboard has taken the block, it is the clipboard's.
    if (bytes && OpenClipboard(owner)) {
        EmptyClipboard();
        if (SetClipboardData(CF_DIB, block))
            block = nullptr;
        CloseClipboard();
    }
    if (block)
        GlobalFree(block);
    return bytes && !block;
}

HANDLE LoadClipboardPicture(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_DIB) || !OpenClipboard(owner))
        return nullptr;
    HANDLE image = nullptr;
    HGLOBAL block = GetClipboardData(CF_DIB);
    const void* dib = block ? GlobalLock(block) : nullptr;
    if (dib) {
        image = LoadDib(static_cast<const uint8_t*>(dib), GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return image;
}
