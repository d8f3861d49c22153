// What --info prints about a block file once it is the current picture.
#pragma once

#include <string>

// "kind: ...", "size: ...", "ink: ..." lines, then the picture one row a
// line, '#' for ink and '.' for background.
std::string DescribePicture();
