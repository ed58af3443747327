#include "platform/backend/headless/harness.h"

#include "platform/ui/desktop.h"
#include "platform/ui/input.h"

namespace headless {

namespace {
backend::Event MouseEvent(backend::EventKind kind, int x, int y, TMouseButton b, TShiftState shift) {
    backend::Event ev;
    ev.kind = kind;
    ev.x = x;
    ev.y = y;
    ev.button = int(b);
    ev.shift = shift;
    return ev;
}

backend::Event KeyEvent(backend::EventKind kind, Word vk, TShiftState shift) {
    backend::Event ev;
    ev.kind = kind;
    ev.key = vk;
    ev.shift = shift;
    return ev;
}
}  // namespace

Harness::Harness() : Harness(Options{}) {}

Harness::Harness(Options options) : options_(options) {
    auto b = std::make_unique<HeadlessBackend>(options_.startTick);
    backend_ = b.get();
    backend::Install(std::move(b));
    backend_->SetTimeLimit(options_.timeLimitMs);
    app_ = std::make_unique<TApplication>();
    backend_->SetIdleHandler([] {
        if (Application) Application->Terminate();
    });
    app_->MessageBoxHook = [this](const String& text, const String& caption, UINT flags) -> std::optional<int> {
        boxes_.push_back({Now(), text, caption, flags});
        if (options_.answerMessageBoxesAtOnce) return IDOK;
        return std::nullopt;
    };
}

Harness::~Harness() {
    app_.reset();
    backend::Install(nullptr);
}

void Harness::MoveTo(std::uint64_t at, int x, int y) {
    backend_->Schedule(at, MouseEvent(backend::EventKind::MouseMove, x, y, mbLeft, 0));
}

void Harness::MouseDown(std::uint64_t at, int x, int y, TMouseButton button, TShiftState shift) {
    backend_->Schedule(at, MouseEvent(backend::EventKind::MouseDown, x, y, button, shift));
}

void Harness::MouseUp(std::uint64_t at, int x, int y, TMouseButton button, TShiftState shift) {
    backend_->Schedule(at, MouseEvent(backend::EventKind::MouseUp, x, y, button, shift));
}

void Harness::Click(std::uint64_t at, int x, int y, TMouseButton button) {
    MoveTo(at, x, y);
    MouseDown(at, x, y, button);
    MouseUp(at + kClickHoldMs, x, y, button);
}

void Harness::DoubleClick(std::uint64_t at, int x, int y) {
    Click(at, x, y);
    Click(at + kDoubleClickGapMs, x, y);
}

void Harness::Key(std::uint64_t at, Word vk, TShiftState shift) {
    KeyDown(at, vk, shift);
    KeyUp(at, vk, shift);
}

void Harness::KeyDown(std::uint64_t at, Word vk, TShiftState shift) {
    backend_->Schedule(at, KeyEvent(backend::EventKind::KeyDown, vk, shift));
}

void Harness::KeyUp(std::uint64_t at, Word vk, TShiftState shift) {
    backend_->Schedule(at, KeyEvent(backend::EventKind::KeyUp, vk, shift));
}

void Harness::Type(std::uint64_t at, const String& text) {
    backend::Event ev;
    ev.kind = backend::EventKind::TextInput;
    ev.text = text;
    backend_->Schedule(at, ev);
}

void Harness::FocusLost(std::uint64_t at) {
    backend::Event ev;
    ev.kind = backend::EventKind::FocusLost;
    backend_->Schedule(at, ev);
}

void Harness::FocusGained(std::uint64_t at) {
    backend::Event ev;
    ev.kind = backend::EventKind::FocusGained;
    backend_->Schedule(at, ev);
}

void Harness::At(std::uint64_t at, std::function<void()> check) { backend_->ScheduleCheck(at, std::move(check)); }

void Harness::RunFor(std::uint64_t ms) {
    std::uint64_t end = Now() + ms;
    while (!Application->Terminated() && Now() < end) Application->Step(std::int64_t(end - Now()));
    if (!Application->Terminated()) Application->ProcessMessages();
}

bool Harness::RunUntil(const std::function<bool()>& done, std::uint64_t limitMs) {
    std::uint64_t end = Now() + limitMs;
    while (!done()) {
        if (Application->Terminated() || Now() >= end) return done();
        Application->Step(std::int64_t(end - Now()));
    }
    return true;
}

DWORD Harness::Tick() const { return backend_->StartTick() + DWORD(backend_->Elapsed()); }

TColor Harness::Pixel(int x, int y) {
    const Surface& s = ScreenSurface();
    return s.Inside(x, y) ? s.Get(x, y) : clNone;
}

const Surface& Harness::ScreenSurface() {
    Application->Desktop().Flush();
    return backend_->LastFrame();
}

std::vector<TForm*> Harness::VisibleForms() const { return Application->Desktop().ZOrder(); }

TForm* Harness::ActiveForm() const { return Screen->ActiveForm(); }

HCURSOR Harness::CursorShown() const { return backend_->CursorShown(); }

int Harness::ShowCursorCount() const { return Application->Input().ShowCount(); }

bool Harness::PointerVisible() const { return backend_->PointerVisible(); }

std::vector<String> Harness::NoticeTexts() const {
    std::vector<String> out;
    for (const TimedNotice& n : backend_->Notices()) out.push_back(n.text);
    return out;
}

}  // namespace headless
