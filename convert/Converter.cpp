#include "convert/Converter.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "convert/ConvertOptions.h"
#include "convert/PictureInfo.h"
#include "convert/TextArgument.h"
#include "files/BlockFile.h"
#include "files/ReplacementFile.h"
#include "imaging/AreaScaling.h"
#include "imaging/ImageDecoder.h"
#include "imaging/ImageEncoder.h"
#include "imaging/ImageFit.h"
#include "imaging/InkDecision.h"
#include "lettering/TextLogo.h"
#include "picture/PenRules.h"
#include "picture/PictureGrid.h"

namespace {

const char kProgram[] = "pixmint-convert";

enum class OutputKind { BlockFile, Png, Bmp, Pbm, Unknown };

OutputKind OutputKindOf(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return OutputKind::Unknown;
    std::string extension = path.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (extension == ".bin")
        return OutputKind::BlockFile;
    if (extension == ".png")
        return OutputKind::Png;
    if (extension == ".bmp")
        return OutputKind::Bmp;
    if (extension == ".pbm")
        return OutputKind::Pbm;
    return OutputKind::Unknown;
}

// Every cell of the current picture to value.
void FillPicture(int value) {
    for (int y = 0; y < PictureHeight(); ++y)
        for (int x = 0; x < PictureWidth(); ++x)
            SetCell(x, y, value);
}

class Run {
  public:
    Run(FILE* out, FILE* err) : out_(out), err_(err) {}

    int Fail(int code, const std::string& message) {
        // fputs, not fprintf: MinGW's printf engine would double the Windows program.
        std::fputs((std::string(kProgram) + ": " + message + "\n").c_str(), err_);
        return code;
    }

