#include "convert/OutputFile.h"

#include <cstdio>
#include <string>

// TEMPORARY until the shared replacement-file helper is on this branch: write
// beside the target under another name, then rename it into place.
int WriteOutputFile(const char* path, const void* data, size_t size) {
    std::string temporary = std::string(path) + ".pixmint-tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return 0;
    bool written = std::fwrite(data, 1, size, file) == size;
    written = std::fclose(file) == 0 && written;
    if (written) {
        std::remove(path); // Windows does not rename over an existing file
        if (std::rename(temporary.c_str(), path) == 0)
            return 1;
    }
    std::remove(temporary.c_str());
    return 0;
}
