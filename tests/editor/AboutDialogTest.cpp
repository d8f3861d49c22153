// The About box and its mail link on real windows: texts, fonts, hover and
// capture, the link's drawing, and which commands close the box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/AboutDialog.h"
#include "editor/MailLink.h"
#include "res/resource.h"
#include "support/PlatformText.h"
#include "support/TextServices.h"
#include "ui/framework/SubclassRecord.h"

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

// A modeless About box: the same template and initialisation as the modal one,
// but the test keeps control of the thread.
class OpenAbout {
  public:
    explicit OpenAbout(bool show = false) {
        box.CreateModeless(nullptr, IDD_ABOUT);
        if (show) {
            ShowWindow(box.window, SW_SHOWNORMAL);
            UpdateWindow(box.window);
            Pump();
        }
    }
    ~OpenAbout() { box.Destroy(); }
    HWND Link() const { return GetDlgItem(box.window, IDC_MAIL); }
    AboutDialog box;
};

LOGFONTA FontOf(HFONT font) {
    LOGFONTA description = {};
    GetObjectA(font, sizeof description, &description);
    return description;
}

// Counts the pixels of the link's client area that are drawn in ink (black).
struct LinkPixels {
    int ink = 0;
    int widestInkRun = 0; // the longest run of ink in one row
    COLORREF corner = CLR_INVALID;
};

