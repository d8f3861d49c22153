#include "files/ReplacementFile.h"

#include <cerrno>
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

// Puts the finished file in place of the target, replacing it when it exists.
int MoveIntoPlace(const char* from, const char* to) {
#ifdef _WIN32
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
#else
    return std::rename(from, to) == 0 ? 1 : 0;
#endif
}

// Gives the temporary file the permission bits of the file it replaces, so
// that a private file stays private and an executable one executable; a new
// target keeps the bits the file was created with. On Windows the move into
// place keeps what matters and a read-only target refuses the move.
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

} // namespace

ReplacementFile::ReplacementFile(const char* target) {
    if (target == nullptr || target[0] == '\0')
        return;
    target_.Assign(target);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // Beside the target, named after it, the process and a counter.
        // Formatted by the program's own formatter: the C library's would
        // bring MinGW's whole printf engine into the program.
        TextString suffix;
        suffix.Format(".%lu-%u.tmp", ProcessId(), counter++);
        TextString name(target);
        name.Append(suffix.text);
        if (suffix.length == 0 || name.length != target_.length + suffix.length)
            return; // out of memory: no name
        int descriptor = CreateExclusive(name.text);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return; // no folder, no room or no permission: no name will do
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
}

FILE* ReplacementFile::stream() const {
    return stream_;
}

int ReplacementFile::Commit() {
    if (stream_ == nullptr)
        return 0;
    // The bytes count as written only when the stream saw no error, the last
    // flush succeeded and the close succeeded: some C libraries report a
    // failed final flush only through fflush, not through fclose.
    int healthy = std::ferror(stream_) == 0 && KeepPermissions(stream_, target_.text);
    healthy = std::fflush(stream_) == 0 && healthy;
    int closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!healthy || !closed || !MoveIntoPlace(temporary_.text, target_.text)) {
        Discard();
        return 0;
    }
    temporary_.Assign("");
    return 1;
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

int WriteWholeFile(const char* path, const void* data, size_t size) {
    ReplacementFile file(path);
    if (file.stream() == nullptr)
        return 0;
    if (size > 0 && std::fwrite(data, 1, size, file.stream()) != size)
        return 0;
    return file.Commit();
}
