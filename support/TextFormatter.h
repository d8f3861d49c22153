// A formatter with the conversions and limits of the Windows formatter
// wvsprintfA, for builds without it: %c %s %d %i %u %x %X and %%, the flags
// '-', '#' and '0' (in that order), a width, a precision (the minimum number
// of digits of an integer, the maximum number of characters of a string) and
// the size prefixes 'l' and 'h', which change nothing since integers are 32
// bits. An unknown conversion character is printed as it is.
#pragma once

#include <cstdarg>

// Writes at most size - 1 characters and a NUL into buffer; returns the number
// of characters written. Longer output is cut.
int FormatBounded(char* buffer, int size, const char* format, va_list args);
