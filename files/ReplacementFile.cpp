#include "files/ReplacementFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Names tried before giving up when earlier ones are taken.
constexpr int kNameAttempts = 100;

unsigned long ProcessId() {
#ifdef _WIN32
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// A name beside the target, made of the target's name, the process, a
// counter and the ending. Formatted by the program's own formatter: the C
// library's would bring MinGW's whole printf engine into the program. Empty
// when out of memory.
TextString NameBeside(const TextString& target, const char* ending) {
    static unsigned counter = 0;
    TextString suffix;
    suffix.Format(".%lu-%u.%s", ProcessId(), counter++, ending);
    TextString name(target.text);
    name.Append(suffix.text);
    if (suffix.length == 0 || name.length != target.length + suffix.length)
        return TextString();
    return name;
}

// Creates the file exclusively, so that an existing file is never reused or
// emptied. -1 when it cannot be created; errno tells why.
int CreateExclusive(const char* path) {
#ifdef _WIN32
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
#endif
}

FILE* StreamOver(int descriptor) {
#ifdef _WIN32
    FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr)
        _close(descriptor);
#else
    FILE* stream = fdopen(descriptor, "wb");
    if (stream == nullptr)
        close(descriptor);
#endif
    return stream;
}

// Asks the system to write the file's data to the disk before it returns, so
// that a power cut after the move into place finds the new bytes, not an
// empty file.
int SyncToDisk(FILE* stream) {
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0 ? 1 : 0;
#else
    return fsync(fileno(stream)) == 0 ? 1 : 0;
#endif
}

// Gives the temporary file the permission bits of the file it replaces, so
// that a private file stays private and an executable one executable; a new
// target keeps the bits the file was created with. On Windows the
// replacement itself carries the old file's attributes and permissions over.
int KeepPermissions(FILE* stream, const char* target) {
#ifdef _WIN32
    (void)stream;
    (void)target;
    return 1;
#else
    struct stat old;
    if (stat(target, &old) != 0 || !S_ISREG(old.st_mode))
        return 1;
    const int descriptor = fileno(stream);
    const mode_t wanted = old.st_mode & 07777;
    if (fchmod(descriptor, wanted) == 0)
        return 1;
    // Some file systems have no bits of their own (FAT under Linux): there
    // the refusal is harmless when the file already has the same ones.
    struct stat now;
    return fstat(descriptor, &now) == 0 && (now.st_mode & 07777) == wanted ? 1 : 0;
#endif
}

#ifdef _WIN32
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Wine's ReplaceFile takes only full paths.
TextString FullPath(const char* path) {
    TextString full;
    const DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
    char* buffer = needed > 0 ? static_cast<char*>(std::malloc(needed)) : nullptr;
    if (buffer != nullptr && GetFullPathNameA(path, needed, buffer, nullptr) < needed)
        full.Assign(buffer);
    std::free(buffer);
    return full;
}

int Exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
#endif

// Puts the finished file in place of a target that does not exist.
int MoveToFreeName(const char* from, const char* to) {
#ifdef _WIN32
    return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) ? 1 : 0;
#else
    // rename would replace a target made meanwhile; a link never does.
    if (link(from, to) != 0)
        return errno == EPERM || errno == ENOSYS ? std::rename(from, to) == 0 : 0;
    unlink(from);
    return 1;
#endif
}

} // namespace

ReplacementFile::ReplacementFile(const char* target) {
    if (target == nullptr || target[0] == '\0')
        return;
    target_.Assign(target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        TextString name = NameBeside(target_, "tmp");
        if (name.length == 0)
            return; // out of memory: no name
        int descriptor = CreateExclusive(name.text);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            // No folder, no room or no permission: no name will do.
            folderMissing_ = errno == ENOENT;
            return;
        }
        stream_ = StreamOver(descriptor);
        if (stream_ == nullptr) {
            std::remove(name.text);
            return;
        }
        temporary_.Assign(name);
        return;
    }
}

ReplacementFile::~ReplacementFile() {
    Discard();
    if (old_.length > 0)
        std::remove(old_.text);
}

FILE* ReplacementFile::stream() const {
    return stream_;
}

int ReplacementFile::FolderMissing() const {
    return folderMissing_;
}

int ReplacementFile::Commit() {
    return Finish() && Replaceable() && PutInPlace(0);
}

