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
    // Not committed: closes and removes the temporary file. Committed: drops
    // the old target that PlaceKeepingOld kept.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Null when the temporary file could not be made.
    FILE* stream() const;
    // 1 when the temporary file could not be made because the target's
    // folder does not exist.
    int FolderMissing() const;

    // Finish, then PutInPlace: 1 only when every step succeeded (a write
    // error seen by the stream counts as a failure). On failure the target is
    // exactly as it was and no temporary file is left.
    int Commit();

    // The steps of Commit, for files that change together (CommitTogether).
    // Flushes the file to the disk and closes it: 1 when every byte is there.
    int Finish();
    // 1 when the target may be replaced: it does not exist, or it is a file
    // that is not marked read-only.
    int Replaceable() const;
    // Puts the finished file in place of the target. With keepOld, an old
    // target stays on disk under another name until the object goes, so that
    // TakeBack can bring it back.
    int PutInPlace(int keepOld);
    // Undoes PutInPlace(1): the target is the old file again, or is gone when
    // there was none. 1 when that worked.
    int TakeBack();

  private:
    void Discard();

    TextString target_;
    TextString temporary_; // empty when there is no temporary file
    TextString old_;       // the old target kept by PutInPlace(1), else empty
    FILE* stream_ = nullptr;
    int finished_ = 0;
    int placed_ = 0;
    int folderMissing_ = 0;
};

// Commits two files as one: first is put in place before second, and either
// both targets end up as the new files (1), or both are exactly as they were
// (0).
int CommitTogether(ReplacementFile& first, ReplacementFile& second);

// Whole-buffer convenience on top of ReplacementFile: 1 when the path now
// holds exactly these bytes.
int WriteWholeFile(const char* path, const void* data, size_t size);
