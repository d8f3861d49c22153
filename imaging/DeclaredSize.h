// The sizes some image formats declare ahead of their pixels, read by the
// program before a library decodes the file: an XBM's #define lines (the
// library would unpack the whole bitmap before its size could be refused),
// a GIF's logical screen and first frame (a frame without pixels makes the
// library complain on standard error), and the images of an icon (the one
// both systems show is the largest).
#pragma once

#include <cstddef>
#include <cstdint>

// width and height from "#define NAME_width N" and "#define NAME_height N"
// before the bitmap's data; 0 when either is missing.
int XbmDeclaredSize(const uint8_t* data, size_t size, int64_t& width, int64_t& height);

struct GifLayout {
    uint32_t screenWidth = 0, screenHeight = 0;      // the logical screen
    uint32_t left = 0, top = 0, width = 0, height = 0; // the first frame on it
};

// The logical screen and the first frame's place on it; 0 when the file
// ends before the first frame's descriptor or holds a block GIF has not.
int ReadGifLayout(const uint8_t* data, size_t size, GifLayout& layout);

struct IconImage {
    int index = -1;      // in the directory, which is the order of the frames
    size_t offset = 0;   // of its data in the file
    size_t size = 0;
    int isPng = 0;       // stored as a PNG file (the usual form since Windows Vista)
};

// The largest image of an icon (more bits a pixel between equals), as
// GDK-Pixbuf picks it; 0 when the directory or the image lies outside the file.
int LargestIconImage(const uint8_t* data, size_t size, IconImage& image);
