// Dialogs built from templates: modal and modeless creation, how commands end
// or forward, and how closing reaches the dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include "FrameworkTestResources.h"
#include "FrameworkTestSupport.h"
#include "RecordingWindow.h"
#include "ui/framework/DialogObject.h"

namespace {

using Calls = std::vector<std::string>;

// Writes down its commands and lets DialogObject handle them; at
// WM_INITDIALOG it posts the messages it was given to itself.
class ScriptedDialog : public DialogObject {
  public:
    std::vector<MSG> script;
    std::vector<std::string> calls;
    HWND windowAtInit = nullptr;
    LONG_PTR userDataAtInit = 0;
    int initCount = 0;

    LRESULT OnInitDialog() override {
        ++initCount;
        windowAtInit = window;
        userDataAtInit = GetWindowLongPtrA(window, GWLP_USERDATA);
        for (const MSG& msg : script)
            PostMessageA(window, msg.message, msg.wParam, msg.lParam);
        return 1;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override {
        calls.push_back(Describe("OnCommand", {wParam, (unsigned long long)lParam}));
        return DialogObject::OnCommand(wParam, lParam);
    }
    void Post(UINT msg, WPARAM wParam, LPARAM lParam) {
        MSG entry = {};
        entry.message = msg;
        entry.wParam = wParam;
        entry.lParam = lParam;
        script.push_back(entry);
    }
};

// Activation and other incidental messages left out.
Calls CommandsOf(const Calls& calls) {
    Calls commands;
    for (const std::string& call : calls)
        if (call.rfind("OnCommand(", 0) == 0)
            commands.push_back(call);
    return commands;
}

class DialogObjectTest : public testing::Test {
  protected:
    void SetUp() override { EnsureTestAppContext(); }
};

// Only a plain IDOK or IDCANCEL ends it: the comparison is on the whole wParam.
TEST_F(DialogObjectTest, RunModalEndsOnAPlainCancelWithItsCode) {
    ScriptedDialog dialog;
    dialog.Post(WM_COMMAND, MAKEWPARAM(IDOK, 1), 0);
    dialog.Post(WM_COMMAND, MAKEWPARAM(IDCANCEL, EN_CHANGE), 0);
    dialog.Post(WM_COMMAND, IDCANCEL, 0);
    dialog.Post(WM_COMMAND, IDOK, 0); // never reached: the dialog has ended
    EXPECT_EQ(IDCANCEL, dialog.RunModal(nullptr, IDD_FW_BUTTONS));
    EXPECT_EQ((Calls{"OnCommand(10001,0)", "OnCommand(3000002,0)", "OnCommand(2,0)"}),
              dialog.calls);
    // The modal dialog learnt its window at WM_INITDIALOG; it is gone now.
    EXPECT_NE(nullptr, dialog.windowAtInit);
    EXPECT_EQ(dialog.windowAtInit, dialog.window);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), dialog.userDataAtInit);
    EXPECT_FALSE(IsWindow(dialog.window));
    dialog.Destroy(); // nothing left to do
}

