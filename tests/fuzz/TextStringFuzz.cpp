// Runs the string operations with arbitrary texts and arguments. Under
// AddressSanitizer any read or write outside a block ends the run; the checks
// below catch results that point outside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/TextString.h"

namespace {

// Takes input bytes in order: small integers and NUL-terminated texts.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return offset_ >= size_; }
    uint8_t Byte() { return Empty() ? 0 : data_[offset_++]; }
    int Number() {
        // Mostly small numbers around the text's length, sometimes extreme ones.
        uint8_t kind = Byte();
        if (kind == 0xFF)
            return INT32_MAX;
        if (kind == 0xFE)
            return INT32_MIN;
        return static_cast<int8_t>(Byte());
    }
    std::string Text() {
        size_t length = Byte() % 48;
        std::string text;
        while (text.size() < length && !Empty())
            text.push_back(static_cast<char>(Byte()));
        return text.c_str();  // up to the first NUL, as the callers' texts are
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

void Check(bool condition) {
    if (!condition)
        abort();
}

void CheckIndex(const TextString& s, int index) {
    Check(index == -1 || (index >= 0 && index <= s.length));
}

void CheckString(const TextString& s) {
    Check(s.text != nullptr && s.length >= 0);
    Check(strlen(s.text) <= static_cast<size_t>(s.length));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    TextString s(in.Text().c_str());
    for (int step = 0; step < 32 && !in.Empty(); step++) {
        switch (in.Byte() % 9) {
        case 0:
            CheckIndex(s, s.Find(in.Text().c_str()));
            break;
        case 1: {
            int start = in.Number();
            CheckIndex(s, s.FindFrom(start, in.Text().c_str()));
            break;
        }
        case 2:
            CheckIndex(s, s.FindLast(in.Text().c_str()));
            break;
        case 3: {
            int position = in.Number();
            int count = in.Number();
            int32_t before = s.length;
            int tail = s.OverwriteAt(position, in.Text().c_str(), count);
            Check(s.length == before && tail >= 0 && tail <= s.length);
            break;
        }
        case 4: {
            int start = in.Number();
            int count = in.Number();
            TextString part = s.SubString(start, count);
            CheckString(part);
            Check(part.length <= s.length);
            break;
        }
        case 5: {
            int32_t before = s.length;
            std::string text = in.Text();
            s.Append(text.c_str());
            Check(s.length == before + static_cast<int32_t>(text.size()));
            break;
        }
        case 6:
            s.Assign(in.Text().c_str());
            break;
        case 7: {
            // A part of the string's own text as the source.
            int offset = in.Number();
            if (offset >= 0 && offset <= s.length)
                s.Append(s.text + offset);
            break;
        }
        case 8: {
            int offset = in.Number();
            if (offset >= 0 && offset <= s.length)
                s.Assign(s.text + offset);
            break;
        }
        }
        CheckString(s);
        // Keep the text short enough for the quadratic searches to stay fast.
        if (s.length > 4096)
            s.Assign(s.SubString(0, 64));
    }
    return 0;
}
