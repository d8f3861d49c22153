#include "files/BlockFile.h"

#include <cstdint>
#include <cstdio>

#include "files/BlockInfoFile.h"
#include "files/ReplacementFile.h"
#include "picture/PictureGrid.h"

namespace {

// 101 pixels round up to 13 bytes; the last byte's three low bits are spare.
constexpr int kRowBytes = (kGridColumns + 7) / 8;

// The headers as the phone stores them. The logo header ends in the same ten
// bytes that make up the whole screensaver header: two bytes, width, height,
// 0x01 and five bytes of 0xFF.
const uint8_t kLogoHeader[] = {0xFF, 0xFF, 0x00, 0x00, 0x52, 0xF0, 0x50, 0xFF,
                               0x65, 0x1D, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const uint8_t kScreensaverHeader[] = {0x00, 0x00, 0x65, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr int kLogoHeaderSize = sizeof(kLogoHeader);
constexpr int kScreensaverHeaderSize = sizeof(kScreensaverHeader);
constexpr int kProbeSize = 16;

constexpr int kMaxBlockFileSize = kLogoHeaderSize + kGridRows * kRowBytes;
static_assert(kLogoBlockFileSize == kLogoHeaderSize + kLogoHeight * kRowBytes, "logo length");
static_assert(kScreensaverBlockFileSize == kScreensaverHeaderSize + kScreensaverHeight * kRowBytes,
              "screensaver length");

// The first 16 bytes of the file, zero-padded when the file is shorter.
// 0 when the file cannot be opened.
int ReadProbe(const char* path, uint8_t (&probe)[kProbeSize]) {
    for (uint8_t& byte : probe)
        byte = 0;
    if (path == nullptr)
        return 0;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return 0;
    std::fread(probe, 1, kProbeSize, file);
    std::fclose(file);
    return 1;
}

// Rows the picture loops run over; the grid has room for no more.
int VisibleRows() {
    int height = PictureHeight();
    return height < 0 ? 0 : height > kGridRows ? kGridRows : height;
}

// Fills the picture from packed rows, row 0 first, stopping where the data
// ends: cells without data keep the background they were cleared to.
void UnpackRows(const uint8_t* data, size_t size) {
    size_t next = 0;
    for (int row = 0; row < VisibleRows(); ++row) {
        for (int k = 0; k < kRowBytes; ++k) {
            if (next == size)
                return;
            uint8_t byte = data[next++];
            for (int bit = 7; bit >= 0; --bit) {
                int column = 8 * k + (7 - bit);
                if (column < PictureWidth())
                    SetCell(column, row, (byte >> bit) & 1);
            }
        }
    }
}

// Packs the current picture's rows, leftmost column in the most significant
// bit; columns beyond the width (the spare bits) stay clear.
size_t PackRows(uint8_t* out) {
    size_t size = 0;
    for (int row = 0; row < VisibleRows(); ++row) {
        for (int k = 0; k < kRowBytes; ++k) {
            uint8_t byte = 0;
            for (int bit = 7; bit >= 0; --bit) {
                int column = 8 * k + (7 - bit);
                if (column < PictureWidth() && CellAt(column, row) == 1)
                    byte |= uint8_t(1u << bit);
            }
            out[size++] = byte;
        }
    }
    return size;
}

int IsLogoProbe(const uint8_t (&probe)[kProbeSize]) {
    return probe[0] == 0xFF && probe[1] == 0xFF && probe[8] == kGridColumns &&
                   probe[9] == kLogoHeight
               ? 1
               : 0;
}

int IsScreensaverProbe(const uint8_t (&probe)[kProbeSize]) {
    return probe[0] == 0x00 && probe[1] == 0x00 && probe[2] == kGridColumns &&
                   probe[3] == kScreensaverHeight
               ? 1
               : 0;
}

// The first 16 bytes of data, zero-padded when there are fewer.
void ProbeOf(const uint8_t* data, size_t size, uint8_t (&probe)[kProbeSize]) {
    for (size_t i = 0; i < kProbeSize; ++i)
        probe[i] = i < size ? data[i] : 0;
}

} // namespace

int IsLogoBlockFile(const char* path) {
    uint8_t probe[kProbeSize];
    return ReadProbe(path, probe) && IsLogoProbe(probe);
}

int IsScreensaverBlockFile(const char* path) {
    uint8_t probe[kProbeSize];
    return ReadProbe(path, probe) && IsScreensaverProbe(probe);
}

int IsLogoBlockData(const uint8_t* data, size_t size) {
    uint8_t probe[kProbeSize];
    ProbeOf(data, size, probe);
    return IsLogoProbe(probe);
}

int IsScreensaverBlockData(const uint8_t* data, size_t size) {
    uint8_t probe[kProbeSize];
    ProbeOf(data, size, probe);
    return IsScreensaverProbe(probe);
}

void ReadBlockData(const uint8_t* data, size_t size) {
    ClearPicture();
    size_t header = 0;
    if (IsLogoBlockData(data, size)) {
        header = kLogoHeaderSize;
        SetPictureMode(PictureMode::Logo);
    } else if (IsScreensaverBlockData(data, size)) {
        header = kScreensaverHeaderSize;
        SetPictureMode(PictureMode::Screensaver);
    }
    header = header < size ? header : size;
    UnpackRows(data + header, size - header);
}

void ReadBlockFile(const char* path) {
    if (path == nullptr)
        return;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return;
    ClearPicture();

    // The header is skipped unexamined beyond the kind tests. A file that
    // passes neither (it changed since the caller tested it) is read as bare
    // rows at the current size.
    uint8_t header[kLogoHeaderSize];
    if (IsLogoBlockFile(path)) {
        std::fread(header, 1, kLogoHeaderSize, file);
        SetPictureMode(PictureMode::Logo);
    } else if (IsScreensaverBlockFile(path)) {
        std::fread(header, 1, kScreensaverHeaderSize, file);
        SetPictureMode(PictureMode::Screensaver);
    }

    uint8_t rows[kGridRows * kRowBytes];
    size_t size = std::fread(rows, 1, size_t(VisibleRows()) * kRowBytes, file);
    std::fclose(file);
    UnpackRows(rows, size);
}

int WriteBlockFile(const char* path) {
    if (path == nullptr)
        return 0;
    // The companion is written first, then the block data, each under a
    // temporary name; only when both are complete on the disk do they take
    // the old files' places, together: a Save that fails leaves both old
    // files as they were. A companion whose folder does not exist is left
    // out and the block file is written alone.
    TextString infoPath = BlockInfoPath(path);
    ReplacementFile info(infoPath.length > 0 ? infoPath.text : nullptr);
    const int withInfo = infoPath.length > 0 && !info.FolderMissing();
    if (withInfo) {
        TextString text = BlockInfoText(GetPictureMode());
        if (info.stream() == nullptr ||
            std::fwrite(text.text, 1, size_t(text.length), info.stream()) != size_t(text.length))
            return 0;
    }

    ReplacementFile file(path);
    if (file.stream() == nullptr)
        return 0;
    uint8_t data[kMaxBlockFileSize];
    size_t size = 0;
    if (GetPictureMode() == PictureMode::Logo) {
        for (uint8_t byte : kLogoHeader)
            data[size++] = byte;
    } else {
        for (uint8_t byte : kScreensaverHeader)
            data[size++] = byte;
    }
    size += PackRows(data + size);

    if (std::fwrite(data, 1, size, file.stream()) != size)
        return 0;
    return withInfo ? CommitTogether(info, file) : file.Commit();
}
