#include "platform/backend/headless/headless.h"

#include <algorithm>

namespace headless {

namespace {
// Reading the clock this many times without a wait moves it by 1 ms, so
// that a loop polling the clock ends on virtual time too.
constexpr int kPollsPerMs = 1000;

bool IsMouse(backend::EventKind k) {
    return k == backend::EventKind::MouseMove || k == backend::EventKind::MouseDown ||
           k == backend::EventKind::MouseUp;
}
}  // namespace

HeadlessBackend::HeadlessBackend(std::uint32_t startTick) : startTick_(startTick) {
    frame_.Resize(backend::kScreenWidth, backend::kScreenHeight, clBlack);
    pointer_ = {backend::kScreenWidth / 2, backend::kScreenHeight / 2};
}

std::uint32_t HeadlessBackend::Ticks() {
    if (++pollsWithoutWait_ >= kPollsPerMs) {
        pollsWithoutWait_ = 0;
        Advance(now_ + 1);
    }
    return std::uint32_t(startTick_ + now_);
}

void HeadlessBackend::Advance(std::uint64_t to) {
    pollsWithoutWait_ = 0;
    if (to > now_) now_ = to;
    Arrive();
    CheckTimeLimit();
}

// Input whose time has come is taken off the script; the pointer follows
// it at once, whether or not the program has read it yet.
void HeadlessBackend::Arrive() {
    while (!script_.empty() && script_.front().at <= now_ && !script_.front().isCheck) {
        backend::Event ev = script_.front().ev;
        script_.pop_front();
        if (IsMouse(ev.kind)) pointer_ = {ev.x, ev.y};
        arrived_.push_back(ev);
    }
}

void HeadlessBackend::CheckTimeLimit() {
    if (timeLimit_ == 0 || limitHit_ || now_ < timeLimit_) return;
    limitHit_ = true;
    Notice("headless: time limit reached");
    if (idle_) idle_();
}

bool HeadlessBackend::RunDueCheck() {
    if (script_.empty() || !script_.front().isCheck || script_.front().at > now_) return false;
    if (!arrived_.empty()) return false;  // input that came earlier goes first
    std::function<void()> check = std::move(script_.front().check);
    script_.pop_front();
    if (check) check();
    Arrive();
    return true;
}

bool HeadlessBackend::TakeArrived(backend::Event& ev) {
    if (arrived_.empty()) return false;
    ev = arrived_.front();
    arrived_.pop_front();
    return true;
}

void HeadlessBackend::Sleep(std::uint32_t ms) { Advance(now_ + ms); }

bool HeadlessBackend::PollEvent(backend::Event& ev) {
    Arrive();
    while (RunDueCheck()) {
    }
    return TakeArrived(ev);
}

bool HeadlessBackend::WaitEvent(backend::Event& ev, std::int64_t timeoutMs) {
    std::uint64_t deadline = timeoutMs < 0 ? UINT64_MAX : now_ + std::uint64_t(timeoutMs);
    for (;;) {
        if (PollEvent(ev)) return true;
        if (!script_.empty() && script_.front().at <= deadline) {
            Advance(script_.front().at);
            if (PollEvent(ev)) return true;
            // A check ran: it may have changed what the caller waits for.
            return false;
        }
        if (timeoutMs < 0) {
            if (idle_) idle_();
            return false;
        }
        Advance(deadline);
        return PollEvent(ev);
    }
}

void HeadlessBackend::Present(const Surface& screen, const TRect&) {
    frame_ = screen;
    ++frames_;
    if (presentObserver_) presentObserver_(frame_);
}

TPoint HeadlessBackend::PointerPos() {
    Arrive();
    return pointer_;
}

void HeadlessBackend::SetCursor(const backend::CursorData& cursor) { cursor_ = &cursor; }

void HeadlessBackend::ShowPointer(bool visible) { pointerVisible_ = visible; }

void HeadlessBackend::SetFullscreen(bool on) { fullscreen_.push_back(on); }

void HeadlessBackend::PlaySound(int channel, std::shared_ptr<const backend::SoundBuffer> sound, bool loop) {
    std::uint32_t duration = sound ? sound->DurationMs() : 0;
    sounds_.push_back({now_, channel, true, loop, duration, std::move(sound)});
}

void HeadlessBackend::StopSound(int channel) { sounds_.push_back({now_, channel, false, false, 0, nullptr}); }

void HeadlessBackend::Notice(const String& what) {
    notices_.push_back({now_, std::uint32_t(startTick_ + now_), what});
    if (noticeObserver_) noticeObserver_(notices_.back());
}

void HeadlessBackend::Schedule(std::uint64_t atMs, const backend::Event& ev) {
    Item item{atMs, seq_++, false, ev, {}};
    auto pos = std::upper_bound(script_.begin(), script_.end(), atMs,
                                [](std::uint64_t t, const Item& i) { return t < i.at; });
    script_.insert(pos, std::move(item));
    Arrive();
}

void HeadlessBackend::ScheduleCheck(std::uint64_t atMs, std::function<void()> check) {
    Item item{atMs, seq_++, true, {}, std::move(check)};
    auto pos = std::upper_bound(script_.begin(), script_.end(), atMs,
                                [](std::uint64_t t, const Item& i) { return t < i.at; });
    script_.insert(pos, std::move(item));
}

std::size_t HeadlessBackend::PendingChecks() const {
    return std::size_t(std::count_if(script_.begin(), script_.end(), [](const Item& i) { return i.isCheck; }));
}

}  // namespace headless
