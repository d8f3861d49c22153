#include "files/BlockInfoFile.h"

#include <algorithm>

#include "files/ReplacementFile.h"

namespace {

const char kBlockFileExtension[] = ".bin";
const char kBlockInfoExtension[] = ".bid";

// Block identifiers of the two pictures in the A50's EEPROM.
const char kLogoBlockId[] = "5061";
const char kScreensaverBlockId[] = "5201";

} // namespace

TextString BlockInfoPath(const char* blockPath) {
    TextString path(blockPath != nullptr ? blockPath : "");
    // Both separators occur: the choosers deliver backslashes, but Windows
    // accepts slashes as well.
    int nameStart = std::max(path.FindLast("\\"), path.FindLast("/")) + 1;
    int found = path.FindLast(kBlockFileExtension);
    if (found < nameStart)
        return TextString();
    path.OverwriteAt(found, kBlockInfoExtension, 0);
    return path;
}

TextString BlockInfoText(PictureMode mode) {
    TextString text("EEPROM block additional file.\r\n"
                    "Phone HWid:\r\n"
                    "131\r\n"
                    "EEPROM BlockId:\r\n");
    text.Append(mode == PictureMode::Logo ? kLogoBlockId : kScreensaverBlockId);
    text.Append("\r\n"
                "EEPROM BlockVer:\r\n"
                "3\r\n");
    return text;
}

int WriteBlockInfoFile(const char* infoPath, PictureMode mode) {
    TextString text = BlockInfoText(mode);
    // Like the block file, an old companion is replaced only by a whole one.
    return WriteWholeFile(infoPath, text.text, static_cast<size_t>(text.length));
}
