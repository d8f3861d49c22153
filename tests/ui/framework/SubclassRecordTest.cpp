// Taking over an existing control: its messages reach the owner object while
// attached, and it gets its own procedure back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include "FrameworkTestSupport.h"
#include "RecordingWindow.h"
#include "ui/framework/SubclassRecord.h"

namespace {

using Calls = std::vector<std::string>;

class SubclassRecordTest : public testing::Test {
  protected:
    void SetUp() override {
        EnsureTestAppContext();
        host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                               nullptr);
        // A plain static control: it answers hit tests as transparent.
        label = CreateWindowExA(0, "STATIC", "label", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, host,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, label);
        ownProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC));
        inside = MakeInside();
    }
    void TearDown() override { DestroyWindow(host); }

    LPARAM MakeInside() {
        POINT point = {5, 5};
        ClientToScreen(label, &point);
        return MAKELPARAM(point.x, point.y);
    }
    LRESULT HitTest() { return SendMessageA(label, WM_NCHITTEST, 0, inside); }

    HWND host = nullptr;
    HWND label = nullptr;
    WNDPROC ownProc = nullptr;
    LPARAM inside = 0;
};

LRESULT CALLBACK Handler(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_GETDLGCODE ? 0x31 : 7;
}

TEST_F(SubclassRecordTest, AttachRoutesTheControlsMessagesToTheOwner) {
    ASSERT_EQ(HTTRANSPARENT, HitTest());
    RecordingWindow owner;
    owner.window = label;
    SubclassRecord record;
    record.Attach(label, &owner, nullptr);
    EXPECT_EQ(label, record.window);
    EXPECT_EQ(ownProc, record.prevWndProc);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&record), GetWindowLongPtrA(label, GWLP_USERDATA));
    EXPECT_EQ(kOperationResult, SendMessageA(label, WM_COMMAND, 3, 4));
    EXPECT_EQ(Calls{"OnCommand(3,4)"}, owner.calls);
    owner.window = nullptr; // the control belongs to the host
}

// With a plain owner, default processing is DefWindowProcA, so the control
// now counts as client area and receives the mouse.
TEST_F(SubclassRecordTest, AnAttachedStaticControlAnswersHitTestsAsClientArea) {
    WindowObject owner;
    owner.window = label;
    SubclassRecord record;
    record.Attach(label, &owner, nullptr);
    EXPECT_EQ(HTCLIENT, HitTest());
    record.Detach();
    EXPECT_EQ(HTTRANSPARENT, HitTest());
    owner.window = nullptr; // the control belongs to the host
}

TEST_F(SubclassRecordTest, DetachGivesTheControlItsProcedureBack) {
    RecordingWindow owner;
    owner.window = label;
    {
        SubclassRecord record;
        record.Attach(label, &owner, nullptr);
        record.Detach();
        EXPECT_EQ(nullptr, record.prevWndProc);
        EXPECT_EQ(ownProc, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC)));
        record.Detach(); // harmless a second time
        SendMessageA(label, WM_COMMAND, 3, 4);
        EXPECT_TRUE(owner.calls.empty());
        record.Attach(label, &owner, nullptr);
    } // the destructor detaches
    EXPECT_EQ(ownProc, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC)));
    owner.window = nullptr;
}

TEST_F(SubclassRecordTest, WithoutAnOwnerTheHandlerProcedureAnswers) {
    SubclassRecord record;
    record.Attach(label, nullptr, Handler);
    EXPECT_EQ(7, SendMessageA(label, WM_COMMAND, 0, 0));
    EXPECT_EQ(0x31, SendMessageA(label, WM_GETDLGCODE, 0, 0));
}

TEST_F(SubclassRecordTest, WithoutARecordDefaultProcessingAnswers) {
    SubclassRecord empty;
    empty.Attach(label, nullptr, nullptr);
    EXPECT_EQ(HTCLIENT, HitTest());
    SetWindowLongPtrA(label, GWLP_USERDATA, 0);
    EXPECT_EQ(HTCLIENT, HitTest());
    EXPECT_EQ(5, SendMessageA(label, WM_GETTEXTLENGTH, 0, 0));
}

} // namespace
