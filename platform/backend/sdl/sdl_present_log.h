// For measuring only: with VELAMO_PRESENT_LOG=FILE the SDL backend appends
// one line per present to FILE: the steady clock in nanoseconds when the
// present began and when it returned, the changed area's size in pixels,
// and a hash of the whole 640x480 frame (equal hashes: an identical frame).
// The hash is taken before the timed part, row by row: only the rows of the
// changed area are hashed again, so that measuring costs little itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/core/types.h"

struct Surface;

namespace backend::sdl {

class PresentLog {
public:
    PresentLog();
    ~PresentLog();
    PresentLog(const PresentLog&) = delete;
    PresentLog& operator=(const PresentLog&) = delete;

    bool On() const { return file_ != nullptr; }
    // Around one present: Begin before it (the frame and its changed area,
    // outside which it equals the frame of the last Begin), End after it
    // returned.
    void Begin(const Surface& screen, const TRect& changed);
    void End();

private:
    std::FILE* file_ = nullptr;
    std::int64_t beganNs_ = 0;
    std::uint64_t hash_ = 0;        // every row's hash combined
    std::vector<std::uint64_t> rowHashes_;
    long changedPixels_ = 0;
};

}  // namespace backend::sdl
