#include "support/TextServices.h"

#include <cstdarg>

#include "support/CommandLine.h"
#include "support/PlatformText.h"
#include "support/TextString.h"

namespace {
// What a service hands out when its string has no block (memory ran out).
char emptyText[1];

char* TextOf(TextString& string) {
    emptyText[0] = '\0';
    return string.text ? string.text : emptyText;
}
} // namespace

const char* FormatText(const char* format, ...) {
    static TextString formatted;
    va_list args;
    va_start(args, format);
    formatted.FormatV(format, args);
    va_end(args);
    return TextOf(formatted);
}

char* ResourceText(int id) {
    static TextString resource;
    resource.LoadResourceText(id);
    return TextOf(resource);
}

// The first item of the command line, read by the one rule the document
// named after it is read by (CommandLine.h): the text between the opening
// quote and the next one, or the end when it is never closed, when it starts
// with a quote; otherwise the text up to the first blank.
const char* GetProgramPath() {
    static TextString programPath;
    programPath.Assign(FirstCommandLineItem(PlatformCommandLine()));
    return TextOf(programPath);
}

const char* GetProgramFileName() {
    static TextString programFileName;
    TextString path(GetProgramPath());
    int backslash = path.FindLast("\\");
    if (backslash == -1)
        programFileName.Assign(path);
    else
        programFileName.Assign(path.SubString(backslash + 1, 0));
    return TextOf(programFileName);
}

const char* GetProgramDir() {
    static TextString programDir;
    TextString path(GetProgramPath());
    int backslash = path.FindLast("\\");
    if (backslash == -1)
        return nullptr;
    programDir.Assign(path.SubString(0, backslash + 1));
    return TextOf(programDir);
}
