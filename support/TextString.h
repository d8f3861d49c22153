// TextString: the program's one string type. An owned heap block of 8-bit ANSI
// text with a terminating NUL and a stored length; the empty string is a 1-byte
// block. Every change reallocates the block to exactly length + 1 bytes.
// When memory runs out, a change leaves the string as it was; a string whose
// text is null (after Free) reads as the empty text.
#pragma once

#include <cstdarg>
#include <cstdint>

class TextString {
public:
    char* text;      // at least length + 1 bytes; null only after Free()
    int32_t length;  // characters before the NUL

    TextString();
    explicit TextString(const char* source);
    TextString(TextString&& other) noexcept;
    ~TextString();
    TextString(const TextString&) = delete;
    TextString& operator=(const TextString&) = delete;
    TextString& operator=(TextString&&) = delete;

    TextString& Assign(const char* source);
    TextString& Assign(const TextString& other);
    TextString& Append(const char* source);
    TextString& Format(const char* format, ...);
    TextString& FormatV(const char* format, va_list args);

    int Find(const char* what) const;                 // index or -1
    int FindFrom(int start, const char* what) const;  // index from the text's start, or -1
    int FindLast(const char* what) const;             // index or -1

    // Copies count bytes of source (all of it when count <= 0) over the text
    // at position. Returns the length of the text from position on, or 0 when
    // the call is refused.
    // The copy is clipped to the source's text and to the end of this text.
    int OverwriteAt(int position, const char* source, int count);

    // A copy of count characters from start (the tail when count <= 0 or the
    // count reaches past the end). A negative start counts as 0, a start past
    // the end gives the empty text. There is no length limit.
    TextString SubString(int start, int count) const;
    TextString& LoadResourceText(int id);
    void Free();

private:
    TextString& AssignBytes(const char* source, int32_t count);
};