// Copies the link's client area into memory and reads it there: one GetPixel
// per pixel on a window is slow under Wine.
LinkPixels ReadLink(HWND link) {
    InvalidateRect(link, nullptr, TRUE);
    UpdateWindow(link);
    Pump();
    RECT client;
    GetClientRect(link, &client);
    int width = client.right, height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(link);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    auto colour = [&](int x, int y) {
        DWORD value = pixel[y * width + x]; // 0x00RRGGBB
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    };
    LinkPixels pixels;
    pixels.corner = colour(width - 1, 0);
    for (int y = 0; y < height; y++) {
        int run = 0;
        for (int x = 0; x < width; x++) {
            if (colour(x, y) == RGB(0, 0, 0)) {
                pixels.ink++;
                run++;
                if (run > pixels.widestInkRun)
                    pixels.widestInkRun = run;
            } else {
                run = 0;
            }
        }
    }
    SelectObject(memoryDc, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(link, windowDc);
    return pixels;
}

class AboutBoxTest : public testing::Test {
  protected:
    void SetUp() override {
        linkHovered = 0;
        ReleaseCapture();
    }
    void TearDown() override {
        linkHovered = 0;
        ReleaseCapture();
    }
};

TEST_F(AboutBoxTest, TakesItsTitleAndLinkTextsFromTheStringTable) {
    {
        // A title other than the template's caption: only the string table
        // can have put it there.
        static const StringTableEntry table[] = {{IDS_ABOUT_TITLE, "Credits"},
                                                 {IDS_MAIL_TEXT, "Send Email: test@example.org"},
                                                 {IDS_MAIL_URL, "mailto:test@example.org"},
                                                 {0, nullptr}};
        SetStringTableForTest(table);
        OpenAbout about;
        SetStringTableForTest(nullptr);
        ASSERT_NE(about.box.window, nullptr);
        char title[256] = {};
        GetWindowTextA(about.box.window, title, sizeof title);
        EXPECT_STREQ(title, "Credits");
        EXPECT_STREQ(theMailLink.linkText, "Send Email: test@example.org");
        EXPECT_STREQ(theMailLink.linkUrl, "mailto:test@example.org");
    }

    // The program's own texts.
    OpenAbout about;
    ASSERT_NE(about.box.window, nullptr);
    char title[256] = {};
    GetWindowTextA(about.box.window, title, sizeof title);
    EXPECT_STREQ(title, "About...");
    EXPECT_EQ(theMailLink.window, about.Link());
    EXPECT_EQ(GetWindowLongPtrA(about.Link(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(SubclassWindowProc));
    EXPECT_STREQ(theMailLink.linkText, ResourceText(IDS_MAIL_TEXT));
    EXPECT_STREQ(theMailLink.linkUrl, ResourceText(IDS_MAIL_URL));
    EXPECT_EQ(std::string(theMailLink.linkUrl).rfind("mailto:", 0), 0u);
    EXPECT_EQ(std::string(theMailLink.linkText).rfind("Send Email: ", 0), 0u);
}

TEST_F(AboutBoxTest, LinkFontsAreArialCyrOfHeight14OnlyOneUnderlined) {
    OpenAbout about;
    LOGFONTA normal = FontOf(theMailLink.normalFont);
    LOGFONTA underlined = FontOf(theMailLink.underlinedFont);
    for (const LOGFONTA& font : {normal, underlined}) {
        EXPECT_EQ(font.lfHeight, 14);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfStrikeOut, 0);
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        EXPECT_STREQ(font.lfFaceName, "Arial Cyr");
    }
    EXPECT_EQ(normal.lfUnderline, 0);
    EXPECT_NE(underlined.lfUnderline, 0);
}

TEST_F(AboutBoxTest, OpeningTenTimesKeepsOnePairOfFonts) {
    std::vector<HFONT> earlier;
    DWORD objectsAfterFirst = 0;
    for (int round = 0; round < 10; round++) {
        {
            OpenAbout about;
            ASSERT_EQ(GetObjectType(theMailLink.normalFont), static_cast<DWORD>(OBJ_FONT));
            ASSERT_EQ(GetObjectType(theMailLink.underlinedFont), static_cast<DWORD>(OBJ_FONT));
            for (HFONT font : earlier)
                EXPECT_EQ(GetObjectType(font), 0u) << "round " << round;
        }
        earlier.push_back(theMailLink.normalFont);
        earlier.push_back(theMailLink.underlinedFont);
        if (round == 0)
            objectsAfterFirst = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    }
    // Where the platform counts GDI objects, the count must not have grown.
    DWORD objectsAfterLast = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (objectsAfterFirst != 0) {
        EXPECT_LE(objectsAfterLast, objectsAfterFirst);
    }
}

TEST_F(AboutBoxTest, PointInWindowExcludesRightAndBottomEdges) {
    OpenAbout about;
    RECT client;
    GetClientRect(about.Link(), &client);
    EXPECT_EQ(PointInWindow(about.Link(), 0, 0), 1);
    EXPECT_EQ(PointInWindow(about.Link(), client.right - 1, client.bottom - 1), 1);
    EXPECT_EQ(PointInWindow(about.Link(), client.right, 0), 0);
    EXPECT_EQ(PointInWindow(about.Link(), 0, client.bottom), 0);
    // A point left of the control, as a captured move delivers it.
    EXPECT_EQ(PointInWindow(about.Link(), 65535, 0), 0);
}

TEST_F(AboutBoxTest, HoverUnderlinesAndCapturesUntilThePointerLeaves) {
    OpenAbout about(true);
    HWND link = about.Link();
    LinkPixels plain = ReadLink(link);
    EXPECT_GT(plain.ink, 0);
    EXPECT_EQ(plain.corner, GetSysColor(COLOR_BTNFACE));

    SendMessageA(link, WM_MOUSEMOVE, 0, Point(3, 3));
    EXPECT_EQ(linkHovered, 1);
    EXPECT_EQ(GetCapture(), link);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    LinkPixels underlined = ReadLink(link);
    EXPECT_GT(underlined.ink, plain.ink);
    EXPECT_GT(underlined.widestInkRun, plain.widestInkRun);

    // Further moves inside change nothing; the capture stays.
    SendMessageA(link, WM_MOUSEMOVE, 0, Point(5, 4));
    EXPECT_EQ(GetCapture(), link);

    SendMessageA(link, WM_MOUSEMOVE, 0, Point(65530, 3)); // left of the control
    EXPECT_EQ(linkHovered, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    LinkPixels again = ReadLink(link);
    EXPECT_EQ(again.ink, plain.ink);
}

// A box closed under the pointer leaves the flag set without a capture. The
// next box starts underlined, and the first pass over the link must still
// take the capture, or the link could never hear the pointer leave again.
TEST_F(AboutBoxTest, StaleHoverFromAnEarlierBoxRecovers) {
    {
        OpenAbout first;
        SendMessageA(first.Link(), WM_MOUSEMOVE, 0, Point(3, 3));
        ASSERT_EQ(linkHovered, 1);
    }
    ReleaseCapture();
    OpenAbout second;
    HWND link = second.Link();
    EXPECT_EQ(linkHovered, 1);
    SendMessageA(link, WM_MOUSEMOVE, 0, Point(3, 3));
    EXPECT_EQ(GetCapture(), link);
    SendMessageA(link, WM_MOUSEMOVE, 0, Point(3, 200));
    EXPECT_EQ(linkHovered, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(AboutBoxTest, OverlongAndMissingStringsAreCutOrEmpty) {
    static const std::string longText(300, 'x');
    static const StringTableEntry table[] = {{900, longText.c_str()}, {901, "short"}, {0, nullptr}};
    OpenAbout about;
    SetStringTableForTest(table);
    theMailLink.AttachToControl(about.box.window, IDC_MAIL, 900, 0);
    EXPECT_EQ(std::string(theMailLink.linkText), std::string(255, 'x'));
    EXPECT_EQ(std::string(theMailLink.linkUrl), std::string(255, 'x'));
    theMailLink.AttachToControl(about.box.window, IDC_MAIL, 901, 902);
    EXPECT_STREQ(theMailLink.linkText, "short");
    EXPECT_STREQ(theMailLink.linkUrl, "");
    SetStringTableForTest(nullptr);
}

TEST_F(AboutBoxTest, DestroyingALinkFreesItsFontsAndItsControl) {
    OpenAbout about;
    HWND control = about.Link();
    HFONT normal, underlined;
    {
        MailLink link;
        link.AttachToControl(about.box.window, IDC_MAIL, IDS_MAIL_TEXT, IDS_MAIL_URL);
        normal = link.normalFont;
        underlined = link.underlinedFont;
        EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(SubclassWindowProc));
    }
    EXPECT_EQ(GetObjectType(normal), 0u);
    EXPECT_EQ(GetObjectType(underlined), 0u);
    EXPECT_FALSE(IsWindow(control));
}

// Records the commands the box receives; the sequence is queued before the
// modal loop starts, so the loop works through it in order.
class ScriptedAbout : public AboutDialog {
  public:
    explicit ScriptedAbout(std::vector<std::pair<UINT, WPARAM>> script) : script_(script) {}
    LRESULT OnInitDialog() override {
        LRESULT result = AboutDialog::OnInitDialog();
        for (auto [msg, wParam] : script_)
            PostMessageA(window, msg, wParam, 0);
        return result;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(wParam);
        return AboutDialog::OnCommand(wParam, lParam);
    }
    std::vector<WPARAM> commands;

  private:
    std::vector<std::pair<UINT, WPARAM>> script_;
};

// Counts the commands that reach the owner of the box.
class Owner : public WindowObject {
  public:
    LRESULT OnCommand(WPARAM, LPARAM) override {
        forwarded++;
        return 1;
    }
    int forwarded = 0;
};

constexpr WPARAM kMarker = 0x5555;

TEST_F(AboutBoxTest, OnlyAPlainOkClosesTheBoxAndNothingIsForwarded) {
    Owner owner;
    ASSERT_EQ(owner.Create(0, "PixmintAboutTestOwner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr),
              1);
    ScriptedAbout about({{WM_COMMAND, IDCANCEL},
                         {WM_COMMAND, MAKEWPARAM(IDOK, 1)},
                         {WM_COMMAND, kMarker},
                         {WM_COMMAND, IDOK},
                         {WM_COMMAND, kMarker}});
    EXPECT_EQ(about.RunModal(&owner, IDD_ABOUT), 0);
    std::vector<WPARAM> expected = {IDCANCEL, MAKEWPARAM(IDOK, 1), kMarker, IDOK};
    EXPECT_EQ(about.commands, expected);
    EXPECT_EQ(owner.forwarded, 0);

    // The close box arrives as WM_CLOSE and ends the box with 0 as well.
    ScriptedAbout closed({{WM_CLOSE, 0}, {WM_COMMAND, kMarker}});
    EXPECT_EQ(closed.RunModal(&owner, IDD_ABOUT), 0);
    for (WPARAM command : closed.commands)
        EXPECT_NE(command, kMarker);
    EXPECT_EQ(owner.forwarded, 0);
    owner.Destroy();
}

TEST_F(AboutBoxTest, SystemMenuGetsAnAboutItem) {
    Owner owner;
    ASSERT_EQ(owner.Create(0, "PixmintAboutTestOwner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr),
              1);
    AddAboutToSystemMenu(owner.window);
    HMENU menu = GetSystemMenu(owner.window, FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), kAboutSystemCommand);
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    char text[64] = {};
    GetMenuStringA(menu, kAboutSystemCommand, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "About...");
    owner.Destroy();
}

} // namespace
