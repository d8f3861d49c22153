// ReplacementFile: writes a file under a temporary name in the target's folder
// and puts it in place of the target only when every byte is on disk and the
// file is closed. Until then, and after any failure, the target stays exactly
// as it was, so a save that fails part-way never destroys the previous file.
#pragma once

#include <cstddef>
#include <cstdio>

#include "support/TextString.h"

class ReplacementFile {
  public:
    // Opens a new temporary file in the target's folder for binary writing.
    explicit ReplacementFile(const char* target);
    // Not committed: closes and removes the temporary file.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Null when the temporary file could not be made.
    FILE* stream() const;

    // Flushes and closes the temporary file and puts it in place of the
    // target. 1 only when every step succeeded (a write error seen by the
    // stream counts as a failure). On failure the target is exactly as it
    // was and no temporary file is left.
    int Commit();

  private:
    void Discard();

    TextString target_;
    TextString temporary_; // empty when there is no temporary file
    FILE* stream_ = nullptr;
};

// Whole-buffer convenience on top of ReplacementFile: 1 when the path now
// holds exactly these bytes.
int WriteWholeFile(const char* path, const void* data, size_t size);
