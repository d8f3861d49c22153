// The string type. Blocks come from calloc/realloc/free and always hold exactly
// length + 1 bytes. When the allocator fails, the operation leaves the string as
// it was: the old text and length stay valid. A string whose text is null (after
// Free, or when its first allocation failed) behaves as the empty text.
#include "support/TextString.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "support/PlatformText.h"
#include "support/TextOverrideList.h"

namespace {
const char* OrEmpty(const char* text) {
    return text ? text : "";
}

bool PointsInto(const char* pointer, const char* block, int32_t length) {
    // Compared as integers: the pointers need not belong to the same block.
    auto p = reinterpret_cast<uintptr_t>(pointer);
    auto b = reinterpret_cast<uintptr_t>(block);
    return block != nullptr && p >= b && p <= b + static_cast<uintptr_t>(length);
}
} // namespace

TextString::TextString() : text(static_cast<char*>(calloc(1, 1))), length(0) {}

TextString::TextString(const char* source) : text(nullptr), length(0) {
    source = OrEmpty(source);
    int32_t n = PlatformTextLength(source);
    text = static_cast<char*>(calloc(static_cast<size_t>(n) + 1, 1));
    if (text == nullptr)
        return;
    memcpy(text, source, static_cast<size_t>(n));
    text[n] = '\0';
    length = n;
}

TextString::TextString(TextString&& other) noexcept : text(other.text), length(other.length) {
    other.text = nullptr;
    other.length = 0;
}

TextString::~TextString() {
    Free();
}

TextString& TextString::AssignBytes(const char* source, int32_t n) {
    if (PointsInto(source, text, length)) {
        // A part of our own text: move it to the front before the block shrinks.
        memmove(text, source, static_cast<size_t>(n));
        text[n] = '\0';
        if (char* block = static_cast<char*>(realloc(text, static_cast<size_t>(n) + 1)))
            text = block;
        length = n;
        return *this;
    }
    char* block = static_cast<char*>(realloc(text, static_cast<size_t>(n) + 1));
    if (block == nullptr)
        return *this;
    memcpy(block, source, static_cast<size_t>(n));
    block[n] = '\0';
    text = block;
    length = n;
    return *this;
}

TextString& TextString::Assign(const char* source) {
    source = OrEmpty(source);
    return AssignBytes(source, PlatformTextLength(source));
}

TextString& TextString::Assign(const TextString& other) {
    if (&other == this)
        return *this;
    if (other.text == nullptr)
        return AssignBytes("", 0);
    return AssignBytes(other.text, other.length);
}

TextString& TextString::Append(const char* source) {
    source = OrEmpty(source);
    int32_t n = PlatformTextLength(source);
    if (n == 0 && text != nullptr)
        return *this;
    if (n > INT32_MAX - 1 - length)
        return *this;
    // Appending a part of ourselves: realloc may move the block.
    bool own = PointsInto(source, text, length);
    size_t offset = own ? static_cast<size_t>(source - text) : 0;
    char* block = static_cast<char*>(realloc(text, static_cast<size_t>(length) + n + 1));
    if (block == nullptr)
        return *this;
    if (own)
        source = block + offset;
    memmove(block + length, source, static_cast<size_t>(n));
    block[length + n] = '\0';
    text = block;
    length += n;
    return *this;
}

TextString& TextString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
    return *this;
}

TextString& TextString::FormatV(const char* format, va_list args) {
    char buffer[kFormatLimit];
    buffer[0] = '\0';
    PlatformFormatV(buffer, OrEmpty(format), args);
    buffer[kFormatLimit - 1] = '\0';
    return Assign(buffer);
}

int TextString::Find(const char* what) const {
    return FindFrom(0, what);
}

int TextString::FindFrom(int start, const char* what) const {
    if (what == nullptr || start < 0 || start > length)
        return -1;
    const char* base = OrEmpty(text);
    const char* hit = strstr(base + (text ? start : 0), what);
    return hit ? static_cast<int>(hit - base) : -1;
}

int TextString::FindLast(const char* what) const {
    int last = Find(what);
    int hit = last;
    while (hit != -1) {
        last = hit;
        hit = FindFrom(hit + 1, what);
    }
    return last;
}

int TextString::OverwriteAt(int position, const char* source, int count) {
    if (text == nullptr || source == nullptr || position < 0 || position >= length ||
        source[0] == '\0')
        return 0;
    int sourceLength = PlatformTextLength(source);
    if (count <= 0 || count > sourceLength)
        count = sourceLength;
    // The copy stays inside the text: the block never grows and the NUL stays.
    if (count > length - position)
        count = length - position;
    memcpy(text + position, source, static_cast<size_t>(count));
    return PlatformTextLength(text + position);
}

TextString TextString::SubString(int start, int count) const {
    TextString result;
    if (text == nullptr)
        return result;
    if (start < 0)
        start = 0;
    if (start > length)
        start = length;
    if (count <= 0 || count > length - start)
        count = length - start;
    // Like a bounded copy: stops early at a NUL inside the text.
    int32_t n = 0;
    while (n < count && text[start + n] != '\0')
        n++;
    result.AssignBytes(text + start, n);
    return result;
}

TextString& TextString::LoadResourceText(int id) {
    char buffer[kFormatLimit];
    memset(buffer, 0, sizeof buffer);
    const char* overrideText = TextOverrideList::Active() ? TextOverrideList::Active()->Find(id)
                                                          : nullptr;
    if (overrideText && overrideText[0] != '\0') {
        strncpy(buffer, overrideText, sizeof buffer - 1);
    } else {
        PlatformLoadString(id, buffer, sizeof buffer);
    }
    return Assign(buffer);
}

void TextString::Free() {
    if (text == nullptr)
        return;
    free(text);
    text = nullptr;
    length = 0;
}
