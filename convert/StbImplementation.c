/* The stb_image and stb_image_write implementations, compiled once. Only the
   formats the converter reads are built in; netpbm is read by our own code. */
#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
/* Zeroed allocations: stb_image 2.27 reads the Huffman tables of a JPEG scan
   even when the file never defined them; zeros make that a decoding error
   instead of a read of whatever the heap held. */
#include <stdlib.h>
#define STBI_MALLOC(size) calloc(1, (size))
#define STBI_REALLOC(block, size) realloc((block), (size))
#define STBI_FREE(block) free(block)
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>
