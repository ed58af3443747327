// For measuring only: with VELAMO_PRESENT_LOG=FILE the SDL backend appends
// one line per present to FILE: the steady clock in nanoseconds when the
// present began and when it returned, the changed area's size in pixels,
// and a hash of the whole 640x480 frame (equal hashes: an identical frame).
// The hash is taken before the timed part.
#pragma once

#include <cstdint>
#include <cstdio>

struct Surface;

namespace backend::sdl {

class PresentLog {
public:
    PresentLog();
    ~PresentLog();
    PresentLog(const PresentLog&) = delete;
    PresentLog& operator=(const PresentLog&) = delete;

    bool On() const { return file_ != nullptr; }
    // Around one present: Begin before it, End after it returned.
    void Begin(const Surface& screen, long changedPixels);
    void End();

private:
    std::FILE* file_ = nullptr;
    std::int64_t beganNs_ = 0;
    std::uint64_t hash_ = 0;
    long changedPixels_ = 0;
};

}  // namespace backend::sdl
