// Window objects from Create to Destroy: class registration, creation order,
// teardown, icons, titles, placement and closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "FrameworkTestResources.h"
#include "FrameworkTestSupport.h"
#include "RecordingWindow.h"
#include "ui/framework/WindowHelpers.h"
#include "ui/framework/WindowObject.h"

namespace {

using Calls = std::vector<std::string>;

// Records what it finds when WM_CREATE arrives.
class CreationProbe : public WindowObject {
  public:
    HWND windowAtCreate = nullptr;
    LONG_PTR userDataAtCreate = 0;
    int destroyCount = 0;
    LRESULT OnCreate(HWND hwnd, LPARAM) override {
        windowAtCreate = window;
        userDataAtCreate = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        return 0;
    }
    LRESULT OnDestroy() override {
        ++destroyCount;
        return 0;
    }
};

HWND MakeChild(WindowObject& object, HWND parent, const char* className) {
    object.Create(0, className, WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent, nullptr);
    return object.window;
}

class WindowLifecycleTest : public testing::Test {
  protected:
    void SetUp() override { EnsureTestAppContext(); }
};

TEST_F(WindowLifecycleTest, CreateRegistersTheClassWithTheSharedProcedure) {
    CreationProbe probe;
    ASSERT_EQ(1, probe.Create(0, "FwLifecycleClass", WS_OVERLAPPEDWINDOW, 10, 10, 100, 80, nullptr,
                              nullptr));
    WNDCLASSEXA found = {};
    found.cbSize = sizeof(found);
    ASSERT_TRUE(GetClassInfoExA(theAppContext->instance, "FwLifecycleClass", &found));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(ClassWindowProc), found.lpfnWndProc);
    EXPECT_EQ(0u, found.style);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), found.hCursor);
    EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), found.hbrBackground);
    EXPECT_EQ(nullptr, found.hIcon);
    EXPECT_EQ(0, found.cbClsExtra);
    EXPECT_EQ(0, found.cbWndExtra);
    // The object is known from WM_NCCREATE on, so WM_CREATE already finds it.
    EXPECT_EQ(probe.window, probe.windowAtCreate);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&probe), probe.userDataAtCreate);
    EXPECT_EQ(nullptr, probe.parentWindow);
    EXPECT_EQ(nullptr, probe.gdiObject);
}

