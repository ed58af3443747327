// Fetching and drawing one 320x240 frame of a scripted video: the decode
// (from its key frame) and the draw onto a window-sized canvas.
#include <benchmark/benchmark.h>

#include "platform/gfx/graphics.h"
#include "platform/media/video.h"
#include "tests/platform/media_avi_writer.h"
#include "tests/platform/media_video1_encoder.h"

namespace {

using namespace media_test;

constexpr int kWidth = 320, kHeight = 240, kFrames = 8;

Picture BenchPicture(int frame) {
    Picture p = MakePicture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            p.At(x, y) = std::uint32_t((x + frame * 3) & 0xFF) << 16 | std::uint32_t(y & 0xFF) << 8 | std::uint32_t((x ^ y) & 0xFF);
    return p;
}

Bytes UncompressedClip() {
    AviSpec spec;
    spec.width = kWidth;
    spec.height = kHeight;
    spec.bitCount = 24;
    for (int f = 0; f < kFrames; ++f) spec.frames.push_back({EncodeRgbFrame(BenchPicture(f), 24)});
    return WriteAvi(spec);
}

// Video 1, 16 bit: a key frame and delta frames that change a band of blocks.
Bytes Video1Clip() {
    AviSpec spec;
    spec.width = kWidth;
    spec.height = kHeight;
    spec.bitCount = 16;
    spec.compression = FourCC("CRAM");
    Video1Encoder encoder(true);
    Video1Picture prev;
    for (int f = 0; f < kFrames; ++f) {
        Video1Picture pic{kWidth, kHeight, std::vector<std::uint16_t>(std::size_t(kWidth) * kHeight)};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                bool band = (y / 4) % kFrames == f;
                unsigned n = unsigned(x / 4 * 31 + y / 4 * 7 + (band ? f * 101 : 0) + ((x + y) % 2));
                pic.values[std::size_t(y) * kWidth + std::size_t(x)] = std::uint16_t(n * 2731u & 0x7FFF);
            }
        spec.frames.push_back({encoder.Encode(pic, f == 0 ? nullptr : &prev), f == 0});
        prev = pic;
    }
    return WriteAvi(spec);
}

void FetchAndDraw(benchmark::State& state, const Bytes& clip) {
    AVIFileInit();
    PAVISTREAM stream = nullptr;
    if (AVIStreamOpenFromMemory(&stream, clip.data(), clip.size()) != AVIERR_OK) {
        state.SkipWithError("the video module did not open the clip");
        return;
    }
    PGETFRAME getter = AVIStreamGetFrameOpen(stream, nullptr);
    HDRAWDIB drawer = DrawDibOpen();
    Surface window;
    window.width = 640;
    window.height = 480;
    window.pixels.assign(640 * 480 * 3, 0);
    TCanvas canvas(&window);
    LONG pos = 0;
    for (auto _ : state) {
        // Alternating frames, so that every iteration decodes (a delta frame
        // from its key frame every other time).
        pos = pos == kFrames - 1 ? 1 : kFrames - 1;
        auto* header = static_cast<LPBITMAPINFOHEADER>(AVIStreamGetFrame(getter, pos));
        if (!header) {
            state.SkipWithError("frame missing");
            break;
        }
        DrawDibDraw(drawer, &canvas, 100, 150, header->biWidth, header->biHeight, header,
                    reinterpret_cast<Byte*>(header) + header->biSize, 0, 0, header->biWidth, header->biHeight,
                    DDF_SAME_HDC);
        benchmark::DoNotOptimize(window.pixels.data());
    }
    DrawDibClose(drawer);
    AVIStreamGetFrameClose(getter);
    AVIStreamRelease(stream);
    AVIFileExit();
}

void BM_FetchAndDrawUncompressed320x240(benchmark::State& state) {
    static const Bytes clip = UncompressedClip();
    FetchAndDraw(state, clip);
}
BENCHMARK(BM_FetchAndDrawUncompressed320x240)->Unit(benchmark::kMicrosecond);

void BM_FetchAndDrawVideo1_320x240(benchmark::State& state) {
    static const Bytes clip = Video1Clip();
    FetchAndDraw(state, clip);
}
BENCHMARK(BM_FetchAndDrawVideo1_320x240)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
