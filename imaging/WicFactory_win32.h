// The Windows Imaging Component's factory, created on first use for the rest
// of the process: the converter's decoders and encoders come from it.
#pragma once

#include <wincodec.h>

// Null when COM or the imaging component is not available.
IWICImagingFactory* WicFactory();

// Releases a COM object and forgets it; null is fine.
template <typename T> void ReleaseCom(T*& object) {
    if (object != nullptr)
        object->Release();
    object = nullptr;
}
