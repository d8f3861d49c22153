// Stands in for the user's mail program. The About test registers it for
// mailto: URLs in its Wine prefix as
//     "about_mail_recorder.exe" "OUTPUT-FILE" "%1"
// and reads back the URL that the shell handed over.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3)
        return 2;
    HANDLE file = CreateFileA(__argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, __argv[2], lstrlenA(__argv[2]), &written, nullptr);
    CloseHandle(file);
    return 0;
}
