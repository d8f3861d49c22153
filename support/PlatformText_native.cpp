// Text primitives on standard C, for builds without Windows.
#include <cstring>

#include "support/PlatformText.h"
#include "support/TextFormatter.h"

namespace {
const char* commandLine = "";
const StringTableEntry* stringTable = nullptr;
} // namespace

int PlatformTextLength(const char* text) {
    return text ? static_cast<int>(strlen(text)) : 0;
}

int PlatformFormatV(char* buffer, const char* format, va_list args) {
    return FormatBounded(buffer, kFormatLimit, format, args);
}

int PlatformLoadString(int id, char* buffer, int size) {
    if (size <= 0)
        return 0;
    buffer[0] = '\0';
    for (const StringTableEntry* entry = stringTable; entry && entry->text; entry++) {
        if (entry->id == id) {
            int length = 0;
            while (length < size - 1 && entry->text[length] != '\0') {
                buffer[length] = entry->text[length];
                length++;
            }
            buffer[length] = '\0';
            return length;
        }
    }
    return 0;
}

const char* PlatformCommandLine() {
    return commandLine;
}

void SetCommandLineForTest(const char* text) {
    commandLine = text ? text : "";
}

void SetStringTableForTest(const StringTableEntry* table) {
    stringTable = table;
}
