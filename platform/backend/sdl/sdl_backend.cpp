// The SDL backend: one window showing the 640x480 screen, scaled to fit with
// black borders in full screen; the monotonic clock; mouse, keys and text;
// two sound channels mixed in the audio callback.
//
// Presenting: only the changed area of a frame goes to the display. The
// picture is drawn by our own scaler into the window's surface where the
// machine has no graphics card (SDL's renderers would draw in software
// too, slower), through SDL's accelerated renderer where it has one and
// that measures faster on the first full-screen frames.
#include "platform/backend/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/backend/sdl/sdl_channels.h"
#include "platform/backend/sdl/sdl_cursors.h"
#include "platform/backend/sdl/sdl_keys.h"
#include "platform/backend/sdl/sdl_present_log.h"
#include "platform/backend/sdl/sdl_presenters.h"
#include "platform/backend/sdl/sdl_probe.h"
#include "platform/backend/sdl/sdl_sound_device.h"
#include "platform/backend/sdl/sdl_viewport.h"
#include "platform/backend/sdl/sdl_x11.h"
#include "platform/core/exceptions.h"
#include "platform/gfx/graphics.h"

namespace backend {

namespace {

template <auto Destroy>
struct SdlDeleter {
    template <typename T>
    void operator()(T* p) const { Destroy(p); }
};

// SDL's video, from the first member constructed to the last destroyed.
class VideoSession {
public:
    VideoSession() {
        // Signals keep their default action: the program never changes the
        // display mode, so a kill leaves nothing to restore.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        // Presenting must not wait for the display's refresh.
        SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
        // The window's surface is the system's own image (shared memory on
        // X), not a texture of a renderer: the software path uploads only
        // the changed rectangle through it.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_SetHint(SDL_HINT_APP_NAME, "Velamo");
        if (!StartVideo()) {
            const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
            const String why = named && *named ? String(" (") + SDL_GetError() + ")" : String();
            SDL_Quit();
            throw Exception("the program needs a graphical display, and none could be opened" + why);
        }
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;
    ~VideoSession() { SDL_Quit(); }

private:
    // The driver SDL_VIDEODRIVER names; else the first of SDL's drivers that
    // shows something on a screen. The ones that draw nowhere (offscreen,
    // dummy) would leave a program nobody sees running for ever; Wayland is
    // not tried without the runtime folder its socket lies in (its library
    // would only print that it is missing).
    static bool StartVideo() {
        const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
        if (named && *named) return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        const bool waylandReachable = std::getenv("WAYLAND_DISPLAY") || (runtime && *runtime);
        for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
            const std::string driver = SDL_GetVideoDriver(i);
            if (DrawsNowhere(driver) || (driver == "wayland" && !waylandReachable)) continue;
            SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
            const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
            SDL_ResetHint(SDL_HINT_VIDEODRIVER);
            if (started) return true;
        }
        return false;
    }
    static bool DrawsNowhere(const std::string& driver) {
        return driver == "offscreen" || driver == "dummy" || driver == "evdev";
    }
};

// The sound device, playing what the mixer mixes; closed (silent) when no
// device could be opened. It is opened once, as the backend starts, and kept
// open for the whole run: a PulseAudio server may take the first second or
// so of a new stream at once and then ask for nothing for up to two seconds
// (with every buffer size; the server's timing, not ours), so a sound started
// then is late. Opened at the start, that time falls on the silent splash.
// After it the callback waits while nothing plays: no buffers of silence go
// to the device, and the next sound starts with the next buffer.
class AudioOut {
public:
    explicit AudioOut(sdl::ChannelMixer& mixer) : mixer_(mixer) {
        sdl::QuietenSoundLibrary();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            sdl::SaySoundIsOff();
            return;
        }
        SDL_AudioSpec want{};
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        // 512 frames are 11.6 ms: a sound started by a click reaches the
        // device within one buffer.
        want.samples = 512;
        want.callback = &AudioOut::Fill;
        want.userdata = &mixer;
        // No obtained spec: SDL converts to whatever the device takes.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (device_ == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            sdl::SaySoundIsOff();
            return;
        }
        SDL_PauseAudioDevice(device_, 0);
        const auto steadyFrom = (std::chrono::steady_clock::now() + kSteadyStart).time_since_epoch();
        mixer.WaitWhileSilent(std::chrono::duration_cast<std::chrono::nanoseconds>(steadyFrom).count());
    }
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;
    ~AudioOut() {
        if (device_ == 0) return;
        mixer_.Release();
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open() const { return device_ != 0; }

private:
    // The sound server's start-up, fed a steady stream of silence.
    static constexpr std::chrono::seconds kSteadyStart{3};

    static void Fill(void* mixer, Uint8* stream, int len) {
        static_cast<sdl::ChannelMixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream),
                                                    std::size_t(len) / (2 * sizeof(std::int16_t)));
    }

    sdl::ChannelMixer& mixer_;
    SDL_AudioDeviceID device_ = 0;
};

