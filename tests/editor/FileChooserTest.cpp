// The file choosers around the platform's dialog, with a stand-in for the
// dialog that browses to another folder the way a user can.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "EditorTestSupport.h"
#include "editor/FileChooser.h"
#include "res/resource.h"
#include "support/PlatformText.h"

namespace {

struct StandIn {
    std::string browseTo;         // the folder the dialog makes current
    const char* chosen = nullptr; // null: the user cancels
    std::string initialDir;
    DWORD flags = 0;
};
StandIn standIn;

BOOL WINAPI BrowsingDialog(LPOPENFILENAMEA record) {
    standIn.initialDir = record->lpstrInitialDir ? record->lpstrInitialDir : "(none)";
    standIn.flags = record->Flags;
    SetCurrentDirectoryA(standIn.browseTo.c_str());
    if (!standIn.chosen)
        return FALSE;
    lstrcpynA(record->lpstrFile, standIn.chosen, int(record->nMaxFile));
    return TRUE;
}

std::string CurrentDirectory() {
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

TEST(FileChooserTest, StartInTheProgramsFolderAndLeaveTheCurrentDirectoryAsItWas) {
    ScratchDirectory elsewhere;
    const std::string before = CurrentDirectory();
    ASSERT_NE(before, elsewhere.Root().string());
    SetCommandLineForTest("\"C:\\Pixmint Tools\\pixmint.exe\"");
    SetFileDialogsForTest(BrowsingDialog, BrowsingDialog);
    standIn.browseTo = elsewhere.Root().string();

    standIn.chosen = "C:\\pics\\phone.bmp";
    EXPECT_STREQ("C:\\pics\\phone.bmp", ChooseOpenPath(nullptr, IDS_OPEN_FILTER, "bmp"));
    EXPECT_EQ("C:\\Pixmint Tools\\", standIn.initialDir);
    EXPECT_EQ(DWORD(OFN_NOCHANGEDIR), standIn.flags & OFN_NOCHANGEDIR);
    EXPECT_EQ(before, CurrentDirectory());

    standIn.chosen = "C:\\pics\\logo.bin";
    EXPECT_STREQ("C:\\pics\\logo.bin", ChooseSavePath(nullptr, IDS_SAVE_FILTER, "bin"));
    EXPECT_EQ("C:\\Pixmint Tools\\", standIn.initialDir);
    EXPECT_EQ(before, CurrentDirectory());

    // Browsed elsewhere, then cancelled.
    standIn.chosen = nullptr;
    EXPECT_STREQ("", ChooseOpenPath(nullptr, IDS_OPEN_FILTER, "bmp"));
    EXPECT_EQ(before, CurrentDirectory());

    SetFileDialogsForTest(nullptr, nullptr);
    SetCommandLineForTest(nullptr);
    SetCurrentDirectoryA(before.c_str());
}

} // namespace
