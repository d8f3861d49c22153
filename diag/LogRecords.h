// The texts of Error.log: the header block that opens a process's first record,
// and the three kinds of record. Built from plain inputs; the Windows side
// gathers them and writes the file.
#pragma once

#include <cstdarg>
#include <cstdint>

class TextString;

struct LogClock {
    int year, month, day, hour, minute, second;
};

// What the header block tells about the system.
struct SystemFacts {
    uint32_t platformId;
    uint32_t majorVersion;
    uint32_t minorVersion;
    uint32_t buildNumber;
    const char* programFileName;
    const char* logPath;
    LogClock created;
    int userLineWanted;    // the shell library is recent enough to show the user's name
    const char* userName;  // null when the name could not be read
};

class PieceWriter {
public:
    virtual void Write(const TextString& piece) = 0;

protected:
    ~PieceWriter() = default;
};

const char* OperatingSystemName(uint32_t platformId);
// 1 when version major.minor is at least minMajor.minMinor.
int VersionAtLeast(uint32_t major, uint32_t minor, uint32_t minMajor, uint32_t minMinor);
// Writes the header block piece by piece, as the file receives it.
void WriteLogHeader(const SystemFacts& facts, PieceWriter& out);

// Record texts: a line (text and CR LF), a fragment (text alone) and an error
// line ("hh:mm:ss text" and CR LF). Formatting is limited to 1024 bytes.
void FormatLineRecord(TextString& record, const char* format, va_list args);
void FormatTextRecord(TextString& record, const char* format, va_list args);
void FormatErrorRecord(TextString& record, const LogClock& now, const char* format, va_list args);
