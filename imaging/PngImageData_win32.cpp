#include "imaging/PngImageData.h"

// Windows has no inflater for programs to call: the walk counts the bytes
// without making them.
InflateWalk MeasureImageData(BytePieces& pieces, uint64_t limit, uint64_t& produced) {
    return WalkZlibStream(pieces, limit, produced);
}