    // The whole file, or 0 with a message.
    int ReadInput(const std::string& path, std::vector<uint8_t>& bytes) {
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr)
            return Fail(0, path + ": cannot open: " + std::strerror(errno));
        uint8_t chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            bytes.insert(bytes.end(), chunk, chunk + got);
            if (bytes.size() > kMaxImageFileBytes) {
                std::fclose(file);
                return Fail(0, path + ": too large for an image");
            }
        }
        bool failed = std::ferror(file) != 0;
        std::fclose(file);
        return failed ? Fail(0, path + ": cannot read") : 1;
    }

    // Loads a block file into the picture as the editor's Load does. -1 when
    // the file is no block file, 0 when it is a damaged one (with a message).
    int LoadBlockFile(const std::string& path, long size) {
        int logo = IsLogoBlockFile(path.c_str());
        if (!logo && !IsScreensaverBlockFile(path.c_str()))
            return -1;
        // A block file shorter than its kind's whole length is cut short.
        long expected = logo ? kLogoBlockFileSize : kScreensaverBlockFileSize;
        if (size < expected)
            return Fail(0, path + ": " + (logo ? "logo" : "screensaver") +
                               " block file cut short (" + std::to_string(size) + " of " +
                               std::to_string(expected) + " bytes)");
        ClearPicture();
        SetPictureMode(logo ? PictureMode::Logo : PictureMode::Screensaver);
        ReadBlockFile(path.c_str());
        return 1;
    }

    int ImportImage(const std::string& path, const std::vector<uint8_t>& bytes,
                    const ConvertOptions& options) {
        DecodedImage image;
        std::string error;
        if (!DecodeImage(bytes.data(), bytes.size(), kMaxImagePixels, image, error)) {
            notAPicture_ = true;
            return Fail(0, path + ": " + error);
        }
        ClearPicture();
        SetPictureMode(options.mode);
        InkRule rule;
        rule.threshold = options.threshold;
        rule.dither = options.dither;
        rule.invert = options.invert;
        // The part of the scaled image that the picture shows; around it,
        // background (ink when inverted).
        const int width = PictureWidth(), height = PictureHeight();
        ImagePlacement place = PlaceImage(image.width, image.height, width, height, options.fit);
        int left = int(place.left < 0 ? 0 : place.left), top = int(place.top < 0 ? 0 : place.top);
        int columns = int(place.width < width - left ? place.width : width - left);
        int rows = int(place.height < height - top ? place.height : height - top);
        FillPicture(options.invert ? 1 : 0);
        DecideInk(ScaleByAreaAverage(image, place.width, place.height, left - place.left,
                                     top - place.top, columns, rows),
                  rule, thePicture.cells, width, height, left, top, columns, rows);
        return 1;
    }

    // Draws --text into the picture, or returns 0 with a message.
    int DrawText(const ConvertOptions& options) {
        std::vector<uint32_t> text;
        std::string error;
        if (!DecodeTextArgument(options.text, text, error))
            return Fail(0, error);
        int unknown = FindUnknownCharacter(text);
        if (unknown >= 0)
            return Fail(0, "--text: the font has no character " +
                               CodePointName(text[size_t(unknown)]) +
                               " (it has 0x20-0x7E and 0xA0-0xFF)");
        ClearPicture();
        SetPictureMode(options.mode);
        TextLogo logo;
        if (!MakeTextLogo(text, options.fontSize, options.bold, PictureWidth(), PictureHeight(),
                          logo, error))
            return Fail(0, "--text: " + error);
        const TextBlock& block = logo.block;
        FillPicture(options.invert ? 1 : 0);
        for (int y = 0; y < block.height; ++y)
            for (int x = 0; x < block.width; ++x)
                if (block.cells[size_t(y) * block.width + x])
                    SetCell(logo.left + x, logo.top + y, options.invert ? 0 : 1);
        return 1;
    }

    // The picture that the options describe, from --text, a block file or an
    // image: kExitOk, or the exit code of a failure already reported.
    int MakePicture(const ConvertOptions& options) {
        if (options.textGiven)
            return DrawText(options) ? kExitOk : kExitFailed;
        std::vector<uint8_t> bytes;
        if (!ReadInput(options.input, bytes))
            return kExitFailed;
        int loaded = LoadBlockFile(options.input, long(bytes.size()));
        if (loaded == 0)
            return kExitFailed;
        if (loaded > 0) {
            if (options.fit != ImageFit::Stretch)
                return Fail(kExitUsage,
                            std::string(options.fit == ImageFit::Fit ? "--fit" : "--fill") +
                                " is for images; " + options.input + " is a block file");
            // A block file keeps its pixels; the size and Invert act as the
            // editor's size check box and Invert button do.
            if (options.sizeGiven)
                SetPictureMode(options.mode);
            if (options.invert)
                InvertPicture();
            return kExitOk;
        }
        return ImportImage(options.input, bytes, options) ? kExitOk : kExitFailed;
    }

    int Info(const ConvertOptions& options) {
        int result = MakePicture(options);
        if (result == kExitOk)
            std::fputs(DescribePicture().c_str(), out_);
        else if (notAPicture_)
            std::fputs("kind: not a block file\n", out_);
        return result;
    }

    int Convert(const ConvertOptions& options) {
        OutputKind kind = OutputKindOf(options.output);
        if (kind == OutputKind::Unknown)
            return Fail(kExitUsage,
                        options.output + ": unknown output type (use .bin, .png, .bmp or .pbm)");
        if (options.colours && kind != OutputKind::Png && kind != OutputKind::Bmp)
            return Fail(kExitUsage, "--colours needs a .png or .bmp output");

        int result = MakePicture(options);
        if (result != kExitOk)
            return result;

        if (kind == OutputKind::BlockFile) {
            if (!WriteBlockFile(options.output.c_str()))
                return Fail(kExitFailed, options.output + ": cannot write the block file");
            return kExitOk;
        }
        ImageLook look;
        look.scale = options.scale;
        if (options.colours)
            look.background = kBackgroundColour;
        ImageFormat format = kind == OutputKind::Png   ? ImageFormat::Png
                             : kind == OutputKind::Bmp ? ImageFormat::Bmp
                                                       : ImageFormat::Pbm;
        std::vector<uint8_t> encoded =
            EncodePicture(format, look, thePicture.cells, PictureWidth(), PictureHeight());
        if (encoded.empty())
            return Fail(kExitFailed, options.output + ": cannot encode the image");
        if (!WriteWholeFile(options.output.c_str(), encoded.data(), encoded.size()))
            return Fail(kExitFailed, options.output + ": cannot write the image");
        return kExitOk;
    }

  private:
    FILE* out_;
    FILE* err_;
    bool notAPicture_ = false; // the input is neither a block file nor an image
};

} // namespace

int RunConverter(int argc, const char* const* argv, FILE* out, FILE* err) {
    Run run(out, err);
    ConvertOptions options;
    std::string error;
    if (!ParseConvertOptions(argc, argv, options, error))
        return run.Fail(kExitUsage, error);
    switch (options.action) {
    case ConvertAction::Help:
        std::fputs(ConvertUsage(), out);
        return kExitOk;
    case ConvertAction::Info:
        return run.Info(options);
    case ConvertAction::Convert:
        break;
    }
    return run.Convert(options);
}
