// Feeds arbitrary bytes to the block file reader through a real file, from both
// starting sizes, and checks that the picture stays a picture: every cell 0 or
// 1, width 101, height 29 or 49 as the header says. A read picture must also
// survive a write and a second read unchanged. The same bytes, taken as a
// path, check the block info path rule.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/BlockFile.h"
#include "files/BlockInfoFile.h"
#include "picture/PictureGrid.h"

namespace {

std::string inputPath;
std::string outputPath;

void RemoveScratchFiles() {
    std::remove(inputPath.c_str());
    std::remove(outputPath.c_str());
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "BlockFileFuzz: %s\n", what);
        std::abort();
    }
}

void CheckPicture(int expectedHeight) {
    for (uint8_t cell : thePicture.cells)
        Check(cell <= 1, "a cell holds neither 0 nor 1");
    Check(thePicture.width == kGridColumns, "width changed");
    Check(thePicture.height == expectedHeight, "height does not match the file's kind");
}

void CheckRead(PictureMode start, int logo, int screensaver) {
    // Start from a full grid so that cells the file leaves alone show up.
    ClearPicture();
    InvertPicture();
    SetPictureMode(start);
    int startHeight = PictureHeight();
    ReadBlockFile(inputPath.c_str());
    CheckPicture(logo ? kLogoHeight : screensaver ? kScreensaverHeight : startHeight);
    for (int row = PictureHeight(); row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            Check(CellAt(column, row) == 0, "a hidden row kept ink after a read");

    // Only block files round-trip; a bare-rows read has no header to keep the size.
    if (!logo && !screensaver)
        return;
    PictureGrid read = thePicture;
    Check(WriteBlockFile(outputPath.c_str()) == 1, "writing the picture failed");
    Check(IsLogoBlockFile(outputPath.c_str()) == logo, "written file changed kind");
    ClearPicture();
    SetPictureMode(logo ? PictureMode::Screensaver : PictureMode::Logo);
    ReadBlockFile(outputPath.c_str());
    CheckPicture(read.height);
    Check(std::memcmp(read.cells, thePicture.cells, sizeof read.cells) == 0,
          "picture changed across write and read");
}

void CheckInfoPath(const uint8_t* data, size_t size) {
    std::string block(reinterpret_cast<const char*>(data), size);
    block = block.c_str(); // a path ends at its first NUL
    std::string info = BlockInfoPath(block.c_str()).text;
    size_t nameStart = block.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t last = block.rfind(".bin");
    if (last == std::string::npos || last < nameStart) {
        Check(info.empty(), "block info path without .bin in the file name");
        return;
    }
    Check(info.size() == block.size(), "block info path changed length");
    for (size_t i = 0; i < block.size(); ++i)
        Check(info[i] == (i == last + 3 ? 'd' : block[i]), "block info path differs");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed /dev/shm keeps the file round trips of every run cheap.
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = tmp != nullptr && *tmp != '\0'  ? tmp
                      : access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                                                      : "/tmp";
    std::string stem = dir + "/pixmint-fuzz-" + std::to_string(getpid());
    inputPath = stem + "-in.bin";
    outputPath = stem + "-out.dat"; // no ".bin": no block info file beside it
    std::atexit(RemoveScratchFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckInfoPath(data, size);

    FILE* file = std::fopen(inputPath.c_str(), "wb");
    Check(file != nullptr, "cannot create the scratch file");
    Check(std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "cannot write the scratch file");

    int logo = IsLogoBlockFile(inputPath.c_str());
    int screensaver = IsScreensaverBlockFile(inputPath.c_str());
    Check(logo == 0 || logo == 1, "logo test gave neither 0 nor 1");
    Check(screensaver == 0 || screensaver == 1, "screensaver test gave neither 0 nor 1");
    Check(!(logo && screensaver), "a file passed both tests");

    CheckRead(PictureMode::Logo, logo, screensaver);
    CheckRead(PictureMode::Screensaver, logo, screensaver);
    return 0;
}
