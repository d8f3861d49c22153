// DecodeImage through GDK-Pixbuf, the image library of the Linux desktop. The
// loader is picked from a fixed list by the format the file's first bytes
// claim, and the size is checked when the loader reports it, before any
// pixels are unpacked. Netpbm files go to the program's own reader: GDK-Pixbuf's
// takes a file cut short and loses the last sample of a plain one.
#include "imaging/ImageDecoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <vector>

#include "imaging/BitFieldBitmap.h"
#include "imaging/DeclaredSize.h"
#include "imaging/ImageIntegrity.h"
#include "imaging/ImageKind.h"

namespace {

// GDK-Pixbuf's name for the loader of each format this program reads.
const char* LoaderType(ImageKind kind) {
    switch (kind) {
    case ImageKind::Png:
        return "png";
    case ImageKind::Jpeg:
        return "jpeg";
    case ImageKind::Gif:
        return "gif";
    case ImageKind::Bmp:
        return "bmp";
    case ImageKind::Tiff:
        return "tiff";
    case ImageKind::Ico:
        return "ico";
    case ImageKind::Xbm:
        return "xbm";
    case ImageKind::Netpbm:
    case ImageKind::Unknown:
        break;
    }
    return nullptr;
}

struct SizeCheck {
    int64_t maxPixels = 0;
    int width = 0;
    int height = 0;
    bool refused = false;
};

// A size of 0 x 0 tells the loader to stop before it allocates the pixels.
void OnSizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer data) {
    SizeCheck* check = static_cast<SizeCheck*>(data);
    check->width = width;
    check->height = height;
    if (width <= 0 || height <= 0 || int64_t(width) * height > check->maxPixels) {
        check->refused = true;
        gdk_pixbuf_loader_set_size(loader, 0, 0);
    }
}

// The library's message on one line, without its final full stop.
std::string OneLine(const GError* failure) {
    std::string text = failure != nullptr && failure->message != nullptr ? failure->message : "";
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    while (!text.empty() && (text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "unreadable data" : text;
}

// Any layout GDK-Pixbuf hands out (three or four channels, padded rows) as
// 8-bit RGBA without padding. 0 when the pixbuf has another sample format.
int CopyPixels(GdkPixbuf* pixbuf, DecodedImage& image) {
    const int width = gdk_pixbuf_get_width(pixbuf), height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB ||
        gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels != (alpha ? 4 : 3))
        return 0;
    const size_t stride = size_t(gdk_pixbuf_get_rowstride(pixbuf));
    const guint8* source = gdk_pixbuf_read_pixels(pixbuf);
    uint8_t* rgba = static_cast<uint8_t*>(std::malloc(size_t(width) * height * 4));
    if (rgba == nullptr)
        return 0;
    uint8_t* out = rgba;
    for (int y = 0; y < height; ++y) {
        const guint8* in = source + stride * size_t(y);
        for (int x = 0; x < width; ++x, in += channels, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = alpha ? in[3] : 255;
        }
    }
    image.rgba.reset(rgba);
    image.width = width;
    image.height = height;
    return 1;
}

// Colour-table entries between the header (with its masks) and the pixels.
int HasColourTable(const uint8_t* data, size_t size) {
    if (size < 54)
        return 0;
    const uint32_t header = uint32_t(data[14]) | uint32_t(data[15]) << 8 | uint32_t(data[16]) << 16 |
                            uint32_t(data[17]) << 24;
    const uint32_t offset = uint32_t(data[10]) | uint32_t(data[11]) << 8 | uint32_t(data[12]) << 16 |
                            uint32_t(data[13]) << 24;
    const uint32_t used = uint32_t(data[46]) | uint32_t(data[47]) << 8 | uint32_t(data[48]) << 16 |
                          uint32_t(data[49]) << 24;
    const uint64_t masksEnd = 14 + uint64_t(header < 52 ? 52 : header);
    return used > 0 || offset > masksEnd;
}

// GLib's warnings and criticals go to standard error, where the converter
// says one line of its own.
void Silence(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}
GLogWriterOutput SilentWriter(GLogLevelFlags, const GLogField*, gsize, gpointer) {
    return G_LOG_WRITER_HANDLED;
}

} // namespace

int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error) {
    const ImageKind kind = RecogniseImage(data, size);
    const char* type = LoaderType(kind);
    const int settled =
        DecodeBeforeLibrary(kind, type != nullptr, data, size, maxPixels, image, error);
    if (settled >= 0)
        return settled;
    const std::string format = ImageKindName(kind);
    // GDK-Pixbuf mixes up the channels of a bitmap with bit fields that also
    // carries a colour table (which such a bitmap may, unused).
    if (kind == ImageKind::Bmp && IsBitFieldBitmap(data, size) && HasColourTable(data, size))
        return ReadBitFieldBitmap(data, size, maxPixels, image, error);
    // Of an icon, the largest image; one stored as PNG (which GDK-Pixbuf's
    // icon loader refuses) is read as the PNG it is, any other handed over
    // in an icon of its own.
    IconImage icon;
    std::vector<uint8_t> single;
    if (kind == ImageKind::Ico && LargestIconImage(data, size, icon)) {
        if (icon.isPng)
            return DecodeImage(data + icon.offset, icon.size, maxPixels, image, error);
        single.assign(data, data + 6);
        single[4] = 1;
        single[5] = 0;
        const uint8_t* entry = data + 6 + 16 * size_t(icon.index);
        single.insert(single.end(), entry, entry + 12);
        const uint8_t at[4] = {22, 0, 0, 0};
        single.insert(single.end(), at, at + 4);
        single.insert(single.end(), data + icon.offset, data + icon.offset + icon.size);
        data = single.data();
        size = single.size();
    }
    static bool quiet = false;
    if (!quiet) {
        // Every level and every domain, the structured way of logging too.
        const GLogLevelFlags all =
            GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
        for (const char* domain : {"GdkPixbuf", "GLib", "GLib-GObject", "GModule", "GLib-GIO"})
            g_log_set_handler(domain, all, Silence, nullptr);
        g_log_set_default_handler(Silence, nullptr);
        g_log_set_writer_func(SilentWriter, nullptr, nullptr);
        quiet = true;
    }

    GError* failure = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, &failure);
    if (loader == nullptr) {
        error = format + " images cannot be read here (" + OneLine(failure) + ")";
        g_clear_error(&failure);
        return 0;
    }
    SizeCheck check;
    check.maxPixels = maxPixels;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &check);
    gboolean read = gdk_pixbuf_loader_write(loader, data, size, &failure);
    // Closing reports a file that ends too early; after a failed write only
    // the first error counts.
    gboolean closed = gdk_pixbuf_loader_close(loader, read ? &failure : nullptr);

    int decoded = 0;
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (check.refused) {
        error = check.width > 0 && check.height > 0 ? ImageTooLarge(check.width, check.height)
                                                    : "damaged " + format + " image (no pixels)";
    } else if (!read || !closed || pixbuf == nullptr) {
        error = "damaged " + format + " image (" + OneLine(failure) + ")";
    } else if (int64_t(gdk_pixbuf_get_width(pixbuf)) * gdk_pixbuf_get_height(pixbuf) > maxPixels) {
        error = ImageTooLarge(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
    } else if (!CopyPixels(pixbuf, image)) {
        error = format + " image in a sample format this program cannot use";
    } else {
        decoded = 1;
    }
    g_clear_error(&failure);
    g_object_unref(loader);
    return decoded;
}
