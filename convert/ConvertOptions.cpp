#include "convert/ConvertOptions.h"

#include <vector>

namespace {

// A decimal number in [low, high]; nothing but digits is accepted.
int ParseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9)
        return 0;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high)
        return 0;
    value = number;
    return 1;
}

} // namespace

const char* ConvertUsage() {
    return "usage: pixmint-convert [options] INPUT OUTPUT\n"
           "       pixmint-convert --info INPUT\n"
           "\n"
           "Converts between the Siemens A50's operator logo and screensaver block\n"
           "files (.bin) and ordinary images.\n"
           "\n"
           "INPUT is a block file or an image (PNG, BMP, JPEG, GIF, PBM, PGM, PPM);\n"
           "its content decides which. The extension of OUTPUT decides what is written:\n"
           "  .bin        a block file, and beside it its block info file (.bid)\n"
           "  .png .bmp   an image, ink black on white\n"
           "  .pbm        a portable bitmap (binary, P4)\n"
           "\n"
           "Options:\n"
           "  --logo           a 101 x 29 operator logo\n"
           "  --screensaver    a 101 x 49 screensaver (the default for images; a block\n"
           "                   file keeps its own size unless one of the two is given)\n"
           "  --threshold N    pixels darker than N (0..255, default 128) become ink\n"
           "  --dither         Floyd-Steinberg error diffusion instead of a plain\n"
           "                   threshold, for photos and grey images\n"
           "  --invert         swap ink and background\n"
           "  --scale N        enlarge image output N times (1..64, default 1)\n"
           "  --colours        image output in the editor's screen colours\n"
           "  --info           describe a block file and print its picture as text\n"
           "  --help           show this text\n";
}

int ParseConvertOptions(int argc, const char* const* argv, ConvertOptions& options,
                        std::string& error) {
    options = ConvertOptions();
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // Options with a value take it as the next argument or after '='.
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            hasValue = true;
        }
        bool takesValue = name == "--threshold" || name == "--scale";
        if (hasValue && !takesValue) {
            error = "option " + name + " takes no value";
            return 0;
        }
        if (takesValue && !hasValue) {
            if (i + 1 >= argc) {
                error = "option " + name + " needs a number";
                return 0;
            }
            value = argv[++i];
        }

        if (name == "--help" || name == "-h") {
            options.action = ConvertAction::Help;
            return 1;
        } else if (name == "--info") {
            options.action = ConvertAction::Info;
        } else if (name == "--logo") {
            options.sizeGiven = true;
            options.mode = PictureMode::Logo;
        } else if (name == "--screensaver") {
            options.sizeGiven = true;
            options.mode = PictureMode::Screensaver;
        } else if (name == "--threshold") {
            if (!ParseNumber(value, 0, 255, options.threshold)) {
                error = "--threshold needs a whole number from 0 to 255, not '" + value + "'";
                return 0;
            }
        } else if (name == "--scale") {
            if (!ParseNumber(value, 1, kMaxScale, options.scale)) {
                error = "--scale needs a whole number from 1 to 64, not '" + value + "'";
                return 0;
            }
        } else if (name == "--dither") {
            options.dither = true;
        } else if (name == "--invert") {
            options.invert = true;
        } else if (name == "--colours" || name == "--colors") {
            options.colours = true;
        } else {
            error = "unknown option " + name + " (see --help)";
            return 0;
        }
    }

    size_t wanted = options.action == ConvertAction::Info ? 1 : 2;
    if (operands.size() != wanted) {
        if (operands.size() > wanted)
            error = "too many file names";
        else if (options.action == ConvertAction::Info)
            error = "--info needs the block file to describe";
        else
            error = operands.empty() ? "missing input and output file names (see --help)"
                                     : "missing output file name";
        return 0;
    }
    options.input = operands[0];
    if (wanted == 2)
        options.output = operands[1];
    return 1;
}
