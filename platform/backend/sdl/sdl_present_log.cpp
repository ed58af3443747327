#include "platform/backend/sdl/sdl_present_log.h"

#include <time.h>

#include <cstdlib>
#include <functional>
#include <string_view>

#include "platform/gfx/graphics.h"

namespace backend::sdl {

namespace {
std::int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}
}  // namespace

PresentLog::PresentLog() {
    const char* path = std::getenv("VELAMO_PRESENT_LOG");
    if (path && *path) file_ = std::fopen(path, "a");
}

PresentLog::~PresentLog() {
    if (file_) std::fclose(file_);
}

void PresentLog::Begin(const Surface& screen, const TRect& changed) {
    if (!file_) return;
    int top = changed.Top;
    int bottom = changed.Bottom;
    if (rowHashes_.size() != std::size_t(screen.height)) {
        rowHashes_.assign(std::size_t(screen.height), 0);
        hash_ = 0;
        top = 0;
        bottom = screen.height;
    }
    const std::size_t rowBytes = std::size_t(screen.width) * 3;
    for (int y = top; y < bottom; ++y) {
        // Each row's hash depends on its place, so that rows changing places
        // change the frame's hash.
        const std::uint64_t row =
            std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(screen.Row(y)), rowBytes)) *
                0x9E3779B97F4A7C15ull +
            std::uint64_t(y);
        hash_ ^= rowHashes_[std::size_t(y)] ^ row;
        rowHashes_[std::size_t(y)] = row;
    }
    changedPixels_ = long(changed.Width()) * changed.Height();
    beganNs_ = MonotonicNs();
}

void PresentLog::End() {
    if (!file_) return;
    const std::int64_t endedNs = MonotonicNs();
    std::fprintf(file_, "%lld %lld %ld %016llx\n", static_cast<long long>(beganNs_), static_cast<long long>(endedNs),
                 changedPixels_, static_cast<unsigned long long>(hash_));
    std::fflush(file_);
}

}  // namespace backend::sdl
