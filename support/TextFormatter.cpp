#include "support/TextFormatter.h"

#include <cstdint>

namespace {

enum class Conversion { Char, String, Signed, Unsigned, HexLower, HexUpper, Unknown };

struct Field {
    bool leftAlign = false;
    bool hexPrefix = false;
    bool zeroPad = false;
    int width = 0;
    int precision = 0;
    char unknown = '\0';
    Conversion conversion = Conversion::Unknown;
};

// Reads the part after '%'; returns the first character after the conversion.
const char* ParseField(const char* format, Field& field) {
    if (*format == '-') {
        field.leftAlign = true;
        format++;
    }
    if (*format == '#') {
        field.hexPrefix = true;
        format++;
    }
    if (*format == '0') {
        field.zeroPad = true;
        format++;
    }
    // Widths beyond the output limit are clipped later; stop growing long before overflow.
    while (*format >= '0' && *format <= '9') {
        if (field.width < 100000)
            field.width = field.width * 10 + (*format - '0');
        format++;
    }
    if (*format == '.') {
        format++;
        while (*format >= '0' && *format <= '9') {
            if (field.precision < 100000)
                field.precision = field.precision * 10 + (*format - '0');
            format++;
        }
    }
    if (*format == 'l' || *format == 'h')
        format++;
    switch (*format) {
    case 'c':
        field.conversion = Conversion::Char;
        break;
    case 's':
        field.conversion = Conversion::String;
        break;
    case 'd':
    case 'i':
        field.conversion = Conversion::Signed;
        break;
    case 'u':
        field.conversion = Conversion::Unsigned;
        break;
    case 'x':
        field.conversion = Conversion::HexLower;
        break;
    case 'X':
        field.conversion = Conversion::HexUpper;
        break;
    case '\0':
        field.conversion = Conversion::Unknown;
        return format;
    default:
        // An unknown conversion prints its character as it is.
        field.conversion = Conversion::Unknown;
        field.unknown = *format;
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
        Field field;
        format = ParseField(format, field);
        if (field.leftAlign)
            field.zeroPad = false;
        if (field.width > out.Room())
            field.width = out.Room();

        // The body of the conversion: its characters and, for integers, the
        // number of zeros in front of them.
        char number[16];
        const char* body = number;
        int bodyLength = 0;
        const char* prefix = "";
        int prefixLength = 0;
        int zeros = 0;
        switch (field.conversion) {
        case Conversion::Char:
            number[0] = static_cast<char>(va_arg(args, int));
            bodyLength = 1;
            break;
        case Conversion::String: {
            const char* text = va_arg(args, const char*);
            if (text == nullptr)
                text = "(null)";
            while ((field.precision == 0 || bodyLength < field.precision) && text[bodyLength] != '\0')
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
            bool upper = field.conversion == Conversion::HexUpper;
            bodyLength = Digits(va_arg(args, uint32_t), 16, upper, number);
            if (field.hexPrefix) {
                prefix = upper ? "0X" : "0x";
                prefixLength = 2;
            }
            break;
        }
        case Conversion::Unknown:
            if (field.unknown != '\0') {
                number[0] = field.unknown;
                bodyLength = 1;
            }
            break;
        }

        bool integer = field.conversion == Conversion::Signed ||
                       field.conversion == Conversion::Unsigned ||
                       field.conversion == Conversion::HexLower ||
                       field.conversion == Conversion::HexUpper;
        int fieldLength;  // characters that the width is measured against
        if (integer) {
            // The precision counts the sign with the digits, and zero padding
            // fills the width; zeros go between the sign and the digits. The
            // "0x" prefix stands outside both, in front of the field.
            int numberLength =
                (field.conversion == Conversion::Signed ? prefixLength : 0) + bodyLength;
            fieldLength = field.precision;
            if (field.zeroPad && field.width > fieldLength)
                fieldLength = field.width;
            if (fieldLength < numberLength)
                fieldLength = numberLength;
            zeros = fieldLength - numberLength;
        } else if (field.conversion == Conversion::Unknown) {
            fieldLength = 0;  // the width pads in front of the character, as if it were not there
        } else {
            fieldLength = bodyLength;
        }
        if (!field.leftAlign)
            out.Repeat(' ', field.width - fieldLength);
        out.Copy(prefix, prefixLength);
        out.Repeat('0', zeros);
        out.Copy(body, bodyLength);
        // An unknown conversion is never padded behind.
        if (field.leftAlign && field.conversion != Conversion::Unknown)
            out.Repeat(' ', field.width - fieldLength);
    }
    *out.End() = '\0';
    return static_cast<int>(out.End() - buffer);
}
