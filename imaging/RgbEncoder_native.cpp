// EncodeRgb through GDK-Pixbuf's PNG and BMP savers.
#include "imaging/RgbEncoder.h"

#include <algorithm>

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace {

// GDK-Pixbuf's BMP saver leaves the bytes that pad each row to four bytes as
// it finds them in memory: a file would carry stray bytes of this process, and
// the same picture would not always give the same file. They are set to zero.
void ClearBmpRowPadding(std::vector<uint8_t>& bmp, int width, int height) {
    if (bmp.size() < 30 || bmp[28] != 24)
        return;
    size_t offset = bmp[10] | bmp[11] << 8 | bmp[12] << 16 | size_t(bmp[13]) << 24;
    size_t used = size_t(width) * 3;
    size_t stride = (used + 3) & ~size_t(3);
    if (offset > bmp.size() || (bmp.size() - offset) / stride < size_t(height))
        return;
    for (size_t row = 0; row < size_t(height); ++row) {
        auto start = bmp.begin() + ptrdiff_t(offset + row * stride);
        std::fill(start + ptrdiff_t(used), start + ptrdiff_t(stride), uint8_t(0));
    }
}

} // namespace

std::vector<uint8_t> EncodeRgb(ImageFormat format, int width, int height, const uint8_t* rgb) {
    const char* type = format == ImageFormat::Png   ? "png"
                       : format == ImageFormat::Bmp ? "bmp"
                                                    : nullptr;
    if (type == nullptr || width <= 0 || height <= 0 || width > G_MAXINT / 3)
        return {};
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgb, GDK_COLORSPACE_RGB, FALSE, 8, width, height,
                                                 width * 3, nullptr, nullptr);
    if (pixbuf == nullptr)
        return {};
    gchar* buffer = nullptr;
    gsize size = 0;
    std::vector<uint8_t> out;
    if (gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, type, nullptr, nullptr))
        out.assign(reinterpret_cast<uint8_t*>(buffer), reinterpret_cast<uint8_t*>(buffer) + size);
    if (format == ImageFormat::Bmp)
        ClearBmpRowPadding(out, width, height);
    g_free(buffer);
    g_object_unref(pixbuf);
    return out;
}
