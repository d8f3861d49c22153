// A file that the error log appends to: opened on construction, closed on
// destruction. Opened for reading and writing and shared for reading only, so
// others can read the log while it is written.
#pragma once

#include <windows.h>

class TextString;

class LogFile {
public:
    explicit LogFile(const char* path) : handle_(nullptr) { Open(path, OPEN_ALWAYS); }
    ~LogFile() { Close(); }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    int Open(const char* path, DWORD creationDisposition);
    void SeekEnd();
    // Writes count bytes of text, or all of it when count is 0; writes nothing
    // and returns 0 when count is negative or larger than the text. Returns the
    // bytes written.
    int Write(const char* text, int count);
    int Write(const TextString& text, int count);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

private:
    HANDLE handle_;  // null while no file is open
};