TEST_F(WindowLifecycleTest, ASecondCreateReusesTheRegisteredClass) {
    CreationProbe first, second;
    ASSERT_EQ(1, first.Create(0, "FwSharedClass", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_EQ(1, second.Create(0, "FwSharedClass", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(GetClassLongPtrA(first.window, GCW_ATOM), GetClassLongPtrA(second.window, GCW_ATOM));
    EXPECT_EQ(second.window, second.windowAtCreate);
}

// A class found under the name is used as it is, not registered again.
TEST_F(WindowLifecycleTest, AnExistingClassIsNotRegisteredAgain) {
    WNDCLASSEXA plain = {};
    plain.cbSize = sizeof(plain);
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = theAppContext->instance;
    plain.lpszClassName = "FwForeignClass";
    ASSERT_NE(0, RegisterClassExA(&plain));
    CreationProbe probe;
    EXPECT_EQ(1, probe.Create(0, "FwForeignClass", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_NE(nullptr, probe.window);
    EXPECT_EQ(nullptr, probe.windowAtCreate); // the class's own procedure got the messages
}

TEST_F(WindowLifecycleTest, FailedRegistrationIsLoggedAndCreatesNothing) {
    ScratchWorkingDir scratch("fw_register");
    std::string tooLong(300, 'q'); // longer than any class name may be
    CreationProbe probe;
    EXPECT_EQ(0, probe.Create(0, tooLong.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, probe.window);
    std::string log = ReadWholeFile(scratch.File("Error.log"));
    std::string record = "RegisterClass(" + tooLong + "),error code: ";
    size_t at = log.find(record);
    ASSERT_NE(std::string::npos, at) << log;
    std::string tail = log.substr(at + record.size());
    ASSERT_FALSE(tail.empty());
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(tail[0])));
    EXPECT_EQ(tail.find("\r\n"), tail.find_first_not_of("0123456789"));
    EXPECT_EQ(std::string::npos, log.find(record, at + 1)); // one record only
}

TEST_F(WindowLifecycleTest, FailedCreationReturnsZero) {
    CreationProbe probe;
    // A child style without a parent window cannot be created.
    EXPECT_EQ(0, probe.Create(0, "FwLifecycleClass", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, probe.window);
}

TEST_F(WindowLifecycleTest, DestroyTearsDownOnceAndKeepsTheDeadHandle) {
    CreationProbe probe;
    ASSERT_EQ(1, probe.Create(0, "FwLifecycleClass", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND handle = probe.window;
    probe.gdiObject = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ brush = probe.gdiObject;
    probe.Destroy();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(handle, probe.window);
    EXPECT_EQ(0u, GetObjectType(brush)); // the owned object was deleted
    EXPECT_EQ(1, probe.destroyCount);
    probe.Destroy();
    EXPECT_EQ(1, probe.destroyCount);
    // The class stays registered while the process runs.
    WNDCLASSEXA found = {};
    found.cbSize = sizeof(found);
    EXPECT_TRUE(GetClassInfoExA(theAppContext->instance, "FwLifecycleClass", &found));
}

TEST_F(WindowLifecycleTest, DestroyWithoutAWindowDoesNothing) {
    CreationProbe probe;
    probe.Destroy();
    EXPECT_EQ(0, probe.destroyCount);
    EXPECT_EQ(nullptr, probe.window);
}

TEST_F(WindowLifecycleTest, DestroyingAParentReachesTheChildObjects) {
    CreationProbe parent, child;
    ASSERT_EQ(1, parent.Create(0, "FwLifecycleClass", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_NE(nullptr, MakeChild(child, parent.window, "FwLifecycleClass"));
    EXPECT_EQ(parent.window, child.parentWindow);
    parent.Destroy();
    EXPECT_EQ(1, child.destroyCount);
    EXPECT_FALSE(IsWindow(child.window));
    child.Destroy(); // finds the window gone
    EXPECT_EQ(1, child.destroyCount);
}

TEST_F(WindowLifecycleTest, TheDestructorDestroysTheWindow) {
    HWND handle;
    {
        WindowObject object;
        ASSERT_EQ(1,
                  object.Create(0, "FwLifecycleClass", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        handle = object.window;
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WindowLifecycleTest, SetIconSetsTheBigOrTheSmallIcon) {
    WindowObject object;
    ASSERT_EQ(1, object.Create(0, "FwLifecycleClass", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr));
    HICON icon = LoadIconA(theAppContext->instance, MAKEINTRESOURCEA(IDI_FW_TEST));
    ASSERT_NE(nullptr, icon);
    object.SetIcon(IDI_FW_TEST, 0);
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), object.Send(WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(0, object.Send(WM_GETICON, ICON_SMALL, 0));
    object.SetIcon(IDI_FW_TEST, 1);
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), object.Send(WM_GETICON, ICON_SMALL, 0));
}

TEST_F(WindowLifecycleTest, SetTextFromResourceTitlesTheWindow) {
    WindowObject object;
    ASSERT_EQ(1, object.Create(0, "FwLifecycleClass", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr));
    EXPECT_TRUE(object.SetTextFromResource(IDS_FW_TITLE));
    char title[64] = {};
    GetWindowTextA(object.window, title, sizeof(title));
    EXPECT_STREQ("Framework test title", title);
}

TEST_F(WindowLifecycleTest, PlaceMovesAndSizesOrOnlySizes) {
    WindowObject parent, first, second;
    ASSERT_EQ(1, parent.Create(0, "FwLifecycleClass", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    MakeChild(first, parent.window, "FwLifecycleClass");
    MakeChild(second, parent.window, "FwLifecycleClass");
    // The lower child: placing it with a z-order change would bring it to the top.
    WindowObject& lower = GetWindow(parent.window, GW_CHILD) == first.window ? second : first;
    HWND above = GetWindow(lower.window, GW_HWNDPREV);
    ASSERT_NE(nullptr, above);
    auto placement = [&](HWND hwnd) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        MapWindowPoints(HWND_DESKTOP, parent.window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    EXPECT_TRUE(lower.Place(10, 20, 30, 40, 0));
    RECT moved = placement(lower.window);
    EXPECT_EQ(10, moved.left);
    EXPECT_EQ(20, moved.top);
    EXPECT_EQ(30, moved.right - moved.left);
    EXPECT_EQ(40, moved.bottom - moved.top);
    EXPECT_EQ(above, GetWindow(lower.window, GW_HWNDPREV)); // z-order untouched
    EXPECT_TRUE(PlaceWindow(lower.window, 90, 90, 50, 60, 1));
    RECT sized = placement(lower.window);
    EXPECT_EQ(10, sized.left);
    EXPECT_EQ(20, sized.top);
    EXPECT_EQ(50, sized.right - sized.left);
    EXPECT_EQ(60, sized.bottom - sized.top);
    EXPECT_EQ(above, GetWindow(lower.window, GW_HWNDPREV));
}

TEST_F(WindowLifecycleTest, ClosingAPlainWindowPostsQuitAndDestroysIt) {
    CreationProbe probe;
    ASSERT_EQ(1, probe.Create(0, "FwLifecycleClass", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr));
    WPARAM code = 99;
    ASSERT_FALSE(TakeQuitMessage(&code));
    probe.Send(WM_CLOSE, 0, 0);
    EXPECT_TRUE(TakeQuitMessage(&code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(IsWindow(probe.window));
    EXPECT_EQ(1, probe.destroyCount);
}

} // namespace
