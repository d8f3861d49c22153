// Writing an output file whole or not at all.
#pragma once

#include <cstddef>

// 1 when the path now holds exactly these bytes. On failure the path is left
// as it was and no temporary file remains.
int WriteOutputFile(const char* path, const void* data, size_t size);
