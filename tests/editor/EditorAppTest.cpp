// The application's run on the program's own resources: the window it shows,
// how it ends, and what happens when the window cannot be made.
#include <gtest/gtest.h>

#include <string>

#include "EditorTestSupport.h"
#include "app/AppContext.h"
#include "editor/EditorApp.h"
#include "editor/CanvasWindow.h"
#include "res/resource.h"

namespace {

struct RunObservation {
    std::string title;
    bool visible = false;
    bool bigIcon = false;
    HWND canvas = nullptr;
    UINT closeMessage = WM_CLOSE;
    WPARAM closeWParam = 0;
};
RunObservation seen;

// Runs inside the application's own message loop once the window is up.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND main = theAppContext->mainWindow;
    char title[256] = {};
    GetWindowTextA(main, title, sizeof title);
    seen.title = title;
    seen.visible = IsWindowVisible(main) != 0;
    seen.bigIcon = SendMessageA(main, WM_GETICON, ICON_BIG, 0) != 0;
    seen.canvas = theCanvas.window;
    PostMessageA(main, seen.closeMessage, seen.closeWParam, 0);
}

// Ends a loop that should never have been entered, so a fault fails instead of hanging.
void CALLBACK QuitStrayLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostQuitMessage(77);
}

class EditorAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.instance = GetModuleHandleA(nullptr);
        context.mainWindow = nullptr;
        theAppContext = &context;
    }
    AppContext context;
};

TEST_F(EditorAppTest, RunShowsTheTitledWindowAndEndsWithZeroEitherWay) {
    char expectedTitle[256] = {};
    LoadStringA(context.instance, IDS_MAIN_TITLE, expectedTitle, sizeof expectedTitle);
    ASSERT_NE('\0', expectedTitle[0]);

    // The frame's close box and the Close button.
    const std::pair<UINT, WPARAM> closes[] = {{WM_CLOSE, 0}, {WM_COMMAND, IDC_CLOSE}};
    for (auto [message, wParam] : closes) {
        SCOPED_TRACE(message);
        seen = RunObservation{};
        seen.closeMessage = message;
        seen.closeWParam = wParam;
        ForgetCanvasWindow();
        SetTimer(nullptr, 0, 50, LookAndClose);
        EXPECT_EQ(0, theApp.Run());
        EXPECT_EQ(expectedTitle, seen.title);
        EXPECT_TRUE(seen.visible);
        EXPECT_TRUE(seen.bigIcon);
        EXPECT_TRUE(seen.canvas != nullptr);
        EXPECT_FALSE(IsWindow(context.mainWindow));
        EXPECT_FALSE(IsWindow(seen.canvas));
    }
}

TEST_F(EditorAppTest, RunWithoutItsTemplateLogsAndReturnsOne) {
    ScratchDirectory scratch;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Root().string().c_str()));

    UINT_PTR guard = SetTimer(nullptr, 0, 3000, QuitStrayLoop);
    int result = theApp.RunMainWindow(999);
    KillTimer(nullptr, guard);
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(1, result);
    EXPECT_EQ(nullptr, context.mainWindow);
    std::vector<uint8_t> log = ScratchDirectory::ReadBytes(scratch.Path("Error.log"));
    std::string text(log.begin(), log.end());
    EXPECT_NE(std::string::npos, text.find(" CreateDialog(999),error code: ")) << text;
}

}  // namespace
