// Error.log: the program's diagnostic file in the current directory. Every call
// opens the file, appends one record and closes it again; the first record of a
// process is preceded by a header block describing the system. Failures of the
// log itself are silent.
#pragma once

class TextString;

constexpr const char* kErrorLogPath = "Error.log";

void AppendRecord(const char* path, const TextString& record);
void LogLine(const char* format, ...);   // formatted text, then CR LF
void LogText(const char* format, ...);   // formatted text as it is
void LogError(const char* format, ...);  // "hh:mm:ss text" CR LF
