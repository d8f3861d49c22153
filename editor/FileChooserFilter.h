// Filter lists of the file choosers are kept in the string table with "|"
// between the parts, since a string-table entry cannot hold NULs. The common
// dialogs want the parts NUL-separated and the list ended by two NULs; the
// stored texts end with "||" to give that.
#pragma once

// Turns every "|" of the NUL-terminated text into a NUL, in place.
inline void ConvertFilterText(char* text) {
    for (char* c = text; *c; ++c) {
        if (*c == '|')
            *c = '\0';
    }
}