int ReplacementFile::Finish() {
    if (stream_ == nullptr)
        return 0;
    // The bytes count as written only when the stream saw no error, the last
    // flush succeeded, the system has them on the disk and the close
    // succeeded: some C libraries report a failed final flush only through
    // fflush, not through fclose.
    int healthy = std::ferror(stream_) == 0 && KeepPermissions(stream_, target_.text);
    healthy = std::fflush(stream_) == 0 && healthy;
    healthy = healthy && SyncToDisk(stream_);
    int closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!healthy || !closed) {
        Discard();
        return 0;
    }
    finished_ = 1;
    return 1;
}

// A file marked read-only is one its owner protected: it is refused here on
// every system, as Windows refuses to replace it.
int ReplacementFile::Replaceable() const {
    if (target_.length == 0)
        return 0;
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(target_.text);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
#else
    struct stat status;
    if (stat(target_.text, &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && (status.st_mode & 0222) != 0;
#endif
}

int ReplacementFile::PutInPlace(int keepOld) {
    if (!finished_ || placed_ || temporary_.length == 0)
        return 0;
    TextString old;
#ifdef _WIN32
    if (!Exists(target_.text)) {
        if (!MoveToFreeName(temporary_.text, target_.text))
            return 0;
    } else {
        // ReplaceFile carries the old file's attributes and permissions over
        // to the new one; the old file becomes the backup when one is named.
        for (int attempt = 0; keepOld && attempt < kNameAttempts && old.length == 0; ++attempt) {
            old.Assign(NameBeside(target_, "old"));
            if (old.length > 0 && Exists(old.text))
                old.Assign("");
        }
        if (keepOld && old.length == 0)
            return 0;
        // Not every implementation of ReplaceFile carries the attributes.
        SetFileAttributesA(temporary_.text, GetFileAttributesA(target_.text) & kKeptAttributes);
        TextString target = FullPath(target_.text), temporary = FullPath(temporary_.text),
                   backup = FullPath(old.text);
        if (target.length == 0 || temporary.length == 0 || (keepOld && backup.length == 0) ||
            !ReplaceFileA(target.text, temporary.text, keepOld ? backup.text : nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return 0;
    }
#else
    struct stat status;
    if (stat(target_.text, &status) != 0) {
        if (!MoveToFreeName(temporary_.text, target_.text))
            return 0;
    } else {
        // The old file gets a second name before the new one takes the
        // target's, so that the target never goes missing.
        for (int attempt = 0; keepOld && attempt < kNameAttempts && old.length == 0; ++attempt) {
            old.Assign(NameBeside(target_, "old"));
            if (old.length > 0 && link(target_.text, old.text) != 0)
                old.Assign("");
        }
        if (keepOld && old.length == 0)
            return 0;
        if (std::rename(temporary_.text, target_.text) != 0) {
            if (old.length > 0)
                unlink(old.text);
            return 0;
        }
    }
#endif
    temporary_.Assign("");
    old_.Assign(old);
    placed_ = 1;
    return 1;
}

int ReplacementFile::TakeBack() {
    if (!placed_)
        return 0;
    int restored;
    if (old_.length > 0) {
#ifdef _WIN32
        restored = MoveFileExA(old_.text, target_.text,
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
        restored = std::rename(old_.text, target_.text) == 0;
#endif
    } else {
        restored = std::remove(target_.text) == 0;
    }
    // Kept on disk when it could not be brought back: it is the user's file.
    old_.Assign("");
    placed_ = 0;
    return restored;
}

void ReplacementFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (temporary_.length > 0) {
        std::remove(temporary_.text);
        temporary_.Assign("");
    }
}

int CommitTogether(ReplacementFile& first, ReplacementFile& second) {
    int finished = first.Finish();
    finished = second.Finish() && finished;
    if (!finished || !first.Replaceable() || !second.Replaceable())
        return 0;
    if (!first.PutInPlace(1))
        return 0;
    if (!second.PutInPlace(0)) {
        first.TakeBack();
        return 0;
    }
    return 1;
}

int WriteWholeFile(const char* path, const void* data, size_t size) {
    ReplacementFile file(path);
    if (file.stream() == nullptr)
        return 0;
    if (size > 0 && std::fwrite(data, 1, size, file.stream()) != size)
        return 0;
    return file.Commit();
}
