#include "convert/Converter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

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

// No image or block file comes near this; it keeps a mistaken input (a disk
// image, say) from being read into memory whole.
constexpr size_t kMaxInputBytes = size_t(kMaxImageFileBytes);

struct FreeBytes {
    void operator()(uint8_t* bytes) const { std::free(bytes); }
};

struct InputBytes {
    std::unique_ptr<uint8_t, FreeBytes> data;
    size_t size = 0;
};

// The size of a regular file, or -1 when the input has none (a pipe, a
// terminal, a device).
long long KnownFileSize(FILE* file) {
#ifdef _WIN32
    struct _stati64 status;
    if (_fstati64(_fileno(file), &status) != 0 || !(status.st_mode & _S_IFREG))
        return -1;
#else
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
#endif
    return (long long)status.st_size;
}

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

    // The whole input, read once (it may be a pipe), or 0 with a message. A
    // file whose size is known is refused before any of it is read when it
    // passes the limit; any other input as soon as it does.
    int ReadInput(const std::string& path, InputBytes& bytes) {
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr)
            return Fail(0, path + ": cannot open: " + std::strerror(errno));
        const long long known = KnownFileSize(file);
        if (known > (long long)kMaxInputBytes) {
            std::fclose(file);
            return Fail(0, path + ": too large for an image");
        }
        size_t room = known > 0 ? size_t(known) + 1 : 65536;
        bytes.data.reset(static_cast<uint8_t*>(std::malloc(room)));
        size_t got = 0;
        while (bytes.data != nullptr) {
            if (bytes.size == room) {
                if (room > kMaxInputBytes)
                    break;
                room = room > kMaxInputBytes / 2 ? kMaxInputBytes + 1 : room * 2;
                uint8_t* grown = static_cast<uint8_t*>(std::realloc(bytes.data.get(), room));
                if (grown == nullptr)
                    break;
                bytes.data.release();
                bytes.data.reset(grown);
            }
            got = std::fread(bytes.data.get() + bytes.size, 1, room - bytes.size, file);
            if (got == 0)
                break;
            bytes.size += got;
        }
        const bool failed = std::ferror(file) != 0;
        const bool whole = bytes.data != nullptr && got == 0 && !failed;
        std::fclose(file);
        if (bytes.size > kMaxInputBytes)
            return Fail(0, path + ": too large for an image");
        if (bytes.data == nullptr || (!whole && !failed))
            return Fail(0, path + ": not enough memory to read it");
        return failed ? Fail(0, path + ": cannot read") : 1;
    }

    // Loads a block file into the picture as the editor's Load does, from
    // the bytes already read. -1 when the input is no block file, 0 when it
    // is a damaged one (with a message).
    int LoadBlockFile(const std::string& path, const InputBytes& bytes) {
        const long size = long(bytes.size);
        int logo = IsLogoBlockData(bytes.data.get(), bytes.size);
        if (!logo && !IsScreensaverBlockData(bytes.data.get(), bytes.size))
            return -1;
        // A block file shorter than its kind's whole length is cut short.
        long expected = logo ? kLogoBlockFileSize : kScreensaverBlockFileSize;
        if (size < expected)
            return Fail(0, path + ": " + (logo ? "logo" : "screensaver") +
                               " block file cut short (" + std::to_string(size) + " of " +
                               std::to_string(expected) + " bytes)");
        ReadBlockData(bytes.data.get(), bytes.size);
        return 1;
    }

    int ImportImage(const std::string& path, const InputBytes& bytes,
                    const ConvertOptions& options) {
        DecodedImage image;
        std::string error;
        if (!DecodeImage(bytes.data.get(), bytes.size, kMaxImagePixels, image, error)) {
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
        InputBytes bytes;
        if (!ReadInput(options.input, bytes))
            return kExitFailed;
        int loaded = LoadBlockFile(options.input, bytes);
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

    // What the output could not take (a full disk, a closed pipe) fails the
    // run like any other file that cannot be written.
    int Info(const ConvertOptions& options) {
        int result = MakePicture(options);
        if (result == kExitOk)
            std::fputs(DescribePicture().c_str(), out_);
        else if (notAPicture_)
            std::fputs("kind: not a block file\n", out_);
        if ((std::fflush(out_) != 0 || std::ferror(out_)) && result == kExitOk)
            return Fail(kExitFailed, "cannot write the description");
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
    case ConvertAction::Version:
        std::fputs(ConvertVersion(), out);
        return kExitOk;
    case ConvertAction::Info:
        return run.Info(options);
    case ConvertAction::Convert:
        break;
    }
    return run.Convert(options);
}
