#include "editor/FileChooser.h"

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

FileDialogFunction openDialog = GetOpenFileNameA;
FileDialogFunction saveDialog = GetSaveFileNameA;

// Puts the process's current directory back as it was when the object was
// made. OFN_NOCHANGEDIR is not enough: the open dialog of the NT family
// ignores it, and Error.log would then land in the folder last browsed.
class CurrentDirectoryKeeper {
  public:
    CurrentDirectoryKeeper() {
        DWORD length = GetCurrentDirectoryA(sizeof saved_, saved_);
        kept_ = length > 0 && length < sizeof saved_;
    }
    ~CurrentDirectoryKeeper() {
        if (kept_)
            SetCurrentDirectoryA(saved_);
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

  private:
    char saved_[kPathBufferSize];
    bool kept_;
};

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

// Runs the modal dialog. A failed dialog may have written into the buffer all
// the same (a path too long for it leaves the size it needs there): only a
// success is a path.
const char* RunDialog(FileDialogFunction dialog, OPENFILENAMEA& record, char* path) {
    CurrentDirectoryKeeper keeper;
    if (!dialog(&record))
        path[0] = '\0';
    return path;
}

} // namespace

const char* ChooseOpenPath(HWND owner, int filterStringId, const char* defaultExtension) {
    OPENFILENAMEA record;
    PrepareRecord(record, openPath, owner, filterStringId, defaultExtension,
                  OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
    return RunDialog(openDialog, record, openPath);
}

const char* ChooseSavePath(HWND owner, int filterStringId, const char* defaultExtension) {
    OPENFILENAMEA record;
    PrepareRecord(record, savePath, owner, filterStringId, defaultExtension,
                  OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    return RunDialog(saveDialog, record, savePath);
}

void SetFileDialogsForTest(FileDialogFunction open, FileDialogFunction save) {
    openDialog = open ? open : GetOpenFileNameA;
    saveDialog = save ? save : GetSaveFileNameA;
}
