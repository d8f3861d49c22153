// EncodeRgb through the Windows Imaging Component's PNG and BMP encoders,
// into a memory stream whose bytes are then copied out.
#include "imaging/RgbEncoder.h"

#include <objbase.h>

#include "imaging/WicFactory_win32.h"

namespace {

struct Encoding {
    IStream* memory = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    ~Encoding() {
        ReleaseCom(options);
        ReleaseCom(frame);
        ReleaseCom(encoder);
        ReleaseCom(memory);
    }
};

// The stream's whole content, or nothing.
std::vector<uint8_t> ContentOf(IStream* memory) {
    STATSTG status;
    LARGE_INTEGER start;
    start.QuadPart = 0;
    if (FAILED(memory->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > 0x7FFFFFFF ||
        FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr)))
        return {};
    std::vector<uint8_t> out(size_t(status.cbSize.QuadPart));
    ULONG got = 0;
    if (FAILED(memory->Read(out.data(), ULONG(out.size()), &got)) || got != out.size())
        return {};
    return out;
}

} // namespace

std::vector<uint8_t> EncodeRgb(ImageFormat format, int width, int height, const uint8_t* rgb) {
    const GUID* container = format == ImageFormat::Png   ? &GUID_ContainerFormatPng
                            : format == ImageFormat::Bmp ? &GUID_ContainerFormatBmp
                                                         : nullptr;
    IWICImagingFactory* factory = WicFactory();
    if (container == nullptr || factory == nullptr || width <= 0 || height <= 0 ||
        width > 0x7FFFFFFF / 3 / height)
        return {};
    // The encoders take blue, green, red.
    const UINT stride = UINT(width) * 3;
    std::vector<uint8_t> bgr(size_t(stride) * height);
    for (size_t i = 0; i < bgr.size(); i += 3) {
        bgr[i] = rgb[i + 2];
        bgr[i + 1] = rgb[i + 1];
        bgr[i + 2] = rgb[i];
    }

    Encoding with;
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &with.memory);
    if (SUCCEEDED(result))
        result = factory->CreateEncoder(*container, nullptr, &with.encoder);
    if (SUCCEEDED(result))
        result = with.encoder->Initialize(with.memory, WICBitmapEncoderNoCache);
    if (SUCCEEDED(result))
        result = with.encoder->CreateNewFrame(&with.frame, &with.options);
    if (SUCCEEDED(result))
        result = with.frame->Initialize(with.options);
    if (SUCCEEDED(result))
        result = with.frame->SetSize(UINT(width), UINT(height));
    if (SUCCEEDED(result))
        result = with.frame->SetPixelFormat(&pixelFormat);
    // An encoder may offer another format than the one asked for.
    if (SUCCEEDED(result) && !IsEqualGUID(pixelFormat, GUID_WICPixelFormat24bppBGR))
        return {};
    if (SUCCEEDED(result))
        result = with.frame->WritePixels(UINT(height), stride, UINT(bgr.size()), bgr.data());
    if (SUCCEEDED(result))
        result = with.frame->Commit();
    if (SUCCEEDED(result))
        result = with.encoder->Commit();
    if (FAILED(result))
        return {};
    return ContentOf(with.memory);
}
