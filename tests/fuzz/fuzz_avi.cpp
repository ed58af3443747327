// AVI reading through the platform's video calls: open from memory, fetch
// frames in order and out of order, and draw each one given.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/graphics.h"
#include "platform/media/video.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HDRAWDIB drawer = DrawDibOpen();
    static Surface surface = [] {
        Surface s;
        s.width = 64;
        s.height = 48;
        s.pixels.assign(64 * 48 * 3, 0);
        return s;
    }();
    AVIFileInit();
    PAVISTREAM stream = nullptr;
    if (AVIStreamOpenFromMemory(&stream, data, size) == AVIERR_OK) {
        PGETFRAME getter = AVIStreamGetFrameOpen(stream, nullptr);
        LONG length = AVIStreamLength(stream);
        LONG limit = length < 32 ? length : 32;
        TCanvas canvas(&surface);
        // In order, then back to the middle and the start, then past the end.
        std::vector<LONG> order;
        for (LONG i = 0; i < limit; ++i) order.push_back(i);
        order.insert(order.end(), {LONG(limit / 2), LONG(0), length});
        for (LONG pos : order) {
            auto* header = static_cast<LPBITMAPINFOHEADER>(AVIStreamGetFrame(getter, pos));
            if (!header) continue;
            void* bits = reinterpret_cast<std::uint8_t*>(header) + header->biSize;
            DrawDibDraw(drawer, &canvas, -3, 5, -1, -1, header, bits, 0, 0, -1, -1, DDF_SAME_HDC);
            DrawDibDraw(drawer, &canvas, 1, 1, 17, 9, header, bits, 1, 1, header->biWidth - 1, 3, DDF_SAME_HDC);
        }
        AVIStreamGetFrameClose(getter);
        AVIStreamRelease(stream);
    }
    AVIFileExit();
    return 0;
}
