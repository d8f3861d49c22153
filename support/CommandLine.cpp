#include "support/CommandLine.h"

namespace {

int IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int SkipBlanks(const char* text, int at) {
    while (text[at] && IsBlank(text[at]))
        ++at;
    return at;
}

} // namespace

TextString FirstCommandLineItem(const char* arguments) {
    TextString all(arguments ? arguments : "");
    int start = SkipBlanks(all.text, 0);
    int end = start;
    if (all.text[start] == '"') {
        ++start;
        end = start;
        while (all.text[end] && all.text[end] != '"')
            ++end;
    } else {
        while (all.text[end] && !IsBlank(all.text[end]))
            ++end;
    }
    if (end == start)
        return TextString();
    return all.SubString(start, end - start);
}

TextString WholeCommandLine(const char* arguments) {
    TextString all(arguments ? arguments : "");
    int start = SkipBlanks(all.text, 0);
    int end = all.length;
    while (end > start && IsBlank(all.text[end - 1]))
        --end;
    if (end == start)
        return TextString();
    return all.SubString(start, end - start);
}
