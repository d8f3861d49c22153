// The dispatcher, message by message: which operation runs with which
// arguments, and whether its result or default processing answers.
#include <gtest/gtest.h>
#include <windows.h>

#include "FrameworkTestSupport.h"
#include "RecordingWindow.h"
#include "ui/framework/DialogObject.h"
#include "ui/framework/WindowObject.h"

namespace {

using Calls = std::vector<std::string>;

unsigned long long U(LPARAM value) {
    return static_cast<unsigned long long>(value);
}

class WindowDispatchTest : public testing::Test {
  protected:
    void SetUp() override {
        EnsureTestAppContext();
        ASSERT_EQ(1, object.Create(0, "FwDispatchWindow", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   nullptr, nullptr));
        object.prevWndProc = RecordingDefaultProc; // default processing becomes visible
        object.calls.clear();
        DefaultCalls().clear();
    }
    void TearDown() override { object.prevWndProc = nullptr; }

    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
        return object.WindowProc(object.window, msg, wParam, lParam);
    }
    // The message went to `call`, whose result answered it.
    void ExpectReturned(UINT msg, WPARAM wParam, LPARAM lParam, const std::string& call) {
        SCOPED_TRACE(call);
        object.calls.clear();
        DefaultCalls().clear();
        EXPECT_EQ(kOperationResult, Dispatch(msg, wParam, lParam));
        EXPECT_EQ(Calls{call}, object.calls);
        EXPECT_TRUE(DefaultCalls().empty());
    }
    // The message went to `call` (empty: to no operation), then to default
    // processing with its own parameters, which answered it.
    void ExpectDefaultFollows(UINT msg, WPARAM wParam, LPARAM lParam, const std::string& call) {
        SCOPED_TRACE(call.empty() ? Describe("unlisted", {msg}) : call);
        object.calls.clear();
        DefaultCalls().clear();
        EXPECT_EQ(kDefaultResult, Dispatch(msg, wParam, lParam));
        EXPECT_EQ(call.empty() ? Calls{} : Calls{call}, object.calls);
        EXPECT_EQ(Calls{Describe("default", {msg, wParam, U(lParam)})}, DefaultCalls());
    }

    RecordingWindow object;
};

TEST_F(WindowDispatchTest, ReturnedMessagesAnswerWithTheOperationsResult) {
    unsigned long long hwnd = RecordingWindow::H(object.window);
    ExpectReturned(WM_COMMAND, 0x10017, 0x99, "OnCommand(10017,99)");
    ExpectReturned(WM_SYSCOMMAND, SC_CLOSE, 0x12, "OnSysCommand(f060,12)");
    ExpectReturned(WM_CREATE, 0, 0x4000, Describe("OnCreate", {hwnd, 0x4000}));
    ExpectReturned(WM_DESTROY, 7, 8, "OnDestroy()");
    ExpectReturned(WM_NCHITTEST, 9, MAKELPARAM(30, 40), "OnNcHitTest(1e,28)");
    ExpectReturned(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, "OnQueryEndSession()");
    ExpectReturned(WM_MENUCHAR, 0x10041, 0x77, "OnMenuChar(10041,77)");
    ExpectReturned(WM_MENUSELECT, MAKEWPARAM(0x1234, 0x8080), 0x55, "OnMenuSelect(1234,8080,55)");
    ExpectReturned(WM_CTLCOLORSTATIC, 0x11, 0x22, "OnCtlColorStatic(11,22)");
    ExpectReturned(WM_CTLCOLORBTN, 0x33, 0x44, "OnCtlColorBtn(33,44)");
    ExpectReturned(WM_INITDIALOG, 0x66, 0x77, "OnInitDialog()");
    ExpectReturned(WM_HOTKEY, 3, MAKELPARAM(MOD_ALT, 'P'), "OnHotKey(3,500001)");
}

