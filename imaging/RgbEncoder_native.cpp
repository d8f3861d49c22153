// EncodeRgb through GDK-Pixbuf's PNG and BMP savers.
#include "imaging/RgbEncoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

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
    g_free(buffer);
    g_object_unref(pixbuf);
    return out;
}
