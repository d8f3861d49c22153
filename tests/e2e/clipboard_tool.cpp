// The second program on the desktop for the clipboard cases:
//     clipboard_tool put FILE.bmp   puts the bitmap file's picture on the clipboard as CF_DIB
//     clipboard_tool get FILE       writes the clipboard's CF_DIB to FILE (exit 3: none there)
//     clipboard_tool text TEXT      puts text on the clipboard, no picture
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Put(UINT format, const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return 1;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr))
        return 1;
    EmptyClipboard();
    int ok = SetClipboardData(format, block) != nullptr;
    CloseClipboard();
    return ok ? 0 : 1;
}

int PutBitmapFile(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return 1;
    static unsigned char bytes[1 << 22];
    size_t size = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    return size > 14 ? Put(CF_DIB, bytes + 14, size - 14) : 1;
}

int Get(const char* path) {
    if (!OpenClipboard(nullptr))
        return 1;
    HGLOBAL block = GetClipboardData(CF_DIB);
    int result = 3;
    if (block) {
        FILE* file = std::fopen(path, "wb");
        result =
            file && std::fwrite(GlobalLock(block), 1, GlobalSize(block), file) == GlobalSize(block)
                ? 0
                : 1;
        GlobalUnlock(block);
        if (file)
            std::fclose(file);
    }
    CloseClipboard();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    if (!std::strcmp(argv[1], "put"))
        return PutBitmapFile(argv[2]);
    if (!std::strcmp(argv[1], "get"))
        return Get(argv[2]);
    if (!std::strcmp(argv[1], "text"))
        return Put(CF_TEXT, argv[2], std::strlen(argv[2]) + 1);
    return 2;
}
