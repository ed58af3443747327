// The headless backend: a virtual clock, scripted input at virtual times,
// the last presented frame, the pointer and cursor, the notice log and the
// sound calls. Tests and CI run every screen on it.
//
// Virtual time is counted in milliseconds since the backend was made; the
// clock (Ticks) starts at a chosen tick and wraps past 2^32. The clock only
// moves in waits: Sleep jumps by its length; WaitEvent jumps to the next
// scripted item or to its deadline, whichever comes first. A loop that only
// polls the clock sees it move by 1 ms every thousand readings.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/gfx/graphics.h"

namespace headless {

struct TimedNotice {
    std::uint64_t at;    // virtual ms since the start
    std::uint32_t tick;  // the clock then
    String text;
};

struct SoundCall {
    std::uint64_t at;
    int channel;
    bool play;           // false: a stop
    bool loop;
    std::uint32_t durationMs;
    std::shared_ptr<const backend::SoundBuffer> sound;
};

class HeadlessBackend : public backend::Backend {
public:
    explicit HeadlessBackend(std::uint32_t startTick = 0x10000);

    // backend::Backend
    std::uint32_t Ticks() override;
    void Sleep(std::uint32_t ms) override;
    bool PollEvent(backend::Event& ev) override;
    bool WaitEvent(backend::Event& ev, std::int64_t timeoutMs) override;
    using backend::Backend::Present;
    void Present(const Surface& screen, const TRect& changed) override;
    TPoint PointerPos() override;
    void SetCursor(const backend::CursorData& cursor) override;
    void ShowPointer(bool visible) override;
    void SetFullscreen(bool on) override;
    void PlaySound(int channel, std::shared_ptr<const backend::SoundBuffer> sound, bool loop) override;
    void StopSound(int channel) override;
    void Notice(const String& what) override;

    // The script. Items at the same time keep the order they were added in.
    void Schedule(std::uint64_t atMs, const backend::Event& ev);
    // Runs `check` between messages once the clock has reached atMs.
    void ScheduleCheck(std::uint64_t atMs, std::function<void()> check);
    // Checks scheduled that have not run (yet).
    std::size_t PendingChecks() const;
    bool ScriptEmpty() const { return script_.empty() && arrived_.empty(); }

    std::uint64_t Elapsed() const { return now_; }
    std::uint32_t StartTick() const { return startTick_; }

    // Called when a wait without a limit finds nothing scripted, and when
    // the clock passes the time limit: the harness ends the run there.
    void SetIdleHandler(std::function<void()> idle) { idle_ = std::move(idle); }
    void SetTimeLimit(std::uint64_t ms) { timeLimit_ = ms; }

    const Surface& LastFrame() const { return frame_; }
    int FrameCount() const { return frames_; }
    // Called with each frame as it is presented.
    void SetPresentObserver(std::function<void(const Surface&)> observer) { presentObserver_ = std::move(observer); }
    // The cursor passed last (null before any), whether the pointer shows.
    const backend::CursorData* CursorShown() const { return cursor_; }
    bool PointerVisible() const { return pointerVisible_; }
    const std::vector<bool>& FullscreenCalls() const { return fullscreen_; }
    const std::vector<TimedNotice>& Notices() const { return notices_; }
    // Called with each notice as it is made.
    void SetNoticeObserver(std::function<void(const TimedNotice&)> observer) { noticeObserver_ = std::move(observer); }
    const std::vector<SoundCall>& Sounds() const { return sounds_; }

private:
    struct Item {
        std::uint64_t at;
        std::uint64_t seq;
        bool isCheck;
        backend::Event ev;
        std::function<void()> check;
    };

    void Advance(std::uint64_t to);
    void Arrive();
    bool RunDueCheck();
    bool TakeArrived(backend::Event& ev);
    void CheckTimeLimit();

    std::uint32_t startTick_;
    std::uint64_t now_ = 0;
    std::uint64_t seq_ = 0;
    std::deque<Item> script_;          // by time, then insertion
    std::deque<backend::Event> arrived_;  // due input not yet taken
    TPoint pointer_{0, 0};
    const backend::CursorData* cursor_ = nullptr;
    bool pointerVisible_ = true;
    Surface frame_;
    int frames_ = 0;
    std::vector<bool> fullscreen_;
    std::vector<TimedNotice> notices_;
    std::function<void(const TimedNotice&)> noticeObserver_;
    std::vector<SoundCall> sounds_;
    std::function<void()> idle_;
    std::function<void(const Surface&)> presentObserver_;
    std::uint64_t timeLimit_ = 0;  // 0: none
    int pollsWithoutWait_ = 0;
    bool limitHit_ = false;
};

}  // namespace headless
