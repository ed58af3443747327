// The system's video calls: AVI streams read frame by frame, and frames
// drawn onto a canvas. The work is done by the two video modules of the
// platform's system folder (sys::PlatformModuleFolder: "avifil32.so" and
// "msvfw32.so"), loaded on first use;
// when a module is missing, the calls fail cleanly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/types.h"
#include "platform/gfx/graphics.h"
#include "platform/media/dib_format.h"
#include "platform/sys/wintypes.h"

using HRESULT = std::int32_t;

struct AviStreamHandle;
struct AviGetFrameHandle;
struct DrawDibHandle;
using PAVISTREAM = AviStreamHandle*;
using PGETFRAME = AviGetFrameHandle*;
using HDRAWDIB = DrawDibHandle*;

struct CLSID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

constexpr DWORD MakeFourCC(char a, char b, char c, char d) {
    return DWORD(Byte(a)) | DWORD(Byte(b)) << 8 | DWORD(Byte(c)) << 16 | DWORD(Byte(d)) << 24;
}
constexpr DWORD streamtypeVIDEO = MakeFourCC('v', 'i', 'd', 's');
constexpr UINT OF_READ = 0;
constexpr UINT DDF_SAME_HDC = 0x0004;

constexpr HRESULT AVIERR_OK = 0;
constexpr HRESULT AVIERR_BADFORMAT = HRESULT(0x80044066u);  // not an AVI file with a video stream
constexpr HRESULT AVIERR_FILEOPEN = HRESULT(0x8004406Cu);   // the file cannot be opened
constexpr HRESULT AVIERR_NODATA = HRESULT(0x8004406Fu);     // no stream of the asked type
constexpr HRESULT AVIERR_BADPARAM = HRESULT(0x8004406Eu);   // a nil handle or an unsupported argument
constexpr HRESULT AVIERR_UNSUPPORTED = HRESULT(0x80044065u);  // the video module is missing

// Loads the AVI module; every AVIFileInit is matched by an AVIFileExit.
void AVIFileInit();
void AVIFileExit();

// Opens the first video stream (fccType streamtypeVIDEO, or 0) of a file
// given by a program path; the whole file is read at once. lParam, mode and
// handler are not used. 0 and *ppavi set on success, else an AVIERR_ code
// and *ppavi nil.
HRESULT AVIStreamOpenFromFileA(PAVISTREAM* ppavi, const char* file, DWORD fccType, LONG lParam, UINT mode,
                               CLSID* handler);
// The same for the bytes of an AVI file in memory (tests, fuzzing).
HRESULT AVIStreamOpenFromMemory(PAVISTREAM* ppavi, const void* data, std::size_t size);
LONG AVIStreamLength(PAVISTREAM stream);
// Releases the stream (and frame getters still open on it): returns 0.
LONG AVIStreamRelease(PAVISTREAM stream);

// A frame getter giving 24-bit frames. wanted: nil (or 1) for the default
// format; a header asking for anything but 24-bit uncompressed rows gives nil.
PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER wanted);
// Frame pos as a packed DIB: a 40-byte header (24 bits, uncompressed,
// positive height: bottom row first) directly followed by its rows. Valid
// until the next call on the getter. nil when the frame is out of range or
// cannot be decoded (or the getter is nil).
void* AVIStreamGetFrame(PGETFRAME getter, LONG pos);
HRESULT AVIStreamGetFrameClose(PGETFRAME getter);

// nil when the drawing module is missing.
HDRAWDIB DrawDibOpen();
// Draws the source rectangle of a DIB (8, 16, 24 or 32 bits, uncompressed,
// either row order) into the destination rectangle of the canvas,
// stretched when the sizes differ; a destination size of -1 (or 0) takes
// the source size, a source size of -1 (or 0) the whole DIB. Clipped to
// the canvas; the change reaches the screen through the canvas. Flags are
// accepted and not needed.
BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst, LPBITMAPINFOHEADER lpbi,
                 void* bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT flags);
BOOL DrawDibClose(HDRAWDIB hdd);
