#include "support/TextFormatter.h"

#include <cstdint>

namespace {

enum class Conversion { Char, String, Signed, Unsigned, HexLower, HexUpper, Unknown };

struct Spec {
    bool leftAlign = false;
    bool hexPrefix = false;
    bool zeroPad = false;
    int width = 0;
    int precision = 0;
    Conversion conversion = Conversion::Unknown;
};

// Reads the part after '%'; returns the first character after the conversion.
const char* ParseSpec(const char* format, Spec& spec) {
    if (*format == '-') {
        spec.leftAlign = true;
        format++;
    }
    if (*format == '#') {
        spec.hexPrefix = true;
        format++;
    }
    if (*format == '0') {
        spec.zeroPad = true;
        format++;
    }
    // Widths beyond the output limit are clipped later; stop growing long before overflow.
    while (*format >= '0' && *format <= '9') {
        if (spec.width < 100000)
            spec.width = spec.width * 10 + (*format - '0');
        format++;
    }
    if (*format == '.') {
        format++;
        while (*format >= '0' && *format <= '9') {
            if (spec.precision < 100000)
                spec.precision = spec.precision * 10 + (*format - '0');
            format++;
        }
    }
    if (*format == 'l')
        format++;
    switch (*format) {
    case 'c':
        spec.conversion = Conversion::Char;
        break;
    case 's':
        spec.conversion = Conversion::String;
        break;
    case 'd':
    case 'i':
        spec.conversion = Conversion::Signed;
        break;
    case 'u':
        spec.conversion = Conversion::Unsigned;
        break;
    case 'x':
        spec.conversion = Conversion::HexLower;
        break;
    case 'X':
        spec.conversion = Conversion::HexUpper;
        break;
    default:
        // An unknown conversion consumes its letter and prints nothing.
        spec.conversion = Conversion::Unknown;
        if (*format == '\0')
            return format;
        break;
    }
    return format + 1;
}

// Writes the digits of value in the base, most significant first; returns their count.
int Digits(uint32_t value, unsigned base, bool upper, char* out) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = symbols[value % base];
        value /= base;
    } while (value != 0);
    for (int i = 0; i < count; i++)
        out[i] = reversed[count - 1 - i];
    return count;
}

class Output {
public:
    Output(char* buffer, int size) : next_(buffer), room_(size - 1) {}
    int Room() const { return room_; }
    void Put(char c) {
        if (room_ > 0) {
            *next_++ = c;
            room_--;
        }
    }
    void Repeat(char c, int count) {
        for (int i = 0; i < count; i++)
            Put(c);
    }
    void Copy(const char* text, int count) {
        for (int i = 0; i < count; i++)
            Put(text[i]);
    }
    char* End() const { return next_; }

private:
    char* next_;
    int room_;
};

} // namespace

int FormatBounded(char* buffer, int size, const char* format, va_list args) {
    if (buffer == nullptr || size <= 0)
        return 0;
    if (format == nullptr)
        format = "";
    Output out(buffer, size);
    while (*format != '\0' && out.Room() > 0) {
        if (*format != '%') {
            out.Put(*format++);
            continue;
        }
        format++;
        if (*format == '%') {
            out.Put(*format++);
            continue;
        }
        Spec spec;
        format = ParseSpec(format, spec);
        if (spec.leftAlign)
            spec.zeroPad = false;
        if (spec.width > out.Room())
            spec.width = out.Room();

        // The body of the conversion: its characters and, for integers, the
        // number of zeros in front of them.
        char number[16];
        const char* body = number;
        int bodyLength = 0;
        const char* prefix = "";
        int prefixLength = 0;
        int zeros = 0;
        switch (spec.conversion) {
        case Conversion::Char:
            number[0] = static_cast<char>(va_arg(args, int));
            bodyLength = 1;
            break;
        case Conversion::String: {
            const char* text = va_arg(args, const char*);
            if (text == nullptr)
                text = "(null)";
            while ((spec.precision == 0 || bodyLength < spec.precision) && text[bodyLength] != '\0')
                bodyLength++;
            body = text;
            break;
        }
        case Conversion::Signed: {
            int32_t value = va_arg(args, int32_t);
            uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : value;
            if (value < 0) {
                prefix = "-";
                prefixLength = 1;
            }
            bodyLength = Digits(magnitude, 10, false, number);
            break;
        }
        case Conversion::Unsigned:
            bodyLength = Digits(va_arg(args, uint32_t), 10, false, number);
            break;
        case Conversion::HexLower:
        case Conversion::HexUpper: {
            bool upper = spec.conversion == Conversion::HexUpper;
            bodyLength = Digits(va_arg(args, uint32_t), 16, upper, number);
            if (spec.hexPrefix) {
                prefix = upper ? "0X" : "0x";
                prefixLength = 2;
            }
            break;
        }
        case Conversion::Unknown:
            break;
        }

        bool integer = spec.conversion == Conversion::Signed ||
                       spec.conversion == Conversion::Unsigned ||
                       spec.conversion == Conversion::HexLower ||
                       spec.conversion == Conversion::HexUpper;
        int fieldLength;  // characters of the converted value, padding zeros included
        if (integer) {
            // The precision counts the sign and the prefix with the digits; zero
            // padding fills the width. Zeros go between the sign or prefix and
            // the digits.
            int numberLength = prefixLength + bodyLength;
            fieldLength = spec.precision;
            if (spec.zeroPad && spec.width > fieldLength)
                fieldLength = spec.width;
            if (fieldLength < numberLength)
                fieldLength = numberLength;
            zeros = fieldLength - numberLength;
        } else {
            fieldLength = bodyLength;
        }
        if (!spec.leftAlign)
            out.Repeat(' ', spec.width - fieldLength);
        out.Copy(prefix, prefixLength);
        out.Repeat('0', zeros);
        out.Copy(body, bodyLength);
        if (spec.leftAlign)
            out.Repeat(' ', spec.width - fieldLength);
    }
    *out.End() = '\0';
    return static_cast<int>(out.End() - buffer);
}