TEST_F(WindowDispatchTest, DefaultFollowsTheOtherListedMessages) {
    unsigned long long hwnd = RecordingWindow::H(object.window);
    ExpectDefaultFollows(WM_CLOSE, 5, 6, "OnClose(0)");
    ExpectDefaultFollows(WM_PAINT, 0, 0, Describe("OnPaint", {hwnd}));
    ExpectDefaultFollows(WM_NCPAINT, 1, 0, "OnNcPaint(1)");
    ExpectDefaultFollows(WM_ACTIVATE, WA_CLICKACTIVE, 0x20, "OnActivate(2)");
    ExpectDefaultFollows(WM_ACTIVATEAPP, 1, 0x30, "OnActivateApp(1)");
    ExpectDefaultFollows(WM_SHOWWINDOW, 1, SW_PARENTOPENING, "OnShowWindow(1,3)");
    ExpectDefaultFollows(WM_TIMER, 77, 0, "OnTimer()"); // the timer id is not passed
    ExpectDefaultFollows(WM_NOTIFY, 1022, 0x1000, "OnNotify(3fe,1000)");
    ExpectDefaultFollows(MY_WM_TRAY, 0x88, 0x99, "OnTrayNotify(99)");
    ExpectDefaultFollows(WM_INITMENUPOPUP, 0x500, MAKELPARAM(3, 1), "OnInitMenuPopup(500,1,3)");
    ExpectDefaultFollows(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 20), "OnMouseMove(1,a,14)");
    ExpectDefaultFollows(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2), "OnLButtonDown(1,1,2)");
    ExpectDefaultFollows(WM_LBUTTONUP, 0, MAKELPARAM(3, 4), "OnLButtonUp(0,3,4)");
    ExpectDefaultFollows(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6), "OnRButtonDown(2,5,6)");
    ExpectDefaultFollows(WM_RBUTTONUP, 0, MAKELPARAM(7, 8), "OnRButtonUp(0,7,8)");
    ExpectDefaultFollows(WM_VSCROLL, SB_LINEDOWN, 0x12, "OnVScroll(1,12)");
    ExpectDefaultFollows(WM_HSCROLL, SB_LINEUP, 0x13, "OnHScroll(0,13)");
    ExpectDefaultFollows(WM_KEYUP, VK_F5, 0xC0000001, "OnKeyUp(74,c0000001)");
    ExpectDefaultFollows(WM_KEYDOWN, VK_F5, 1, "OnKeyDown(74,1)");
}

TEST_F(WindowDispatchTest, UnlistedMessagesGoStraightToDefaultProcessing) {
    ExpectDefaultFollows(WM_USER + 1, 1, 2, ""); // only MY_WM_TRAY itself is listed
    ExpectDefaultFollows(WM_APP, 1, 2, "");
    ExpectDefaultFollows(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5), "");
    ExpectDefaultFollows(WM_CHAR, 'a', 1, "");
    ExpectDefaultFollows(WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50), "");
    ExpectDefaultFollows(WM_NCCREATE, 0, 0, "");
}

// Left of or above the window (while captured) the words are not sign-extended.
TEST_F(WindowDispatchTest, PositionsOutsideTheWindowArriveAsLargeUnsignedValues) {
    LPARAM outside = MAKELPARAM(-3, -5);
    ExpectDefaultFollows(WM_MOUSEMOVE, MK_LBUTTON, outside, "OnMouseMove(1,fffd,fffb)");
    ExpectDefaultFollows(WM_LBUTTONUP, 0, outside, "OnLButtonUp(0,fffd,fffb)");
    ExpectDefaultFollows(WM_RBUTTONUP, 0, MAKELPARAM(12, -1), "OnRButtonUp(0,c,ffff)");
    ExpectReturned(WM_NCHITTEST, 0, outside, "OnNcHitTest(fffd,fffb)");
}

// A plain WindowObject with the stand-in as its previous procedure.
class BaseDispatchTest : public testing::Test {
  protected:
    void SetUp() override {
        EnsureTestAppContext();
        ASSERT_EQ(1, object.Create(0, "FwBaseWindow", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                   nullptr));
        object.prevWndProc = RecordingDefaultProc;
        DefaultCalls().clear();
    }
    void TearDown() override { object.prevWndProc = nullptr; }
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
        return ClassWindowProc(object.window, msg, wParam, lParam);
    }
    WindowObject object;
};

TEST_F(BaseDispatchTest, SysCommandAndHitTestAreLeftToDefaultProcessing) {
    EXPECT_EQ(kDefaultResult, Dispatch(WM_SYSCOMMAND, SC_KEYMENU, 0x66));
    // The hit test rebuilds lParam from x and y unchanged, and passes wParam 0.
    EXPECT_EQ(kDefaultResult, Dispatch(WM_NCHITTEST, 0x1234, MAKELPARAM(-3, -5)));
    EXPECT_EQ((Calls{Describe("default", {WM_SYSCOMMAND, SC_KEYMENU, 0x66}),
                     Describe("default", {WM_NCHITTEST, 0, U(MAKELPARAM(-3, -5))})}),
              DefaultCalls());
}

