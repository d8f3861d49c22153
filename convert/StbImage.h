// The parts of stb_image and stb_image_write this program uses; their
// implementation is compiled once, in StbImplementation.c, with only the
// formats it reads and without stdio.
#pragma once

#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
#include <stb_image.h>
#include <stb_image_write.h>
