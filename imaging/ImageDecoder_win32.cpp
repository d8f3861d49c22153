// DecodeImage through the Windows Imaging Component: BMP, PNG, JPEG, GIF,
// TIFF and ICO with the system's own decoders, each picked by the format the
// file's first bytes claim. Windows has no Netpbm decoder: those files go to
// the program's own reader. XBM is not read here. A bitmap with bit fields
// that the system's decoder does not know goes to the program's own reader,
// and so does a run-length coded one (see RunLengthBitmap.h).
#include "imaging/ImageDecoder.h"

#include <cstdlib>
#include <cstring>

#include "imaging/BitFieldBitmap.h"
#include "imaging/DeclaredSize.h"
#include "imaging/ImageIntegrity.h"
#include "imaging/ImageKind.h"
#include "imaging/WicFactory_win32.h"

namespace {

const GUID* ContainerOf(ImageKind kind) {
    switch (kind) {
    case ImageKind::Png:
        return &GUID_ContainerFormatPng;
    case ImageKind::Jpeg:
        return &GUID_ContainerFormatJpeg;
    case ImageKind::Gif:
        return &GUID_ContainerFormatGif;
    case ImageKind::Bmp:
        return &GUID_ContainerFormatBmp;
    case ImageKind::Tiff:
        return &GUID_ContainerFormatTiff;
    case ImageKind::Ico:
        return &GUID_ContainerFormatIco;
    default:
        return nullptr;
    }
}

std::string Hex(HRESULT result) {
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += "0123456789ABCDEF"[(unsigned long)result >> shift & 15];
    return text;
}

// The COM objects of one decoding, released together.
struct Decoding {
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    ~Decoding() {
        ReleaseCom(converter);
        ReleaseCom(frame);
        ReleaseCom(decoder);
        ReleaseCom(stream);
    }
};

// A GIF's first frame as it is shown: at its place on the logical screen,
// the rest of the screen transparent (GDK-Pixbuf's picture of the file).
int ShowOnScreen(const GifLayout& gif, DecodedImage& image, std::string& error) {
    if (gif.left == 0 && gif.top == 0 && gif.screenWidth == uint32_t(image.width) &&
        gif.screenHeight == uint32_t(image.height))
        return 1;
    const size_t width = gif.screenWidth, height = gif.screenHeight;
    uint8_t* screen = static_cast<uint8_t*>(std::calloc(width * height, 4));
    if (screen == nullptr) {
        error = "not enough memory for the image";
        return 0;
    }
    for (size_t y = 0; y < size_t(image.height) && gif.top + y < height; ++y) {
        size_t columns = size_t(image.width);
        if (gif.left >= width)
            break;
        if (columns > width - gif.left)
            columns = width - gif.left;
        std::memcpy(screen + ((gif.top + y) * width + gif.left) * 4,
                    image.rgba.get() + y * size_t(image.width) * 4, columns * 4);
    }
    image.rgba.reset(screen);
    image.width = int(width);
    image.height = int(height);
    return 1;
}

} // namespace

int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error) {
    const ImageKind kind = RecogniseImage(data, size);
    const GUID* container = ContainerOf(kind);
    const int settled =
        DecodeBeforeLibrary(kind, container != nullptr, data, size, maxPixels, image, error);
    if (settled >= 0)
        return settled;
    const std::string format = ImageKindName(kind);
    if (size > MAXDWORD) {
        error = format + " image too large to read";
        return 0;
    }
    IWICImagingFactory* factory = WicFactory();
    if (factory == nullptr) {
        error = "cannot read images: the Windows Imaging Component is not available";
        return 0;
    }

    // The first frame: the whole picture, or the first of an animation; of
    // an icon, its largest image, as GDK-Pixbuf takes it.
    UINT index = 0;
    IconImage icon;
    if (kind == ImageKind::Ico && LargestIconImage(data, size, icon))
        index = UINT(icon.index);
    Decoding with;
    HRESULT result = factory->CreateStream(&with.stream);
    if (SUCCEEDED(result))
        result = with.stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size));
    if (SUCCEEDED(result))
        result = factory->CreateDecoder(*container, nullptr, &with.decoder);
    if (SUCCEEDED(result))
        result = with.decoder->Initialize(with.stream, WICDecodeMetadataCacheOnDemand);
    if (SUCCEEDED(result))
        result = with.decoder->GetFrame(index, &with.frame);
    UINT width = 0, height = 0;
    if (SUCCEEDED(result))
        result = with.frame->GetSize(&width, &height);
    if (SUCCEEDED(result) && (width == 0 || height == 0)) {
        error = "damaged " + format + " image (no pixels)";
        return 0;
    }
    if (SUCCEEDED(result) && int64_t(width) * height > maxPixels) {
        error = ImageTooLarge(width, height);
        return 0;
    }

    // Whatever the file stores, as 8-bit BGRA without premultiplied alpha.
    if (SUCCEEDED(result))
        result = factory->CreateFormatConverter(&with.converter);
    if (SUCCEEDED(result))
        result = with.converter->Initialize(with.frame, GUID_WICPixelFormat32bppBGRA,
                                            WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom);
    const UINT stride = width * 4;
    uint8_t* pixels = nullptr;
    if (SUCCEEDED(result)) {
        pixels = static_cast<uint8_t*>(std::malloc(size_t(stride) * height));
        if (pixels == nullptr) {
            error = "not enough memory for the image";
            return 0;
        }
        result = with.converter->CopyPixels(nullptr, stride, stride * height, pixels);
    }
    if (result == WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT && IsBitFieldBitmap(data, size)) {
        std::free(pixels);
        return ReadBitFieldBitmap(data, size, maxPixels, image, error);
    }
    if (FAILED(result)) {
        std::free(pixels);
        error =
            "damaged " + format + " image (Windows Imaging Component error " + Hex(result) + ")";
        return 0;
    }
    for (uint8_t* pixel = pixels; pixel < pixels + size_t(stride) * height; pixel += 4) {
        uint8_t blue = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = blue;
    }
    image.rgba.reset(pixels);
    image.width = int(width);
    image.height = int(height);
    GifLayout gif;
    if (kind == ImageKind::Gif && ReadGifLayout(data, size, gif))
        return ShowOnScreen(gif, image, error);
    return 1;
}
