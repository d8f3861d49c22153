#include "diag/LogRecords.h"

#include "support/TextServices.h"
#include "support/TextString.h"

const char* OperatingSystemName(uint32_t platformId) {
    switch (platformId) {
    case 1:
        return "Windows";
    case 2:
        return "Windows NT";
    default:
        // Windows CE and any platform this program does not know.
        return "Unknown OS";
    }
}

int VersionAtLeast(uint32_t major, uint32_t minor, uint32_t minMajor, uint32_t minMinor) {
    if (major != minMajor)
        return major > minMajor ? 1 : 0;
    return minor >= minMinor ? 1 : 0;
}

void WriteLogHeader(const SystemFacts& facts, PieceWriter& out) {
    TextString piece;
    piece.Format("Information for debug\r\nOS: %s ver %d.%d", OperatingSystemName(facts.platformId),
                 facts.majorVersion, facts.minorVersion);
    // Versions before 5 carry no meaningful build number.
    if (facts.majorVersion >= 5)
        piece.Append(FormatText(" Build %d\r\n", facts.buildNumber));
    else
        piece.Append("\r\n");
    out.Write(piece);

    piece.Assign(FormatText("Programme name: %s\r\n", facts.programFileName));
    out.Write(piece);

    const LogClock& t = facts.created;
    piece.Assign(FormatText("File: %s is created %0.2d/%0.2d/%0.4d at %0.2d:%0.2d:%0.2d\r\n",
                            facts.logPath, t.day, t.month, t.year, t.hour, t.minute, t.second));
    out.Write(piece);

    if (facts.userLineWanted) {
        const char* name = facts.userName ? facts.userName : "(unknown)";
        piece.Assign(FormatText("User name: %s\r\n", name));
        out.Write(piece);
    }

    piece.Assign("\r\nRelease version:\r\n");
    out.Write(piece);
}

void FormatLineRecord(TextString& record, const char* format, va_list args) {
    record.FormatV(format, args);
    record.Append("\r\n");
}

void FormatTextRecord(TextString& record, const char* format, va_list args) {
    record.FormatV(format, args);
}

void FormatErrorRecord(TextString& record, const LogClock& now, const char* format, va_list args) {
    record.FormatV(format, args);
    record.Assign(FormatText("%0.2d:%0.2d:%0.2d %s\r\n", now.hour, now.minute, now.second,
                             record.text));
}