TPoint ClampToScreen(int x, int y) {
    return TPoint{std::clamp(x, 0, kScreenWidth - 1), std::clamp(y, 0, kScreenHeight - 1)};
}

int MouseButtonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return mbLeft;
        case SDL_BUTTON_RIGHT: return mbRight;
        case SDL_BUTTON_MIDDLE: return mbMiddle;
        default: return -1;
    }
}

class SdlBackend final : public Backend {
public:
    SdlBackend();

    std::uint32_t Ticks() override { return std::uint32_t(SDL_GetTicks64()); }
    void Sleep(std::uint32_t ms) override { SDL_Delay(ms); }
    bool PollEvent(Event& ev) override;
    bool WaitEvent(Event& ev, std::int64_t timeoutMs) override;
    using Backend::Present;
    void Present(const Surface& screen, const TRect& changed) override;
    TPoint PointerPos() override;
    void SetCursor(const CursorData& cursor) override;
    void ShowPointer(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
    void SetFullscreen(bool on) override;
    DesktopMode DesktopDisplayMode() override;
    void PlaySound(int channel, std::shared_ptr<const SoundBuffer> sound, bool loop) override;
    void StopSound(int channel) override { PlaySound(channel, nullptr, false); }
    // Pushing an event is safe from any thread; the quit event ends a wait.
    void RequestQuit() override {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }

    std::string AudioDriver() const { return audio_.Open() ? SDL_GetCurrentAudioDriver() : ""; }
    std::int64_t FirstMixedNs() const { return mixer_.FirstMixedNs(); }
    std::string PresenterName() const { return presenter_ ? presenter_->Name() : ""; }
    bool ReadWindowPixel(int x, int y, std::uint32_t& rgb) { return presenter_ && presenter_->ReadPixel(x, y, rgb); }

private:
    // Fills `out` from an SDL event the program sees; false for the events
    // the backend handles itself or ignores.
    bool Translate(const SDL_Event& e, Event& out);
    bool TranslateWindowEvent(const SDL_WindowEvent& e, Event& out);
    void MouseEvent(EventKind kind, int x, int y, Event& out) const;
    // The pointer's live place in window coordinates, read again where the
    // window moved or changed size under it (no motion event tells then).
    void RefreshPointer();
    // A press's or release's place in window coordinates.
    void ButtonPlace(const SDL_MouseButtonEvent& e, int& x, int& y) const;
    // A press on the window takes the input focus where no window manager
    // gives it (none ever did, it ended, or the window was mapped past it):
    // else a program that once lost the focus would stay deactivated, in its
    // small window, for good.
    void FocusOnPressWithoutManager();
    // Shows the last frame again: after a size change, an uncovering, a switch.
    void Show();
    // The window's size as the picture and the mouse are placed in it.
    sdl::Viewport CurrentViewport() const;
    // SDL's full screen switch, the pointer left where it was on the screen.
    void SwitchFullscreen(Uint32 flags);
    // Shows the new window. A window manager that has not shown it within a
    // short time (one in the first moments of its own start-up may lose the
    // request) is passed by: the window is mapped, sized and focused by the
    // program itself, as without a window manager.
    void MapWindow();
    // Whether a window manager carries out the window's full screen and
    // focus: one runs, and the window was not mapped past it.
    bool ManagedWindow() const;
    void ChoosePresenter();
    // With an accelerated renderer that may be slower than our software
    // path: on the first frame that covers the whole display, both show it a
    // few times and the faster one stays.
    void TryBothPresenters();
    bool WindowCoversDisplay() const;

    VideoSession video_;
    std::unique_ptr<SDL_Window, SdlDeleter<SDL_DestroyWindow>> window_;
    std::unique_ptr<sdl::Presenter> presenter_;
    bool trialPending_ = false;
    Surface frame_;          // the picture as last presented
    // Full screen by sizing the window to the display ourselves (no window
    // manager would carry out SDL's request).
    bool coveringByHand_ = false;
    bool mappedPastTheManager_ = false;
    Uint32 mouseButtons_ = 0;  // SDL button mask as the events so far left it
    // The pointer in window coordinates as the events so far left it. SDL
    // gives a press the place of the last motion, which a change of the
    // window's place or size under a still pointer leaves stale: until the
    // next motion a press is placed where the X server says the pointer is.
    int pointerX_ = 0;
    int pointerY_ = 0;
    bool pointerFromServer_ = false;
    sdl::CursorCache cursors_;
    sdl::PresentLog presentLog_;
    sdl::ChannelMixer mixer_;  // outlives the device that calls it
    AudioOut audio_;
};

SdlBackend::SdlBackend() : audio_(mixer_) {
    // Made hidden and shown by MapWindow: SDL's own showing would wait for
    // the window manager without a bound.
    window_.reset(SDL_CreateWindow("Velamo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                   kScreenHeight, SDL_WINDOW_HIDDEN));
    if (!window_) throw Exception(String("Cannot open the window: ") + SDL_GetError());
    sdl::EndWhenTheDisplayIsLost(window_.get());
    MapWindow();
    frame_.Resize(kScreenWidth, kScreenHeight, clBlack);
    ChoosePresenter();
    SDL_StartTextInput();
    RefreshPointer();
    Show();
}

void SdlBackend::MapWindow() {
    constexpr int kManagerBoundMs = 500;
    SDL_Window* w = window_.get();
    if (!sdl::MapWithin(w, kManagerBoundMs)) mappedPastTheManager_ = sdl::MapPastTheManager(w, kManagerBoundMs);
    // Nobody else gives an unmanaged window the focus.
    if (!ManagedWindow()) SDL_SetWindowInputFocus(w);
    // SDL learns of the map from its events: until then it takes the window
    // for hidden (and a renderer made now would draw nothing).
    SDL_PumpEvents();
}

bool SdlBackend::ManagedWindow() const { return !mappedPastTheManager_ && sdl::WindowManagerRuns(window_.get()); }

void SdlBackend::ChoosePresenter() {
    // SDL_RENDER_DRIVER names a renderer ("software": our own path).
    const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (named && *named && SDL_strcasecmp(named, "software") == 0) {
        presenter_ = sdl::MakeSurfacePresenter(window_.get());
        return;
    }
    // Without a graphics device every OpenGL is a software rasteriser: not
    // even loaded then (it alone would hold tens of megabytes).
    if (!(named && *named) && !sdl::GraphicsDevicePresent()) {
        presenter_ = sdl::MakeSurfacePresenter(window_.get());
        return;
    }
    presenter_ = sdl::MakeRendererPresenter(window_.get(), SDL_RENDERER_ACCELERATED);
    if (presenter_ && !(named && *named)) {
        SDL_Renderer* renderer = SDL_GetRenderer(window_.get());
        if (renderer && sdl::RendersInSoftware(renderer)) {
            presenter_.reset();
        } else {
            trialPending_ = true;
        }
    }
    if (!presenter_) presenter_ = sdl::MakeSurfacePresenter(window_.get());
}

bool SdlBackend::WindowCoversDisplay() const {
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_.get()), &bounds) != 0) return false;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_.get(), &width, &height);
    return width == bounds.w && height == bounds.h;
}

