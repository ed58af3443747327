// The SDL backend's costs: presenting a frame, the delay from starting a
// sound to its first sample in the device's buffer, and the processor share
// of an idle wait for input. Without a display (no DISPLAY) it runs on SDL's
// dummy video and, unless SDL_AUDIODRIVER says otherwise, dummy audio; the
// audio driver measured is the benchmark's label.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/sdl/sdl_probe.h"
#include "platform/backend/sdl/sdl_scaler.h"
#include "platform/gfx/graphics.h"

namespace {

backend::Backend& TheBackend() {
    static std::unique_ptr<backend::Backend> b = [] {
        if (!std::getenv("DISPLAY")) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            setenv("SDL_AUDIODRIVER", "dummy", 0);
        }
        return backend::CreateSdlBackend();
    }();
    return *b;
}

std::int64_t SteadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Range 0: the 640x480 window; 1: full screen, the picture scaled to fit.
// Each present is a whole changed frame.
void BM_Present(benchmark::State& state) {
    backend::Backend& b = TheBackend();
    const bool fullScreen = state.range(0) != 0;
    b.SetFullscreen(fullScreen);
    Surface screen;
    screen.width = backend::kScreenWidth;
    screen.height = backend::kScreenHeight;
    screen.pixels.resize(std::size_t(screen.width) * std::size_t(screen.height) * 3);
    for (std::size_t i = 0; i < screen.pixels.size(); ++i) screen.pixels[i] = Byte(i * 7 / 3);
    Byte frame = 0;
    for (auto _ : state) {
        screen.pixels[0] = frame++;  // a new frame each time
        b.Present(screen);
    }
    b.SetFullscreen(false);
    state.SetLabel(std::string(std::getenv("DISPLAY") ? "display" : "dummy video") +
                   (fullScreen ? ", full screen, " : ", window, ") + backend::sdl::PresenterName(b));
}
BENCHMARK(BM_Present)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Full screen, a frame of which only a name plate's area changed (what a
// mouse move over the town presents).
void BM_PresentChangedArea(benchmark::State& state) {
    backend::Backend& b = TheBackend();
    b.SetFullscreen(true);
    Surface screen;
    screen.Resize(backend::kScreenWidth, backend::kScreenHeight, clBlack);
    const TRect plate = Bounds(300, 200, 150, 30);
    Byte shade = 0;
    for (auto _ : state) {
        ++shade;
        for (int y = plate.Top; y < plate.Bottom; ++y)
            std::memset(screen.Row(y) + plate.Left * 3, shade, std::size_t(plate.Width()) * 3);
        b.Present(screen, plate);
    }
    b.SetFullscreen(false);
    state.SetLabel(backend::sdl::PresenterName(b));
}
BENCHMARK(BM_PresentChangedArea)->Unit(benchmark::kMicrosecond);

// The scaler alone, the whole picture into a window's pixels in memory, and
// the cost of writing that many window bytes at all (the floor): range 0
// the window's bytes written, 1 scaled 1:1 (640x480), 2 at x1.6 (1024x768),
// 3 at x2 (1280x960).
void BM_ScaleWholePicture(benchmark::State& state) {
    static const int kSizes[][2] = {{1024, 768}, {640, 480}, {1024, 768}, {1280, 960}};
    const int which = int(state.range(0));
    const int width = kSizes[which][0];
    const int height = kSizes[which][1];
    Surface picture;
    picture.Resize(backend::kScreenWidth, backend::kScreenHeight, clBlack);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = Byte(i * 7 / 3);
    std::vector<std::uint8_t> window(std::size_t(width) * std::size_t(height) * 4);
    backend::sdl::PictureScaler scaler;
    scaler.SetViewport(backend::sdl::Viewport(width, height));
    const TRect all = Rect(0, 0, width, height);
    std::uint8_t shade = 0;
    for (auto _ : state) {
        if (which == 0) {
            std::memset(window.data(), ++shade, window.size());
        } else {
            scaler.Scale(picture, all, window.data(), width * 4);
        }
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(which == 0 ? "writing 1024x768 window pixels" : std::to_string(width) + "x" + std::to_string(height));
}
BENCHMARK(BM_ScaleWholePicture)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// Time from PlaySound to the callback's first copy of that sound, started
// at a random phase of the device's buffer period. Range 0: each sound
// replaces one still playing; 1: each starts from silence (the last ended
// well before), once the sound server's first seconds have passed, so the
// device's wait while nothing plays is what the sound ends.
void BM_SoundLatency(benchmark::State& state) {
    backend::Backend& b = TheBackend();
    const std::string driver = backend::sdl::AudioDriverName(b);
    if (driver.empty()) {
        state.SkipWithError("no audio device");
        return;
    }
    const bool fromSilence = state.range(0) != 0;
    auto sound = std::make_shared<backend::SoundBuffer>();
    sound->samples.assign(44100 * 2 / (fromSilence ? 50 : 4), 1000);  // 20 or 250 ms
    if (fromSilence) std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    std::mt19937 random(1);
    std::uniform_int_distribution<int> phaseUs(0, 12000);
    double worstMs = 0;
    double totalMs = 0;
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::microseconds(phaseUs(random) + (fromSilence ? 100000 : 0)));
        const std::int64_t start = SteadyNowNs();
        b.PlaySound(0, sound, false);
        std::int64_t mixed = 0;
        while ((mixed = backend::sdl::SoundFirstMixedNs(b)) < start) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        const double ms = double(mixed - start) * 1e-6;
        worstMs = std::max(worstMs, ms);
        totalMs += ms;
        state.SetIterationTime(ms * 1e-3);
    }
    b.StopSound(0);
    state.counters["mean_ms"] = totalMs / double(state.iterations());
    state.counters["worst_ms"] = worstMs;
    state.SetLabel("audio driver " + driver + (fromSilence ? ", from silence" : ", replacing a sound"));
}
BENCHMARK(BM_SoundLatency)->Arg(0)->Arg(1)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

// The process's processor share during a WaitEvent wait with nothing to
// do; the second run has a looped sound playing in the audio callback.
void BM_IdleWaitCpu(benchmark::State& state) {
    backend::Backend& b = TheBackend();
    const bool playing = state.range(0) != 0;
    if (playing) {
        auto loop = std::make_shared<backend::SoundBuffer>();
        loop->samples.assign(44100 * 2, 500);
        b.PlaySound(1, loop, true);
    }
    constexpr std::uint32_t kWaitMs = 3000;
    double cpuShare = 0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const std::uint32_t start = b.Ticks();
        backend::Event ev;
        while (b.Ticks() - start < kWaitMs) {
            b.WaitEvent(ev, std::int64_t(kWaitMs - (b.Ticks() - start)));
        }
        const double wall = double(b.Ticks() - start) * 1e-3;
        cpuShare = (ProcessCpuSeconds() - cpuStart) / wall;
    }
    b.StopSound(1);
    state.counters["cpu_percent"] = cpuShare * 100.0;
    state.SetLabel(playing ? "a sound playing" : "silent");
}
BENCHMARK(BM_IdleWaitCpu)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
