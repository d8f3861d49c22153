// Error.log on the Windows file functions. The texts come from LogRecords; this
// file gathers what the header tells about the system and writes the records.
#include "diag/ErrorLog.h"

#include <windows.h>

#include <shlwapi.h>

#include "diag/LogFile.h"
#include "diag/LogRecords.h"
#include "support/TextServices.h"
#include "support/TextString.h"

namespace {

int headerPending = 1;

LogClock LocalClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LogClock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// Whether the library reports at least the given version through DllGetVersion.
int CheckLibraryVersion(const char* library, DWORD minMajor, DWORD minMinor) {
    HMODULE module = LoadLibraryA(library);
    if (module == nullptr)
        return 0;
    // Through void (*)(): the generic function pointer type that may be cast to any other.
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetVersion")));
    int passed = 0;
    if (getVersion) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info)))
            passed = VersionAtLeast(info.dwMajorVersion, info.dwMinorVersion, minMajor, minMinor);
    }
    FreeLibrary(module);
    return passed;
}

class FileWriter : public PieceWriter {
public:
    explicit FileWriter(LogFile& file) : file_(file) {}
    void Write(const TextString& piece) override { file_.Write(piece, 0); }

private:
    LogFile& file_;
};

void WriteHeader(LogFile& file, const char* path) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);

    SystemFacts facts = {};
    facts.platformId = version.dwPlatformId;
    facts.majorVersion = version.dwMajorVersion;
    facts.minorVersion = version.dwMinorVersion;
    facts.buildNumber = version.dwBuildNumber;
    facts.programFileName = GetProgramFileName();
    facts.logPath = path;
    facts.created = LocalClock();
    facts.userLineWanted = CheckLibraryVersion("shell32.dll", 4, 0);
    // GetUserNameA leaves the buffer as it was when it fails.
    char userName[260] = {};
    DWORD size = sizeof userName;
    if (facts.userLineWanted && GetUserNameA(userName, &size))
        facts.userName = userName;

    FileWriter writer(file);
    WriteLogHeader(facts, writer);
}

} // namespace

void AppendRecord(const char* path, const TextString& record) {
    LogFile file(path);
    file.SeekEnd();
    if (headerPending) {
        // Cleared even when the file could not be opened: that run has no header.
        headerPending = 0;
        if (file.IsOpen())
            WriteHeader(file, path);
    }
    file.Write(record, 0);
}

void LogLine(const char* format, ...) {
    static TextString line;
    va_list args;
    va_start(args, format);
    FormatLineRecord(line, format, args);
    va_end(args);
    AppendRecord(kErrorLogPath, line);
}

void LogText(const char* format, ...) {
    static TextString fragment;
    va_list args;
    va_start(args, format);
    FormatTextRecord(fragment, format, args);
    va_end(args);
    AppendRecord(kErrorLogPath, fragment);
}

void LogError(const char* format, ...) {
    static TextString error;
    LogClock now = LocalClock();
    va_list args;
    va_start(args, format);
    FormatErrorRecord(error, now, format, args);
    va_end(args);
    AppendRecord(kErrorLogPath, error);
}
