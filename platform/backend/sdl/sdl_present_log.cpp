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

void PresentLog::Begin(const Surface& screen, long changedPixels) {
    if (!file_) return;
    hash_ = std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(screen.pixels.data()), screen.pixels.size()));
    changedPixels_ = changedPixels;
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
