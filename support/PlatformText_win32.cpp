// Text primitives on the Windows ANSI functions.
#include <windows.h>

#include "app/AppContext.h"
#include "support/PlatformText.h"

namespace {
const char* commandLineForTest = nullptr;
const StringTableEntry* stringTableForTest = nullptr;
} // namespace

int PlatformTextLength(const char* text) {
    return lstrlenA(text);
}

int PlatformFormatV(char* buffer, const char* format, va_list args) {
    return wvsprintfA(buffer, format, args);
}

int PlatformLoadString(int id, char* buffer, int size) {
    if (stringTableForTest) {
        buffer[0] = '\0';
        for (const StringTableEntry* entry = stringTableForTest; entry->text; entry++) {
            if (entry->id == id) {
                lstrcpynA(buffer, entry->text, size);
                return lstrlenA(buffer);
            }
        }
        return 0;
    }
    // Before the run frame has created the context, the executable's own module.
    HINSTANCE instance = theAppContext ? theAppContext->instance : GetModuleHandleA(nullptr);
    return LoadStringA(instance, static_cast<UINT>(id), buffer, size);
}

const char* PlatformCommandLine() {
    return commandLineForTest ? commandLineForTest : GetCommandLineA();
}

void SetCommandLineForTest(const char* commandLine) {
    commandLineForTest = commandLine;
}

void SetStringTableForTest(const StringTableEntry* table) {
    stringTableForTest = table;
}