void SdlBackend::TryBothPresenters() {
    trialPending_ = false;
    constexpr int kTries = 4;
    auto fastest = [this] {
        double best = 1e9;
        for (int i = 0; i < kTries; ++i) {
            const Uint64 start = SDL_GetPerformanceCounter();
            presenter_->Show(frame_, TRect{}, true);
            best = std::min(best, double(SDL_GetPerformanceCounter() - start));
        }
        return best;
    };
    const double accelerated = fastest();
    presenter_.reset();
    presenter_ = sdl::MakeSurfacePresenter(window_.get());
    const double software = fastest();
    if (accelerated < software) {
        presenter_.reset();
        presenter_ = sdl::MakeRendererPresenter(window_.get(), SDL_RENDERER_ACCELERATED);
        if (!presenter_) presenter_ = sdl::MakeSurfacePresenter(window_.get());
        presenter_->Show(frame_, TRect{}, true);
    }
}

sdl::Viewport SdlBackend::CurrentViewport() const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_.get(), &width, &height);
    return sdl::Viewport(width, height);
}

bool SdlBackend::PollEvent(Event& ev) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (Translate(e, ev)) return true;
    }
    return false;
}

bool SdlBackend::WaitEvent(Event& ev, std::int64_t timeoutMs) {
    SDL_Event e;
    if (timeoutMs < 0) {
        while (SDL_WaitEvent(&e)) {
            if (Translate(e, ev)) return true;
        }
        return false;
    }
    const Uint64 deadline = SDL_GetTicks64() + Uint64(timeoutMs);
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        const Uint64 left = now >= deadline ? 0 : deadline - now;
        if (!SDL_WaitEventTimeout(&e, int(std::min<Uint64>(left, INT_MAX)))) return false;
        if (Translate(e, ev)) return true;
    }
}

