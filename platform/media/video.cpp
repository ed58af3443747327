#include "platform/media/video.h"

#include <dlfcn.h>

#include <algorithm>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/media/modules/module_abi.h"
#include "platform/sys/system.h"

namespace {

struct AviModule {
    VelamoAviOpenFn open = nullptr;
    VelamoAviCloseFn close = nullptr;
    VelamoAviLengthFn length = nullptr;
    VelamoAviFrameFn frame = nullptr;
};

struct DrawModule {
    VelamoDrawDibDrawFn draw = nullptr;
};

// Loads a module of the system folder once for the process; the handle is
// kept, since frames it handed out may still be in use.
void* LoadModule(const char* fileName) {
    String path = sys::PlatformModuleFolder() + "/" + fileName;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

template <typename Fn>
bool Bind(void* handle, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(dlsym(handle, name));
    return fn != nullptr;
}

const AviModule* AviModuleLoaded() {
    static const AviModule* module = [] () -> const AviModule* {
        static AviModule m;
        void* handle = LoadModule("avifil32.so");
        if (!handle) return nullptr;
        bool ok = Bind(handle, "velamo_avi_open", m.open) && Bind(handle, "velamo_avi_close", m.close) &&
                  Bind(handle, "velamo_avi_length", m.length) && Bind(handle, "velamo_avi_frame", m.frame);
        return ok ? &m : nullptr;
    }();
    return module;
}

const DrawModule* DrawModuleLoaded() {
    static const DrawModule* module = [] () -> const DrawModule* {
        static DrawModule m;
        void* handle = LoadModule("msvfw32.so");
        if (!handle || !Bind(handle, "velamo_drawdib_draw", m.draw)) return nullptr;
        return &m;
    }();
    return module;
}

}  // namespace

struct AviStreamHandle {
    const AviModule* module;
    VelamoAviStream* stream;
};

struct AviGetFrameHandle {
    AviStreamHandle* stream;
};

struct DrawDibHandle {
    const DrawModule* module;
};

void AVIFileInit() { AviModuleLoaded(); }

void AVIFileExit() {}

HRESULT AVIStreamOpenFromMemory(PAVISTREAM* ppavi, const void* data, std::size_t size) {
    if (!ppavi) return AVIERR_BADPARAM;
    *ppavi = nullptr;
    const AviModule* module = AviModuleLoaded();
    if (!module) return AVIERR_UNSUPPORTED;
    VelamoAviStream* stream = module->open(static_cast<const std::uint8_t*>(data), size);
    if (!stream) return AVIERR_BADFORMAT;
    *ppavi = new AviStreamHandle{module, stream};
    return AVIERR_OK;
}

HRESULT AVIStreamOpenFromFileA(PAVISTREAM* ppavi, const char* file, DWORD fccType, LONG lParam, UINT mode,
                               CLSID* handler) {
    if (!ppavi) return AVIERR_BADPARAM;
    *ppavi = nullptr;
    if (!file) return AVIERR_BADPARAM;
    if (fccType != 0 && fccType != streamtypeVIDEO) return AVIERR_NODATA;
    std::string bytes;
    try {
        bytes = ReadDataFile(file, file_limit::kAnimation);
    } catch (const Exception&) {
        return AVIERR_FILEOPEN;
    }
    return AVIStreamOpenFromMemory(ppavi, bytes.data(), bytes.size());
}

LONG AVIStreamLength(PAVISTREAM stream) { return stream ? stream->module->length(stream->stream) : 0; }

LONG AVIStreamRelease(PAVISTREAM stream) {
    if (stream) {
        stream->module->close(stream->stream);
        delete stream;
    }
    return 0;
}

PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER wanted) {
    if (!stream) return nullptr;
    bool defaultFormat = wanted == nullptr || wanted == reinterpret_cast<LPBITMAPINFOHEADER>(1);
    if (!defaultFormat && (wanted->biCompression != BI_RGB || wanted->biBitCount != 24)) return nullptr;
    return new AviGetFrameHandle{stream};
}

void* AVIStreamGetFrame(PGETFRAME getter, LONG pos) {
    if (!getter) return nullptr;
    return const_cast<void*>(getter->stream->module->frame(getter->stream->stream, pos));
}

HRESULT AVIStreamGetFrameClose(PGETFRAME getter) {
    delete getter;
    return AVIERR_OK;
}

HDRAWDIB DrawDibOpen() {
    const DrawModule* module = DrawModuleLoaded();
    return module ? new DrawDibHandle{module} : nullptr;
}

BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst, LPBITMAPINFOHEADER lpbi,
                 void* bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT flags) {
    if (!hdd || !hdc || !lpbi || !bits || !hdc->Target()) return 0;
    Surface& surface = *hdc->Target();
    TRect clip = hdc->ClipRect();
    VelamoDrawTarget target{surface.pixels.data(), surface.width, surface.height, surface.width * 3,
                            clip.Left, clip.Top, clip.Right, clip.Bottom};
    int x = xDst + hdc->Origin.X, y = yDst + hdc->Origin.Y;
    if (dxDst <= 0) dxDst = dxSrc > 0 ? dxSrc : lpbi->biWidth;
    if (dyDst <= 0) dyDst = dySrc > 0 ? dySrc : (lpbi->biHeight < 0 ? -lpbi->biHeight : lpbi->biHeight);
    if (!hdd->module->draw(&target, x, y, dxDst, dyDst, lpbi, bits, xSrc, ySrc, dxSrc, dySrc)) return 0;
    TRect changed{std::max({x, clip.Left, 0}), std::max({y, clip.Top, 0}),
                  std::min({x + dxDst, clip.Right, surface.width}), std::min({y + dyDst, clip.Bottom, surface.height})};
    if (!changed.IsEmpty()) hdc->Changed(changed);
    return 1;
}

BOOL DrawDibClose(HDRAWDIB hdd) {
    delete hdd;
    return 1;
}
