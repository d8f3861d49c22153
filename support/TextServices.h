// Process-wide text services. Each returns a pointer into a string that
// belongs to the service; the next call of the same service replaces it.
#pragma once

// Formats with the platform formatter's conversions, at most 1024 bytes.
const char* FormatText(const char* format, ...);
// The string-table text of id (override list first); empty when there is none.
// Writable: callers may change the text in place.
char* ResourceText(int id);
// The program's path, file name and directory, taken from the command line.
const char* GetProgramPath();
const char* GetProgramFileName();
const char* GetProgramDir();  // up to and including the last backslash, or null
