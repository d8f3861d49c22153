#include "convert/Converter.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "convert/AreaScaling.h"
#include "convert/ConvertOptions.h"
#include "convert/ImageDecoder.h"
#include "convert/ImageEncoder.h"
#include "convert/InkDecision.h"
#include "convert/PictureInfo.h"
#include "files/BlockFile.h"
#include "files/ReplacementFile.h"
#include "picture/PictureGrid.h"

namespace {

const char kProgram[] = "pixmint-convert";

// No image or block file comes near this; it keeps a mistaken input (a disk
// image, say) from being read into memory whole.
constexpr size_t kMaxInputBytes = size_t(256) * 1024 * 1024;

// A block file's full length; a shorter one is cut short.
constexpr long kLogoFileSize = 16 + kLogoHeight * 13;
constexpr long kScreensaverFileSize = 10 + kScreensaverHeight * 13;

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
            if (bytes.size() > kMaxInputBytes) {
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
        long expected = logo ? kLogoFileSize : kScreensaverFileSize;
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
        if (!DecodeImage(bytes.data(), bytes.size(), kMaxImagePixels, image, error))
            return Fail(0, path + ": " + error);
        ClearPicture();
        SetPictureMode(options.mode);
        InkRule rule;
        rule.threshold = options.threshold;
        rule.dither = options.dither;
        rule.invert = options.invert;
        DecideInk(ScaleByAreaAverage(image, PictureWidth(), PictureHeight()), rule);
        return 1;
    }

    int Info(const ConvertOptions& options) {
        std::vector<uint8_t> bytes;
        if (!ReadInput(options.input, bytes))
            return kExitFailed;
        int loaded = LoadBlockFile(options.input, long(bytes.size()));
        if (loaded < 0) {
            std::fputs("kind: not a block file\n", out_);
            return kExitFailed;
        }
        if (loaded == 0)
            return kExitFailed;
        std::fputs(DescribePicture().c_str(), out_);
        return kExitOk;
    }

    int Convert(const ConvertOptions& options) {
        OutputKind kind = OutputKindOf(options.output);
        if (kind == OutputKind::Unknown)
            return Fail(kExitUsage, options.output +
                                        ": unknown output type (use .bin, .png, .bmp or .pbm)");
        if (options.colours && kind != OutputKind::Png && kind != OutputKind::Bmp)
            return Fail(kExitUsage, "--colours needs a .png or .bmp output");

        std::vector<uint8_t> bytes;
        if (!ReadInput(options.input, bytes))
            return kExitFailed;
        int loaded = LoadBlockFile(options.input, long(bytes.size()));
        if (loaded == 0)
            return kExitFailed;
        if (loaded > 0) {
            // A block file keeps its pixels; the size and Invert act as the
            // editor's size check box and Invert button do.
            if (options.sizeGiven)
                SetPictureMode(options.mode);
            if (options.invert)
                InvertPicture();
        } else if (!ImportImage(options.input, bytes, options)) {
            return kExitFailed;
        }

        if (kind == OutputKind::BlockFile) {
            if (!WriteBlockFile(options.output.c_str()))
                return Fail(kExitFailed, options.output + ": cannot write the block file");
            return kExitOk;
        }
        ImageLook look;
        look.scale = options.scale;
        look.colours = options.colours;
        ImageFormat format = kind == OutputKind::Png   ? ImageFormat::Png
                             : kind == OutputKind::Bmp ? ImageFormat::Bmp
                                                       : ImageFormat::Pbm;
        std::vector<uint8_t> encoded = EncodePicture(format, look);
        if (encoded.empty())
            return Fail(kExitFailed, options.output + ": cannot encode the image");
        if (!WriteWholeFile(options.output.c_str(), encoded.data(), encoded.size()))
            return Fail(kExitFailed, options.output + ": cannot write the image");
        return kExitOk;
    }

  private:
    FILE* out_;
    FILE* err_;
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
