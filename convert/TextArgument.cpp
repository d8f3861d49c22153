#include "convert/TextArgument.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cwchar>
#endif

namespace {

std::string Hex(uint32_t value, int digits) {
    const char hex[] = "0123456789ABCDEF";
    while (digits < 8 && (value >> (4 * digits)) != 0)
        ++digits;
    std::string text;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += hex[(value >> shift) & 15];
    return text;
}

#ifdef _WIN32
// text in the ANSI code page, as the system makes it of Unicode text: a
// character the code page lacks becomes a look-alike or '?'.
std::string ToAnsi(const wchar_t* text) {
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string ansi(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0], length, nullptr, nullptr);
    ansi.resize(size_t(length - 1));
    return ansi;
}

// The argument as typed: main() has it in the ANSI code page, where a
// character the code page lacks has already become something else. Taken
// from the Unicode command line, such a character is refused with its own
// code instead of being drawn as its stand-in. The argument is found by
// content, as the value of "--text=" or an argument of its own.
std::vector<wchar_t> TypedArgument(const std::string& ansi) {
    std::vector<wchar_t> typed;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return typed;
    for (int i = 1; i < count && typed.empty(); ++i) {
        const wchar_t* argument = arguments[i];
        if (wcsncmp(argument, L"--text=", 7) == 0)
            argument += 7;
        if (ToAnsi(argument) == ansi)
            typed.assign(argument, argument + wcslen(argument));
    }
    LocalFree(arguments);
    return typed;
}

// The argument from the ANSI code page to code points, through UTF-16.
int DecodeAnsi(const std::string& bytes, std::vector<uint32_t>& codePoints, std::string& error) {
    if (bytes.empty())
        return 1;
    std::vector<wchar_t> wide = TypedArgument(bytes);
    if (wide.empty()) {
        int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
        if (length <= 0) {
            error = "--text cannot be read in this system's code page";
            return 0;
        }
        wide.resize(size_t(length));
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), wide.data(), length);
    }
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t unit = uint16_t(wide[i]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() &&
            uint16_t(wide[i + 1]) >= 0xDC00 && uint16_t(wide[i + 1]) < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (uint16_t(wide[i + 1]) - 0xDC00);
            ++i;
        }
        codePoints.push_back(unit);
    }
    return 1;
}
#endif

} // namespace

int DecodeUtf8(const std::string& bytes, std::vector<uint32_t>& codePoints, std::string& error) {
    for (size_t i = 0; i < bytes.size();) {
        const uint8_t lead = uint8_t(bytes[i]);
        // The number of continuation bytes, -1 for a byte no character starts with.
        int extra = lead < 0x80                   ? 0
                    : lead >= 0xC2 && lead < 0xE0 ? 1
                    : lead >= 0xE0 && lead < 0xF0 ? 2
                    : lead >= 0xF0 && lead < 0xF5 ? 3
                                                  : -1;
        uint32_t code = extra <= 0 ? lead : lead & (0x7Fu >> (extra + 1));
        bool valid = extra >= 0 && i + size_t(extra) < bytes.size();
        for (int k = 1; valid && k <= extra; ++k) {
            uint8_t next = uint8_t(bytes[i + size_t(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (valid && ((extra == 2 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
                      (extra == 3 && (code < 0x10000 || code > 0x10FFFF))))
            valid = false;
        if (!valid) {
            error = "--text is not valid UTF-8 (byte 0x" + Hex(lead, 2) + " at position " +
                    std::to_string(i + 1) + ")";
            return 0;
        }
        codePoints.push_back(code);
        i += size_t(extra) + 1;
    }
    return 1;
}

int DecodeTextArgument(const std::string& argument, std::vector<uint32_t>& text,
                       std::string& error) {
    std::vector<uint32_t> raw;
#ifdef _WIN32
    if (!DecodeAnsi(argument, raw, error))
        return 0;
#else
    if (!DecodeUtf8(argument, raw, error))
        return 0;
#endif
    text.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'n' || raw[i + 1] == '\\')) {
            text.push_back(raw[i + 1] == 'n' ? '\n' : '\\');
            ++i;
            continue;
        }
        text.push_back(raw[i]);
    }
    return 1;
}

std::string CodePointName(uint32_t codePoint) {
    return "U+" + Hex(codePoint, 4);
}
