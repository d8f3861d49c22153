// The block info file (.bid): seven text lines written beside every block file,
// naming the phone hardware, the EEPROM block and its version. The program
// never reads it back.
#pragma once

#include "picture/PictureGrid.h"
#include "support/TextString.h"

// The block info path for a block file path: the last ".bin" in the file name
// becomes ".bid". Folder names are not searched, so the companion always lands
// in the block file's own folder. Empty when the file name holds no ".bin"
// (the search is case-sensitive: "logo.BIN" has none).
TextString BlockInfoPath(const char* blockPath);

// The block info file's seven lines for a picture of the given size.
TextString BlockInfoText(PictureMode mode);

// Writes the block info file for a picture of the given size. Returns 1 when
// the file was created and completely written, else 0, and then an existing
// block info file is left as it was.
int WriteBlockInfoFile(const char* infoPath, PictureMode mode);