TEST_F(BaseDispatchTest, DefaultProcessingUsesTheObjectsWindowNotTheMessages) {
    object.prevWndProc = nullptr;
    HWND other = CreateWindowExA(0, "STATIC", "other text", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    SetWindowTextA(object.window, "own");
    EXPECT_EQ(3, object.WindowProc(other, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(other);
}

TEST_F(BaseDispatchTest, PaintValidatesTheUpdateRegion) {
    ShowWindow(object.window, SW_SHOWNA);
    InvalidateRect(object.window, nullptr, FALSE);
    ASSERT_TRUE(GetUpdateRect(object.window, nullptr, FALSE));
    object.OnPaint(object.window);
    EXPECT_FALSE(GetUpdateRect(object.window, nullptr, FALSE));
}

TEST(ClassWindowProcTest, WindowWithoutObjectGetsNoDefaultProcessing) {
    HWND label = CreateWindowExA(0, "STATIC", "label", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(nullptr, label);
    ASSERT_EQ(5, SendMessageA(label, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(0, ClassWindowProc(label, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(label);
}

TEST(ClassWindowProcTest, FirstRoutedMessageSetsAMissingWindowHandle) {
    HWND label = CreateWindowExA(0, "STATIC", "label", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    RecordingWindow object;
    SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&object));
    EXPECT_EQ(kOperationResult, ClassWindowProc(label, WM_COMMAND, 1, 2));
    EXPECT_EQ(label, object.window);
    EXPECT_EQ(Calls{"OnCommand(1,2)"}, object.calls);
    SetWindowLongPtrA(label, GWLP_USERDATA, 0);
    DestroyWindow(label);
}

// Any program can send any message: only the real creation binds a window to
// its object, and stray creation messages change nothing.
TEST(ClassWindowProcTest, StrayCreationMessagesLeaveTheWindowWithItsObject) {
    EnsureTestAppContext();
    RecordingWindow object, foreign;
    ASSERT_EQ(1, object.Create(0, "FwStrayWindow", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr));
    object.calls.clear();
    CREATESTRUCTA create = {};
    create.lpCreateParams = &foreign;
    object.prevWndProc = RecordingDefaultProc; // none of them may reach default processing
    DefaultCalls().clear();
    SendMessageA(object.window, WM_INITDIALOG, 0, 0);
    SendMessageA(object.window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&foreign));
    SendMessageA(object.window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create));
    SendMessageA(object.window, WM_NCCREATE, 0, 0);
    object.prevWndProc = nullptr;
    EXPECT_TRUE(DefaultCalls().empty()) << DefaultCalls()[0];
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&object), GetWindowLongPtrA(object.window, GWLP_USERDATA));
    EXPECT_EQ(kOperationResult, SendMessageA(object.window, WM_COMMAND, 7, 0));
    EXPECT_EQ(Calls{"OnCommand(7,0)"}, object.calls); // and no OnInitDialog
    EXPECT_TRUE(foreign.calls.empty());
    SendMessageA(object.window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(object.window));
}

// A dialog leaves everything it does not handle to the dialog manager.
TEST(DialogDispatchTest, DialogDefaultProcessingAnswersZero) {
    EnsureTestAppContext();
    DialogObject dialog;
    dialog.prevWndProc = RecordingDefaultProc; // must not be reached
    DefaultCalls().clear();
    EXPECT_EQ(0, dialog.DefaultProc(WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(0, dialog.DefaultProc(WM_CLOSE, 0, 0));
    EXPECT_EQ(0, dialog.WindowProc(nullptr, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(0, dialog.WindowProc(nullptr, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(0, dialog.WindowProc(nullptr, WM_NCHITTEST, 0, MAKELPARAM(5, 5)));
    EXPECT_EQ(0, dialog.WindowProc(nullptr, WM_SIZE, 0, 0));
    EXPECT_TRUE(DefaultCalls().empty());
    dialog.prevWndProc = nullptr;
}

} // namespace
