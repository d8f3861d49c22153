#include "convert/ConvertOptions.h"

#include <vector>

#include "lettering/BitmapFont.h"
#include "res/Version.h"

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

// The font's sizes as a list: "12, 14, ... 28 or 32" with last "or".
std::string FontSizeList(const char* last) {
    std::string list;
    const int count = int(sizeof kFontSizes / sizeof kFontSizes[0]);
    for (int i = 0; i < count; ++i)
        list += (i == 0          ? ""
                 : i + 1 < count ? ", "
                                 : std::string(" ") + last + " ") +
                std::to_string(kFontSizes[i]);
    return list;
}

// An option of the usage text: its name in a column of 19, then the
// description, broken into lines of at most 75 characters.
std::string OptionUsage(const char* name, const std::string& description) {
    std::string text = std::string("  ") + name;
    text.resize(19, ' ');
    size_t lineStart = 0;
    size_t at = 0;
    while (at < description.size()) {
        size_t end = description.find(' ', at);
        if (end == std::string::npos)
            end = description.size();
        const std::string word = description.substr(at, end - at);
        if (at > 0 && text.size() - lineStart + 1 + word.size() > 75) {
            text += "\n" + std::string(19, ' ');
            lineStart = text.size() - 19;
        } else if (at > 0) {
            text += ' ';
        }
        text += word;
        at = end + 1;
    }
    return text + "\n";
}

std::string Range(int low, int high) {
    return std::to_string(low) + ".." + std::to_string(high);
}

} // namespace

const char* ConvertUsage() {
    static const std::string usage =
        std::string() +
        "usage: pixmint-convert [options] INPUT OUTPUT\n"
        "       pixmint-convert [options] --text TEXT OUTPUT\n"
        "       pixmint-convert --info [options] INPUT | --text TEXT\n"
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
        "                   file keeps its own size unless one of the two is given)\n" +
        OptionUsage("--threshold N", "pixels darker than N (" + Range(0, kMaxThreshold) +
                                         ", default " + std::to_string(kDefaultThreshold) +
                                         ") become ink") +
        "  --dither         Floyd-Steinberg error diffusion instead of a plain\n"
        "                   threshold, for photos and grey images\n"
        "  --invert         swap ink and background\n"
        "  --fit            scale an image to fit inside the picture, keeping its\n"
        "                   shape; the rest stays background\n"
        "  --fill           scale an image to cover the picture, keeping its shape;\n"
        "                   what overflows is cut off evenly (without either, an\n"
        "                   image is stretched to the picture)\n"
        "  --text TEXT      draw TEXT instead of reading INPUT: crisp letters of\n"
        "                   the Terminus bitmap font (ASCII and Latin-1), centred;\n"
        "                   \\n or a line break starts a new line\n" +
        OptionUsage("--font-size N", "the letters' height in cells: " + FontSizeList("or") +
                                         " (default: the largest that leaves a margin)") +
        "  --bold           bold letters\n" +
        OptionUsage("--scale N",
                    "enlarge image output N times (" + Range(1, kMaxScale) + ", default 1)") +
        "  --colours        image output in the editor's screen colours\n"
        "  --info           describe the picture INPUT (or --text) makes and print\n"
        "                   it as text, writing nothing\n"
        "  --help           show this text\n"
        "  --version        show the program's version\n"
        "\n"
        "Examples:\n"
        "  pixmint-convert --logo --fit photo.jpg logo.bin\n"
        "  pixmint-convert --logo --bold --text \"My Net\" logo.bin\n"
        "  pixmint-convert --info --text \"Good\\nmorning\"\n"
        "\n"
        "The letters are those of Terminus Font, Copyright (C) 2019 Dimitar Toshkov\n"
        "Zhekov, under the SIL Open Font License, Version 1.1 (OFL.txt).\n";
    return usage.c_str();
}

const char* ConvertVersion() {
    return "pixmint-convert " PIXMINT_VERSION "\n";
}

int ParseConvertOptions(int argc, const char* const* argv, ConvertOptions& options,
                        std::string& error) {
    options = ConvertOptions();
    std::vector<std::string> operands;
    bool thresholdGiven = false;
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
        bool takesValue =
            name == "--threshold" || name == "--scale" || name == "--text" || name == "--font-size";
        if (hasValue && !takesValue) {
            error = "option " + name + " takes no value";
            return 0;
        }
        if (takesValue && !hasValue) {
            if (i + 1 >= argc) {
                error = "option " + name + (name == "--text" ? " needs a text" : " needs a number");
                return 0;
            }
            value = argv[++i];
        }

        if (name == "--help" || name == "-h") {
            options.action = ConvertAction::Help;
            return 1;
        } else if (name == "--version") {
            options.action = ConvertAction::Version;
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
            thresholdGiven = true;
            if (!ParseNumber(value, 0, kMaxThreshold, options.threshold)) {
                error = "--threshold needs a whole number from 0 to " +
                        std::to_string(kMaxThreshold) + ", not '" + value + "'";
                return 0;
            }
        } else if (name == "--scale") {
            if (!ParseNumber(value, 1, kMaxScale, options.scale)) {
                error = "--scale needs a whole number from 1 to " + std::to_string(kMaxScale) +
                        ", not '" + value + "'";
                return 0;
            }
        } else if (name == "--fit" || name == "--fill") {
            ImageFit fit = name == "--fit" ? ImageFit::Fit : ImageFit::Fill;
            if (options.fit != ImageFit::Stretch && options.fit != fit) {
                error = "--fit and --fill exclude each other";
                return 0;
            }
            options.fit = fit;
        } else if (name == "--text") {
            if (value.empty()) {
                error = "--text needs a text to draw";
                return 0;
            }
            options.textGiven = true;
            options.text = value;
        } else if (name == "--font-size") {
            if (!ParseNumber(value, 1, 999, options.fontSize) ||
                FontSizeIndex(options.fontSize) < 0) {
                error = "--font-size needs one of " + FontSizeList("and") + ", not '" + value + "'";
                return 0;
            }
        } else if (name == "--bold") {
            options.bold = true;
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

    if (!options.textGiven && (options.fontSize != 0 || options.bold)) {
        error = std::string(options.fontSize != 0 ? "--font-size" : "--bold") + " needs --text";
        return 0;
    }
    if (options.textGiven &&
        (options.fit != ImageFit::Stretch || thresholdGiven || options.dither)) {
        error = std::string(options.fit == ImageFit::Fit    ? "--fit"
                            : options.fit == ImageFit::Fill ? "--fill"
                            : thresholdGiven                ? "--threshold"
                                                            : "--dither") +
                " is for images and does not go with --text";
        return 0;
    }

    // --text takes the place of INPUT.
    size_t wanted = (options.action == ConvertAction::Info ? 1 : 2) - (options.textGiven ? 1 : 0);
    if (operands.size() != wanted) {
        if (operands.size() > wanted)
            error = options.textGiven && options.action == ConvertAction::Info
                        ? "--info --text takes no file name"
                    : options.textGiven ? "--text takes the place of INPUT: give only OUTPUT"
                                        : "too many file names";
        else if (options.action == ConvertAction::Info)
            error = "--info needs the file to describe (or --text)";
        else
            error = operands.empty() && !options.textGiven
                        ? "missing input and output file names (see --help)"
                        : "missing output file name";
        return 0;
    }
    if (options.textGiven) {
        if (wanted == 1)
            options.output = operands[0];
        return 1;
    }
    options.input = operands[0];
    if (wanted == 2)
        options.output = operands[1];
    return 1;
}
