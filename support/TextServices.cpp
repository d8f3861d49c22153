#include "support/TextServices.h"

#include <cstdarg>

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

// The first item of the command line: the text between the opening quote and
// the next one when it starts with a quote, otherwise the text up to the first
// blank. Arguments (the file that an association or a drop passes) follow it.
// A quote that is never closed leaves the whole command line as the path.
const char* GetProgramPath() {
    static TextString programPath;
    TextString commandLine(PlatformCommandLine());
    const char* text = commandLine.text ? commandLine.text : "";
    int start = 0;
    while (text[start] == ' ' || text[start] == '\t')
        start++;
    if (text[start] == '"') {
        int close = commandLine.FindFrom(start + 1, "\"");
        if (close == -1)
            programPath.Assign(commandLine);
        else if (close == start + 1)
            programPath.Assign("");  // "": a count of 0 would mean the whole tail
        else
            programPath.Assign(commandLine.SubString(start + 1, close - start - 1));
    } else {
        int end = start;
        while (text[end] != '\0' && text[end] != ' ' && text[end] != '\t')
            end++;
        programPath.Assign(end == start ? TextString() : commandLine.SubString(start, end - start));
    }
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
