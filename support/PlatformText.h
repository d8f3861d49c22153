// The four text primitives the core takes from the platform: string length,
// the formatter, the string table and the command line. On Windows they are
// lstrlenA, wvsprintfA, LoadStringA and GetCommandLineA; elsewhere standard C
// with a formatter of the same conversions and a string table and command line
// that tests supply. This is the only platform seam of the portable core.
#pragma once

#include <cstdarg>

// The formatter's limit: formatted text and its NUL fit in this many bytes.
constexpr int kFormatLimit = 1024;

int PlatformTextLength(const char* text);
// Formats into buffer, which holds kFormatLimit bytes; returns the characters written.
int PlatformFormatV(char* buffer, const char* format, va_list args);
// Copies the string-table text of id into buffer (at most size - 1 characters
// and a NUL); returns its length, 0 when id has no text.
int PlatformLoadString(int id, char* buffer, int size);
const char* PlatformCommandLine();

// Stand-ins for tests. A command line set here replaces the process's own; a
// string table set here replaces the module's (entries end with a null text).
// Passing null restores the platform's.
struct StringTableEntry {
    int id;
    const char* text;
};
void SetCommandLineForTest(const char* commandLine);
void SetStringTableForTest(const StringTableEntry* table);
