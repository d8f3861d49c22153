// The program's resources as the platform finds them in the linked module:
// the two dialog templates field by field, the strings, the icon and the
// manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "editor/FileChooserFilter.h"
#include "res/Version.h"
#include "res/resource.h"
#include "support/TextServices.h"

namespace {

const WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

// Resource text comes from the module the application context names.
void UseThisModuleForText() {
    static AppContext context;
    context.instance = GetModuleHandleA(nullptr);
    theAppContext = &context;
}

std::string Resource(LPCSTR type, int id, WORD language) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (!found)
        return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

// Reads an extended dialog template field by field.
class TemplateReader {
  public:
    explicit TemplateReader(const std::string& data) : data_(data) {}
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }
    void AlignDword() { at_ = (at_ + 3) & ~size_t(3); }
    // A name or an ordinal; an ordinal comes back as "#<number>".
    std::string NameOrOrdinal() {
        if (Peek() == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    std::string Text() {
        std::string text;
        for (WORD c = Word(); c != 0 && !Failed(); c = Word())
            text += c < 0x80 ? char(c) : '?';
        return text;
    }
    bool Failed() const { return failed_; }
    bool AtEnd() const { return at_ >= data_.size(); }

  private:
    template <typename T> T Read() {
        T value{};
        if (at_ + sizeof value > data_.size()) {
            failed_ = true;
            return value;
        }
        std::memcpy(&value, data_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    WORD Peek() {
        size_t at = at_;
        WORD value = Word();
        at_ = at;
        return value;
    }
    const std::string& data_;
    size_t at_ = 0;
    bool failed_ = false;
};

struct Control {
    DWORD id;
    std::string className;
    std::string text;
    short x, y, cx, cy;
    DWORD style;
};

// Reads the controls of a template, after its header, up to its end.
void ExpectControls(TemplateReader& t, const std::vector<Control>& expected) {
    for (const Control& control : expected) {
        SCOPED_TRACE(control.text);
        t.AlignDword();
        EXPECT_EQ(0u, t.Dword()); // help id
        EXPECT_EQ(0u, t.Dword()); // extended style
        EXPECT_EQ(control.style, t.Dword());
        EXPECT_EQ(control.x, t.Short());
        EXPECT_EQ(control.y, t.Short());
        EXPECT_EQ(control.cx, t.Short());
        EXPECT_EQ(control.cy, t.Short());
        EXPECT_EQ(control.id, t.Dword());
        EXPECT_EQ(control.className, t.NameOrOrdinal());
        EXPECT_EQ(control.text, t.NameOrOrdinal());
        EXPECT_EQ(0, t.Word()); // no creation data
    }
    EXPECT_FALSE(t.Failed());
    EXPECT_TRUE(t.AtEnd());
}

TEST(ResourceTest, MainWindowTemplateIsExactlyAsDrawn) {
    const std::string data = Resource(RT_DIALOG, IDD_MAIN, kRussian);
    ASSERT_FALSE(data.empty()) << "no Russian-language template 102";
    TemplateReader t(data);
    EXPECT_EQ(1, t.Word());            // version of an extended template
    EXPECT_EQ(0xFFFF, t.Word());       // its signature
    EXPECT_EQ(0u, t.Dword());          // help id
    EXPECT_EQ(0x00040000u, t.Dword()); // WS_EX_APPWINDOW
    EXPECT_EQ(0x80C808C8u, t.Dword()); // style
    const WORD count = t.Word();
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(598, t.Short());
    EXPECT_EQ(276, t.Short());
    EXPECT_EQ("", t.NameOrOrdinal()); // no menu
    EXPECT_EQ("", t.NameOrOrdinal()); // the standard dialog class
    EXPECT_EQ("", t.Text());          // no caption
    EXPECT_EQ(8, t.Word());           // points
    EXPECT_EQ(0, t.Word());           // weight
    EXPECT_EQ(0, t.Byte());           // italic
    EXPECT_EQ(1, t.Byte());           // DEFAULT_CHARSET
    EXPECT_EQ("MS Shell Dlg", t.Text());

    const std::vector<Control> expected = {
        {1021, "#128", "New", 7, 229, 54, 16, 0x50010000},
        {1017, "#128", "Load...", 67, 229, 54, 16, 0x50010001},
        {1016, "#128", "Save...", 127, 229, 54, 16, 0x50010000},
        {32773, "#128", "Close", 187, 229, 54, 16, 0x50010000},
        {0xFFFFFFFF, "#130", "Pixmint for Siemens A50\nby Tovren", 366, 228, 101, 18, 0x50020000},
        {1022, "#128", "ScreenSaver/Logo Operator", 6, 257, 462, 13, 0x50010003},
        {1023, "#128", "Invert", 276, 228, 42, 18, 0x50010000},
        // The strip right of the canvas: push-like radio buttons for the tools.
        {1030, "#128", "Pen (P)", 482, 44, 110, 14, 0x50031004},
        {1031, "#128", "Line (L)", 482, 59, 110, 14, 0x50011004},
        {1032, "#128", "Rectangle (R)", 482, 74, 110, 14, 0x50011004},
        {1033, "#128", "Filled rectangle (Shift+R)", 482, 89, 110, 14, 0x50011004},
        {1034, "#128", "Ellipse (E)", 482, 104, 110, 14, 0x50011004},
        {1035, "#128", "Filled ellipse (Shift+E)", 482, 119, 110, 14, 0x50011004},
        {1036, "#128", "Fill (F)", 482, 134, 110, 14, 0x50011004},
        {1037, "#128", "Text... (T)", 482, 153, 110, 14, 0x50030000},
        {1046, "#130", "Move (arrow keys):", 482, 173, 110, 8, 0x50020000},
        {1040, "#128", "Left", 482, 183, 54, 14, 0x50010000},
        {1041, "#128", "Right", 538, 183, 54, 14, 0x50010000},
        {1042, "#128", "Up", 482, 198, 54, 14, 0x50010000},
        {1043, "#128", "Down", 538, 198, 54, 14, 0x50010000},
        {1044, "#128", "Mirror H (Shift+H)", 482, 216, 110, 14, 0x50010000},
        {1045, "#128", "Mirror V (Shift+V)", 482, 231, 110, 14, 0x50010000},
    };
    ASSERT_EQ(expected.size(), count);
    ExpectControls(t, expected);
}

TEST(ResourceTest, AboutBoxTemplateIsExactlyAsDrawn) {
    const std::string data = Resource(RT_DIALOG, IDD_ABOUT, kRussian);
    ASSERT_FALSE(data.empty()) << "no Russian-language template 100";
    TemplateReader t(data);
    EXPECT_EQ(1, t.Word());
    EXPECT_EQ(0xFFFF, t.Word());
    EXPECT_EQ(0u, t.Dword());          // help id
    EXPECT_EQ(0u, t.Dword());          // no extended style
    EXPECT_EQ(0x80C800C8u, t.Dword()); // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
                                       // | DS_SETFONT | DS_FIXEDSYS
    const WORD count = t.Word();
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(227, t.Short());
    EXPECT_EQ(71, t.Short());
    EXPECT_EQ("", t.NameOrOrdinal()); // no menu
    EXPECT_EQ("", t.NameOrOrdinal()); // the standard dialog class
    EXPECT_EQ("About...", t.Text());
    EXPECT_EQ(8, t.Word());
    EXPECT_EQ(0, t.Word());
    EXPECT_EQ(0, t.Byte());
    EXPECT_EQ(1, t.Byte());
    EXPECT_EQ("MS Shell Dlg", t.Text());

    const std::vector<Control> expected = {
        // SS_ICON, showing icon 128.
        {0xFFFFFFFF, "#130", "#128", 10, 10, 20, 20, 0x50000003},
        // SS_NOPREFIX | WS_GROUP.
        {0xFFFFFFFF, "STATIC", "Pixmint v0.2b\nEditor for Siemens A50 EEPROM pictures", 40, 8, 185,
         17, 0x50020080},
        // BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP.
        {IDOK, "#128", "OK", 3, 53, 30, 16, 0x50030001},
        {0xFFFFFFFF, "#130",
         "Paints the operator logo (101 x 29) and the\nscreensaver (101 x 49) of EEPROM blocks.\n"
         "Free software under the MIT licence.",
         39, 27, 186, 27, 0x50020000},
        {IDC_MAIL, "#130", "IDC_MAIL", 39, 57, 186, 8, 0x50020000},
    };
    ASSERT_EQ(expected.size(), count);
    ExpectControls(t, expected);
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(ResourceTest, MainWindowTemplateBuildsItsControls) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                     IgnoreMessages, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    char text[64] = "";
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ("", text);
    for (int id : {IDC_NEW, IDC_LOAD, IDC_SAVE, IDC_CLOSE, IDC_PICTURE_SIZE, IDC_INVERT}) {
        HWND control = GetDlgItem(dialog, id);
        ASSERT_NE(nullptr, control) << id;
        GetClassNameA(control, text, sizeof text);
        EXPECT_STREQ("Button", text) << id;
    }
    EXPECT_EQ(DWORD(BS_AUTOCHECKBOX),
              DWORD(GetWindowLongPtrA(GetDlgItem(dialog, IDC_PICTURE_SIZE), GWL_STYLE) & 0xF));
    DestroyWindow(dialog);
}

TEST(ResourceTest, StringsAreInTheRussianTable) {
    UseThisModuleForText();
    const std::pair<int, const char*> strings[] = {
        {IDS_ABOUT_TITLE, "About..."},
        {IDS_OPEN_FILTER, "Support types:Bitmap,EEProm block (*.bmp,*.bin)|*.bmp;*.bin|Bitmap|"
                          "*.bmp|EEProm block|*.bin|Pictures (*.png,*.gif,*.jpg,*.tif,*.ico)|"
                          "*.png;*.gif;*.jpg;*.jpeg;*.tif;*.tiff;*.ico|All files|*.*||"},
        {IDS_MAIN_TITLE, "Pixmint v0.2b by Tovren (logo size: x=101, y=29; screensaver size: "
                         "x=101, y=49)"},
        {IDS_SAVE_FILTER, "Binary EEProm block|*.bin||"},
        {IDS_MAIL_URL, "mailto:support@pixmint.example?subject=Pixmint%20v0.2b"},
        {IDS_MAIL_TEXT, "Send Email: support@pixmint.example"},
    };
    for (const auto& string : strings) {
        EXPECT_STREQ(string.second, ResourceText(string.first));
        // Strings live in blocks of 16, block n holding ids 16(n-1) to 16n-1.
        EXPECT_FALSE(Resource(RT_STRING, string.first / 16 + 1, kRussian).empty()) << string.first;
    }
}

// Windows' own version API reads what file properties show: the fixed numbers
// and the texts, with the version of res/Version.h that the title carries.
TEST(ResourceTest, VersionResourceReadsAsWindowsShowsIt) {
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, MAX_PATH));
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, DWORD(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(DWORD(MAKELONG(PIXMINT_VERSION_MINOR, PIXMINT_VERSION_MAJOR)),
              fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    const std::pair<const char*, const char*> texts[] = {
        {"ProductName", "Pixmint"},          {"FileVersion", PIXMINT_VERSION},
        {"ProductVersion", PIXMINT_VERSION}, {"LegalCopyright", PIXMINT_COPYRIGHT},
        {"OriginalFilename", "pixmint.exe"},
    };
    for (const auto& text : texts) {
        const char* value = nullptr;
        std::string name = std::string("\\StringFileInfo\\040904B0\\") + text.first;
        ASSERT_TRUE(VerQueryValueA(info.data(), name.c_str(), (void**)&value, &size)) << text.first;
        EXPECT_STREQ(text.second, value) << text.first;
    }
    UseThisModuleForText();
    EXPECT_EQ(0, std::strncmp(ResourceText(IDS_MAIN_TITLE), "Pixmint v" PIXMINT_VERSION " by ",
                              std::strlen("Pixmint v" PIXMINT_VERSION " by ")));
}

TEST(ResourceTest, FilterStringsBecomeTheChoosersPairs) {
    UseThisModuleForText();
    char* filter = ResourceText(IDS_SAVE_FILTER);
    ConvertFilterText(filter);
    EXPECT_STREQ("Binary EEProm block", filter);
    EXPECT_STREQ("*.bin", filter + std::strlen("Binary EEProm block") + 1);
    EXPECT_EQ(0, std::memcmp("*.bin\0\0", filter + std::strlen("Binary EEProm block") + 1, 7));
}

TEST(ResourceTest, IconHasBothSizes) {
    EXPECT_NE(nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM)));
    const std::string group = Resource(RT_GROUP_ICON, IDI_PROGRAM, kRussian);
    ASSERT_GE(group.size(), 6u + 2 * 14u);
    EXPECT_EQ(2, group[4]); // two images
    // Each 14-byte entry starts with width and height; 0 would mean 256.
    std::vector<int> sizes = {BYTE(group[6]), BYTE(group[6 + 14])};
    EXPECT_EQ(std::vector<int>({16, 32}), sizes);
    EXPECT_EQ(group[6], group[7]);
    EXPECT_EQ(group[20], group[21]);
}

TEST(ResourceTest, ManifestAsksForCommonControlsSixForThisProcessor) {
    const std::string manifest =
        Resource(RT_MANIFEST, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                               "version=\"6.0.0.0\""));
#ifdef _WIN64
    const char* architecture = "processorArchitecture=\"amd64\"";
#else
    const char* architecture = "processorArchitecture=\"x86\"";
#endif
    EXPECT_NE(std::string::npos, manifest.find(architecture));
}

} // namespace
