// The application's message loop, in this process: the plain form dispatches
// only, the accelerator form translates too; both return the quit code.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/Main.h"
#include "ui/framework/FrameworkTestResources.h"
#include "ui/framework/FrameworkTestSupport.h"
#include "ui/framework/RecordingWindow.h"

namespace {

using Calls = std::vector<std::string>;

class LoopApp : public Main {
  public:
    int Run() override { return 0; }
};

// One application object for the whole test process, as in the program.
Main& TheLoopApp() {
    static LoopApp app;
    return app;
}

// Default processing of the top-level window's messages, written down.
class LoopTest : public testing::Test {
  protected:
    void SetUp() override {
        EnsureTestAppContext();
        ASSERT_EQ(1, top.Create(0, "FwLoopWindow", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr));
        ASSERT_EQ(1, child.Create(0, "FwLoopWindow", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                  top.window, nullptr));
        child.prevWndProc = RecordingDefaultProc;
        top.calls.clear();
        child.calls.clear();
        DefaultCalls().clear();
    }
    void TearDown() override { child.prevWndProc = nullptr; }

    RecordingWindow top;
    RecordingWindow child;
};

TEST_F(LoopTest, PlainLoopDispatchesWithoutTranslatingAndReturnsTheQuitCode) {
    PostMessageA(child.window, WM_KEYDOWN, 'A', 1);
    PostMessageA(child.window, WM_KEYDOWN, VK_TAB, 1);
    PostMessageA(child.window, WM_COMMAND, 5, 0);
    PostQuitMessage(42);
    EXPECT_EQ(42, TheLoopApp().MessageLoop(0));
    EXPECT_EQ((Calls{"OnKeyDown(41,1)", "OnKeyDown(9,1)", "OnCommand(5,0)"}), child.calls);
    for (const std::string& call : DefaultCalls())
        EXPECT_EQ(std::string::npos, call.find("default(102,")) << "WM_CHAR was generated";
}

TEST_F(LoopTest, AcceleratorLoopTranslatesForTheTopLevelWindow) {
    PostMessageA(child.window, WM_KEYDOWN, VK_F5, 1);
    PostMessageA(child.window, WM_KEYDOWN, 'A', 1);
    PostQuitMessage(7);
    EXPECT_EQ(7, TheLoopApp().MessageLoop(IDR_FW_ACCEL));
    // F5 became the accelerator's command (notification code 1) at the top level.
    EXPECT_EQ(Calls{Describe("OnCommand", {MAKEWPARAM(IDM_FW_ACCEL_COMMAND, 1), 0})}, top.calls);
    EXPECT_EQ(Calls{"OnKeyDown(41,1)"}, child.calls);
    bool sawChar = false;
    for (const std::string& call : DefaultCalls())
        sawChar = sawChar || call.find("default(102,61,") == 0; // WM_CHAR 'a'
    EXPECT_TRUE(sawChar);
}

TEST_F(LoopTest, ThreadMessagesPassThroughTheAcceleratorLoop) {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 5, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(3, TheLoopApp().MessageLoop(IDR_FW_ACCEL));
}

} // namespace
