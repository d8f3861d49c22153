// The characters of a --text argument. The argument is UTF-8 on Linux and in
// the ANSI code page on Windows, as the system hands command lines to
// programs there (where the code page lacks a character, the Unicode command
// line tells which it was). A line break is a newline character (CR LF counts as one)
// or the two characters \n, for shells that cannot pass a newline; \\ stands
// for one backslash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Returns 1 and the code points (with '\n' between lines), or 0 with the
// reason in error.
int DecodeTextArgument(const std::string& argument, std::vector<uint32_t>& text,
                       std::string& error);

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
int DecodeUtf8(const std::string& bytes, std::vector<uint32_t>& codePoints, std::string& error);

// "U+" and at least four hexadecimal digits: U+00E9.
std::string CodePointName(uint32_t codePoint);