void SdlBackend::MouseEvent(EventKind kind, int x, int y, Event& out) const {
    // Window coordinates through the picture's transform; on the black
    // borders of full screen they lie outside the picture.
    const TPoint picture = CurrentViewport().ToPicture(x, y);
    const TPoint p = ClampToScreen(picture.X, picture.Y);
    out.kind = kind;
    out.x = p.X;
    out.y = p.Y;
    out.shift = sdl::ShiftFromSdl(Uint16(SDL_GetModState()), mouseButtons_);
}

void SdlBackend::RefreshPointer() {
    SDL_Window* w = window_.get();
    pointerFromServer_ = sdl::PointerInWindow(w, pointerX_, pointerY_);
    if (pointerFromServer_) return;
    if (SDL_GetMouseFocus() == w) {
        SDL_GetMouseState(&pointerX_, &pointerY_);
        return;
    }
    int windowX = 0;
    int windowY = 0;
    SDL_GetGlobalMouseState(&pointerX_, &pointerY_);
    SDL_GetWindowPosition(w, &windowX, &windowY);
    pointerX_ -= windowX;
    pointerY_ -= windowY;
}

void SdlBackend::ButtonPlace(const SDL_MouseButtonEvent& e, int& x, int& y) const {
    x = pointerFromServer_ ? pointerX_ : e.x;
    y = pointerFromServer_ ? pointerY_ : e.y;
}

void SdlBackend::FocusOnPressWithoutManager() {
    SDL_Window* w = window_.get();
    if (sdl::HoldsInputFocus(w) || ManagedWindow()) return;
    // Raises the window too; the focus arrives as an event of its own.
    SDL_SetWindowInputFocus(w);
}

bool SdlBackend::Translate(const SDL_Event& e, Event& out) {
    out = Event{};
    switch (e.type) {
        case SDL_MOUSEMOTION:
            mouseButtons_ = e.motion.state;
            pointerX_ = e.motion.x;
            pointerY_ = e.motion.y;
            pointerFromServer_ = false;
            MouseEvent(EventKind::MouseMove, e.motion.x, e.motion.y, out);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = MouseButtonOf(e.button.button);
            if (button < 0) return false;
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            if (down) {
                FocusOnPressWithoutManager();
                mouseButtons_ |= SDL_BUTTON(e.button.button);
            } else {
                mouseButtons_ &= ~Uint32(SDL_BUTTON(e.button.button));
            }
            int x = 0;
            int y = 0;
            ButtonPlace(e.button, x, y);
            MouseEvent(down ? EventKind::MouseDown : EventKind::MouseUp, x, y, out);
            out.button = button;
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.key = sdl::VirtualKeyFromSdl(e.key.keysym);
            if (out.key == 0) return false;
            out.kind = e.type == SDL_KEYDOWN ? EventKind::KeyDown : EventKind::KeyUp;
            out.shift = sdl::ShiftFromSdl(e.key.keysym.mod, mouseButtons_);
            return true;
        case SDL_TEXTINPUT:
            out.kind = EventKind::TextInput;
            out.text = e.text.text;
            return !out.text.empty();
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(e.window, out);
        case SDL_QUIT:
            // Closing the one window ends in this event.
            out.kind = EventKind::Quit;
            return true;
        case SDL_RENDER_DEVICE_RESET:
            if (presenter_) presenter_->Reset();
            Show();
            return false;
        case SDL_RENDER_TARGETS_RESET:
            Show();
            return false;
        default:
            return false;
    }
}

bool SdlBackend::TranslateWindowEvent(const SDL_WindowEvent& e, Event& out) {
    switch (e.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = EventKind::FocusGained;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = EventKind::FocusLost;
            return true;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SHOWN:
            RefreshPointer();
            return false;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            RefreshPointer();
            Show();
            return false;
        default:
            return false;
    }
}