TEST_F(DialogObjectTest, RunModalEndsWithOkAndWithClose) {
    ScriptedDialog ok;
    ok.Post(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(IDOK, ok.RunModal(nullptr, IDD_FW_BUTTONS));
    ScriptedDialog closed;
    closed.Post(WM_CLOSE, 0, 0);
    EXPECT_EQ(0, closed.RunModal(nullptr, IDD_FW_BUTTONS));
}

TEST_F(DialogObjectTest, RunModalOwnedByAParentWindow) {
    RecordingWindow parent;
    ASSERT_EQ(1, parent.Create(0, "FwDialogParent", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr));
    ScriptedDialog dialog;
    dialog.Post(WM_COMMAND, IDOK, 0x44);
    EXPECT_EQ(IDOK, dialog.RunModal(&parent, IDD_FW_BUTTONS));
    EXPECT_EQ(parent.window, dialog.parentWindow);
    EXPECT_EQ(Calls{"OnCommand(1,44)"}, CommandsOf(parent.calls)); // forwarded after ending
}

TEST_F(DialogObjectTest, MissingTemplatesAreReportedByTheResult) {
    DialogObject modal;
    EXPECT_EQ(-1, modal.RunModal(nullptr, IDD_FW_MISSING));
    DialogObject modeless;
    EXPECT_EQ(0, modeless.CreateModeless(nullptr, IDD_FW_MISSING));
    EXPECT_EQ(nullptr, modeless.window);
}

TEST_F(DialogObjectTest, CreateModelessSetsTheWindowBeforeInitDialog) {
    ScriptedDialog dialog;
    ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_FW_BUTTONS));
    EXPECT_TRUE(IsWindow(dialog.window));
    EXPECT_EQ(dialog.window, dialog.windowAtInit);
    EXPECT_EQ(nullptr, dialog.parentWindow);
    HWND handle = dialog.window;
    dialog.Destroy();
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(DialogObjectTest, CommandsGoToTheParentAndItsResultIsReturned) {
    RecordingWindow parent;
    ASSERT_EQ(1, parent.Create(0, "FwDialogParent", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr));
    parent.result = 0x77;
    DialogObject child;
    ASSERT_EQ(1, child.CreateModeless(&parent, IDD_FW_BUTTONS));
    EXPECT_EQ(parent.window, child.parentWindow);
    EXPECT_EQ(0x77, ClassWindowProc(child.window, WM_COMMAND, 1234, 0x99));
    EXPECT_EQ(Calls{"OnCommand(4d2,99)"}, CommandsOf(parent.calls));

    DialogObject topLevel;
    ASSERT_EQ(1, topLevel.CreateModeless(nullptr, IDD_FW_BUTTONS));
    EXPECT_EQ(0, ClassWindowProc(topLevel.window, WM_COMMAND, 1234, 0x99));
}

TEST_F(DialogObjectTest, ModelessOkWithANotificationCodeDoesNotEndIt) {
    DialogObject dialog;
    ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_FW_BUTTONS));
    ShowWindow(dialog.window, SW_SHOWNA);
    dialog.WindowProc(dialog.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    dialog.WindowProc(dialog.window, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(dialog.window)); // ended: hidden, not destroyed
    EXPECT_TRUE(IsWindow(dialog.window));
}

// The dialog manager answers WM_CLOSE with IDCANCEL, even without such a control.
TEST_F(DialogObjectTest, ClosingAModelessDialogDeliversCancel) {
    ScriptedDialog dialog;
    ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_FW_NO_CANCEL));
    ShowWindow(dialog.window, SW_SHOWNA);
    SendMessageA(dialog.window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(Calls{"OnCommand(2,0)"}, dialog.calls);
    EXPECT_FALSE(IsWindowVisible(dialog.window));
    EXPECT_TRUE(IsWindow(dialog.window));
    WPARAM code;
    EXPECT_FALSE(TakeQuitMessage(&code)); // a dialog does not end the loop by itself
}

// A stray WM_INITDIALOG, from this program or another, neither rebinds the
// dialog nor initialises it again.
TEST_F(DialogObjectTest, StrayInitDialogIsAnsweredWithoutInitialisingAgain) {
    ScriptedDialog dialog, foreign;
    ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_FW_NO_CANCEL));
    ShowWindow(dialog.window, SW_SHOWNA);
    SendMessageA(dialog.window, WM_INITDIALOG, 0, 0);
    SendMessageA(dialog.window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&foreign));
    SendMessageA(dialog.window, WM_NCCREATE, 0, 0);
    EXPECT_EQ(1, dialog.initCount);
    EXPECT_EQ(0, foreign.initCount);
    SendMessageA(dialog.window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(Calls{"OnCommand(2,0)"}, dialog.calls);
    EXPECT_TRUE(foreign.calls.empty());
    EXPECT_FALSE(IsWindowVisible(dialog.window));
}

} // namespace
