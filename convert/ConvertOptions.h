// The command line of pixmint-convert: what to read, what to write and how.
#pragma once

#include <string>

#include "imaging/ImageFit.h"
#include "imaging/InkDecision.h"
#include "picture/PictureGrid.h"

enum class ConvertAction {
    Convert, // INPUT OUTPUT, or --text TEXT OUTPUT
    Info,    // --info INPUT, or --info --text TEXT
    Help     // --help
};

struct ConvertOptions {
    ConvertAction action = ConvertAction::Convert;
    std::string input;
    std::string output;
    // Set when --logo or --screensaver was given; an image becomes a
    // screensaver otherwise, and a block file keeps its own size.
    bool sizeGiven = false;
    PictureMode mode = PictureMode::Screensaver;
    int threshold = kDefaultThreshold; // luminance 0..kMaxThreshold; darker pixels become ink
    bool dither = false;
    bool invert = false;
    int scale = 1; // enlargement of image output
    bool colours = false;
    ImageFit fit = ImageFit::Stretch;
    // --text: the picture is this text instead of an input file.
    bool textGiven = false;
    std::string text; // as given, before its characters are decoded
    int fontSize = 0; // 0 chooses the largest that fits
    bool bold = false;
};

constexpr int kMaxScale = 64; // --scale is 1..kMaxScale

// Parses argv[1..argc-1]. Returns 1 and fills options, or returns 0 and
// describes the mistake in error (one line, without the program name).
int ParseConvertOptions(int argc, const char* const* argv, ConvertOptions& options,
                        std::string& error);

// The text --help prints.
const char* ConvertUsage();
