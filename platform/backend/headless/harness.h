// A test harness for one test: installs the headless backend and a fresh
// Application, schedules input and checks at virtual times, pumps the loop,
// and reads back what a person would see.
//
//     headless::Harness h;
//     auto* form = new TForm(nullptr);  ... form->Show();
//     h.Click(100, 20, 30);             // at 100 ms: press, release 50 ms later
//     h.RunFor(500);
//     EXPECT_EQ(h.Pixel(20, 30), clRed);
//
// Times are virtual milliseconds since the harness started. A program that
// blocks in Application->Run is looked at with At(ms, check) and ended with
// Application->Terminate() there; when nothing is left to happen (no script,
// no timer) or the time limit passes, the harness terminates the run itself.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/ui/ui.h"

namespace headless {

struct MessageBoxRecord {
    std::uint64_t at;
    String text;
    String caption;
    UINT flags;
};

class Harness {
public:
    struct Options {
        std::uint32_t startTick = 0x10000;
        // Message boxes are answered OK at once; when false they stay open
        // and take scripted input like any form.
        bool answerMessageBoxesAtOnce = true;
        // Virtual time after which a run is ended (10 minutes).
        std::uint64_t timeLimitMs = 600000;
    };

    Harness();
    explicit Harness(Options options);
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    HeadlessBackend& Backend() { return *backend_; }

    // Input at virtual times (screen coordinates).
    void MoveTo(std::uint64_t at, int x, int y);
    void MouseDown(std::uint64_t at, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
    void MouseUp(std::uint64_t at, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
    // Move there, press at `at`, release kClickHoldMs later.
    void Click(std::uint64_t at, int x, int y, TMouseButton button = mbLeft);
    // Two clicks kDoubleClickGapMs apart.
    void DoubleClick(std::uint64_t at, int x, int y);
    // Key down and up at the same time.
    void Key(std::uint64_t at, Word vk, TShiftState shift = 0);
    void KeyDown(std::uint64_t at, Word vk, TShiftState shift = 0);
    void KeyUp(std::uint64_t at, Word vk, TShiftState shift = 0);
    // UTF-8 text as typed, one text event.
    void Type(std::uint64_t at, const String& text);
    void FocusLost(std::uint64_t at);
    void FocusGained(std::uint64_t at);
    // Runs `check` between messages inside whatever loop runs then.
    void At(std::uint64_t at, std::function<void()> check);

    static constexpr std::uint64_t kClickHoldMs = 50;
    static constexpr std::uint64_t kDoubleClickGapMs = 100;

    // Pumps the message loop for `ms` of virtual time (for tests that make
    // forms themselves rather than calling Application->Run).
    void RunFor(std::uint64_t ms);
    // Pumps until `done` answers true or `limitMs` has passed; the answer.
    bool RunUntil(const std::function<bool()>& done, std::uint64_t limitMs);
    std::uint64_t Now() const { return backend_->Elapsed(); }
    DWORD Tick() const;

    // The composed screen as presented.
    TColor Pixel(int x, int y);
    const Surface& ScreenSurface();
    // Visible forms, bottom first; the active form.
    std::vector<TForm*> VisibleForms() const;
    TForm* ActiveForm() const;
    HCURSOR CursorShown() const;
    int ShowCursorCount() const;
    bool PointerVisible() const;
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes_; }
    void AnswerMessageBoxesAtOnce(bool v) { options_.answerMessageBoxesAtOnce = v; }
    const std::vector<TimedNotice>& Notices() const { return backend_->Notices(); }
    // The notices' texts in order (without times).
    std::vector<String> NoticeTexts() const;

private:
    Options options_;
    HeadlessBackend* backend_;
    std::unique_ptr<TApplication> app_;
    std::vector<MessageBoxRecord> boxes_;
};

}  // namespace headless
