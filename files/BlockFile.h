// EEPROM block files: the operator logo and the screensaver blocks of the A50's
// EEPROM, a short fixed header followed by 13 bytes per pixel row (most
// significant bit leftmost). They are read into and written from the
// process-wide picture.
#pragma once

#include <cstddef>
#include <cstdint>

// The whole length of each kind: its header, then 13 bytes for each row.
constexpr long kLogoBlockFileSize = 16 + 29 * 13;
constexpr long kScreensaverBlockFileSize = 10 + 49 * 13;

// 1 when the file starts with the logo header (0xFF 0xFF at 0, 101 x 29 at 8),
// else 0. Reads at most 16 bytes; a shorter file counts as padded with zeros.
int IsLogoBlockFile(const char* path);

// 1 when the file starts with the screensaver header (0x00 0x00, 101 x 49),
// else 0. Reads at most 16 bytes, like the logo test.
int IsScreensaverBlockFile(const char* path);

// The same tests and the same reading on bytes already in memory (a file that
// could be read only once, as from a pipe).
int IsLogoBlockData(const uint8_t* data, size_t size);
int IsScreensaverBlockData(const uint8_t* data, size_t size);
void ReadBlockData(const uint8_t* data, size_t size);

// Replaces the picture with the file's pixels and selects the size of the
// file's kind. A file that cannot be opened leaves the picture as it is; a
// short file leaves the missing cells background; extra bytes are ignored.
void ReadBlockFile(const char* path);

// Writes the picture as a block file of the current size, and beside it the
// block info file when the file name holds ".bin". The two new files take the
// old ones' places together, once both are complete: returns 1 then, else 0,
// and after a failure both old files are left exactly as they were.
int WriteBlockFile(const char* path);
