#include "diag/LogFile.h"

#include "support/TextString.h"

int LogFile::Open(const char* path, DWORD creationDisposition) {
    Close();
    HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                creationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    return handle_ != nullptr;
}

void LogFile::SeekEnd() {
    if (handle_)
        SetFilePointer(handle_, 0, nullptr, FILE_END);
}

int LogFile::Write(const char* text, int count) {
    TextString copy(text);
    if (handle_ == nullptr || count < 0 || count > copy.length || copy.text == nullptr)
        return 0;
    DWORD toWrite = static_cast<DWORD>(count != 0 ? count : copy.length);
    DWORD written = 0;
    if (!WriteFile(handle_, copy.text, toWrite, &written, nullptr))
        return 0;
    return static_cast<int>(written);
}

int LogFile::Write(const TextString& text, int count) {
    return Write(text.text, count);
}

void LogFile::Close() {
    if (handle_) {
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}
