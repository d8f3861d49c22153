#include "editor/FileChooser.h"

#include <commdlg.h>

#include <cstring>

#include "editor/FileChooserFilter.h"
#include "support/TextServices.h"

namespace {

constexpr DWORD kPathBufferSize = 1024;

// The record without the fields Windows 2000 added, so that the dialogs also
// work on the systems before it.
constexpr DWORD kRecordSize = sizeof(OPENFILENAME_NT4A);
#ifndef _WIN64
static_assert(kRecordSize == 76, "the pre-Windows 2000 OPENFILENAMEA is 76 bytes");
#endif

char openPath[kPathBufferSize];
char savePath[kPathBufferSize];

// Fills the record for a dialog that writes its result into path. path is
// cleared first, so a cancelled dialog leaves an empty text.
void PrepareRecord(OPENFILENAMEA& record, char* path, HWND owner, int filterStringId,
                   const char* defaultExtension, DWORD flags) {
    std::memset(&record, 0, sizeof record);
    std::memset(path, 0, kPathBufferSize);
    record.lStructSize = kRecordSize;
    record.lpstrInitialDir = GetProgramDir();
    record.hwndOwner = owner;
    char* filter = ResourceText(filterStringId);
    ConvertFilterText(filter);
    record.lpstrFilter = filter;
    record.nFilterIndex = 0;
    record.lpstrFile = path;
    record.nMaxFile = kPathBufferSize;
    record.lpstrDefExt = defaultExtension;
    record.Flags = flags;
}

} // namespace

const char* ChooseOpenPath(HWND owner, int filterStringId, const char* defaultExtension) {
    OPENFILENAMEA record;
    PrepareRecord(record, openPath, owner, filterStringId, defaultExtension,
                  OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
    // A failed dialog may have written into the buffer all the same (a path too
    // long for it leaves the size it needs there): only a success is a path.
    if (!GetOpenFileNameA(&record))
        openPath[0] = '\0';
    return openPath;
}

const char* ChooseSavePath(HWND owner, int filterStringId, const char* defaultExtension) {
    OPENFILENAMEA record;
    PrepareRecord(record, savePath, owner, filterStringId, defaultExtension,
                  OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (!GetSaveFileNameA(&record))
        savePath[0] = '\0';
    return savePath;
}
