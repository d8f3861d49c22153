#include "files/BlockInfoFile.h"

#include <cstdio>
#include <cstring>

namespace {

const char kBlockFileExtension[] = ".bin";
const char kBlockInfoExtension[] = ".bid";

// Block identifiers of the two pictures in the A50's EEPROM.
const char kLogoBlockId[] = "5061";
const char kScreensaverBlockId[] = "5201";

} // namespace

std::string BlockInfoPath(const char* blockPath) {
    if (blockPath == nullptr)
        return std::string();
    std::string path(blockPath);
    // Both separators occur: the choosers deliver backslashes, but Windows
    // accepts slashes as well.
    size_t nameStart = path.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t found = path.rfind(kBlockFileExtension);
    if (found == std::string::npos || found < nameStart)
        return std::string();
    path.replace(found, std::strlen(kBlockInfoExtension), kBlockInfoExtension);
    return path;
}

int WriteBlockInfoFile(const char* infoPath, PictureMode mode) {
    FILE* file = std::fopen(infoPath, "wb");
    if (file == nullptr)
        return 0;
    std::string text = "EEPROM block additional file.\r\n"
                       "Phone HWid:\r\n"
                       "131\r\n"
                       "EEPROM BlockId:\r\n";
    text += mode == PictureMode::Logo ? kLogoBlockId : kScreensaverBlockId;
    text += "\r\n"
            "EEPROM BlockVer:\r\n"
            "3\r\n";
    size_t written = std::fwrite(text.data(), 1, text.size(), file);
    int closed = std::fclose(file);
    return written == text.size() && closed == 0 ? 1 : 0;
}
