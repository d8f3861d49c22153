#include "imaging/WicFactory_win32.h"

#include <objbase.h>

IWICImagingFactory* WicFactory() {
    static IWICImagingFactory* factory = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        // S_FALSE (already initialised) is as good; the process ends with COM
        // still initialised, which Windows tidies up.
        HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(started) &&
            FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))))
            factory = nullptr;
    }
    return factory;
}