void SdlBackend::Present(const Surface& screen, const TRect& changed) {
    const bool whole = screen.width == kScreenWidth && screen.height == kScreenHeight &&
                       screen.pixels.size() >= std::size_t(screen.width) * std::size_t(screen.height) * 3;
    if (!whole) {
        // Nothing to read: the last frame again.
        Show();
        return;
    }
    const TRect area = Rect(std::max(changed.Left, 0), std::max(changed.Top, 0), std::min(changed.Right, kScreenWidth),
                            std::min(changed.Bottom, kScreenHeight));
    if (area.IsEmpty()) return;
    for (int y = area.Top; y < area.Bottom; ++y)
        std::memcpy(frame_.Row(y) + area.Left * 3, screen.Row(y) + area.Left * 3, std::size_t(area.Width()) * 3);
    if (trialPending_ && WindowCoversDisplay()) TryBothPresenters();
    presentLog_.Begin(frame_, area);
    presenter_->Show(frame_, area, false);
    presentLog_.End();
}

void SdlBackend::Show() {
    presenter_->Show(frame_, TRect{}, true);
}

TPoint SdlBackend::PointerPos() {
    // Pumping reads the window's size changes and the pointer's moves into
    // SDL's state (they stay queued as events), so that both are live also
    // after a wait that processed nothing.
    SDL_PumpEvents();
    RefreshPointer();
    const TPoint picture = CurrentViewport().ToPicture(pointerX_, pointerY_);
    return ClampToScreen(picture.X, picture.Y);
}

void SdlBackend::SetCursor(const CursorData& cursor) {
    SDL_Cursor* c = cursors_.For(cursor);
    if (c && c != SDL_GetCursor()) SDL_SetCursor(c);
}

DesktopMode SdlBackend::DesktopDisplayMode() {
    SDL_DisplayMode m{};
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &m) == 0 && m.w > 0 && m.h > 0)
        return {m.w, m.h, int(SDL_BYTESPERPIXEL(m.format)) * 8, m.refresh_rate > 0 ? m.refresh_rate : 60};
    return {};
}

void SdlBackend::SetFullscreen(bool on) {
    // Full screen over the desktop at its own resolution: the display mode
    // itself is never changed. A window manager is asked for it; without one
    // (a bare X server) nobody would carry that out, so the window is sized
    // to the display itself. A window system that refuses leaves the window
    // as it was; the picture and the mouse follow the window's real size.
    SDL_Window* w = window_.get();
    if (on) {
        if (ManagedWindow()) {
            SwitchFullscreen(SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_Rect bounds{};
            if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(w), &bounds) == 0) {
                coveringByHand_ = true;
                SDL_SetWindowBordered(w, SDL_FALSE);
                SDL_SetWindowPosition(w, bounds.x, bounds.y);
                SDL_SetWindowSize(w, bounds.w, bounds.h);
                SDL_RaiseWindow(w);
            }
        }
    } else if (coveringByHand_) {
        coveringByHand_ = false;
        SDL_SetWindowSize(w, kScreenWidth, kScreenHeight);
        SDL_SetWindowPosition(w, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        SDL_SetWindowBordered(w, SDL_TRUE);
    } else {
        SwitchFullscreen(0);
        SDL_SetWindowSize(w, kScreenWidth, kScreenHeight);
    }
    Show();
}

void SdlBackend::SwitchFullscreen(Uint32 flags) {
    SDL_Window* w = window_.get();
    int x = 0;
    int y = 0;
    const bool known = sdl::PointerOnScreen(w, x, y);
    SDL_SetWindowFullscreen(w, flags);
    int nowX = 0;
    int nowY = 0;
    if (known && sdl::PointerOnScreen(w, nowX, nowY) && (nowX != x || nowY != y)) sdl::PutPointerOnScreen(w, x, y);
}

void SdlBackend::PlaySound(int channel, std::shared_ptr<const SoundBuffer> sound, bool loop) {
    // The replaced sound is let go here, outside the mixer's lock.
    std::shared_ptr<const SoundBuffer> replaced = mixer_.Play(channel, std::move(sound), loop);
}

SdlBackend* AsSdl(Backend& b) { return dynamic_cast<SdlBackend*>(&b); }

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend() { return std::make_unique<SdlBackend>(); }

namespace sdl {

std::string AudioDriverName(Backend& backend) {
    SdlBackend* b = AsSdl(backend);
    return b ? b->AudioDriver() : std::string();
}

std::int64_t SoundFirstMixedNs(Backend& backend) {
    SdlBackend* b = AsSdl(backend);
    return b ? b->FirstMixedNs() : 0;
}

std::string PresenterName(Backend& backend) {
    SdlBackend* b = AsSdl(backend);
    return b ? b->PresenterName() : std::string();
}

bool WindowPixel(Backend& backend, int x, int y, std::uint32_t& rgb) {
    SdlBackend* b = AsSdl(backend);
    return b && b->ReadWindowPixel(x, y, rgb);
}

}  // namespace sdl

}  // namespace backend
