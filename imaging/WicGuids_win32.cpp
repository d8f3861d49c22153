// The identifiers of the Imaging Component's classes, interfaces, containers
// and pixel formats, defined here rather than taken from libuuid: its one
// object holds all of them, 13 KB, where the linker keeps only those used of
// these.
#include <initguid.h>

#include <wincodec.h>
