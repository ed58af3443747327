// The SDL backend: one window showing the 640x480 screen, scaled to fit with
// black borders in full screen; the monotonic clock; mouse, keys and text;
// two sound channels mixed in the audio callback.
#include "platform/backend/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/backend/sdl/sdl_channels.h"
#include "platform/backend/sdl/sdl_cursors.h"
#include "platform/backend/sdl/sdl_keys.h"
#include "platform/backend/sdl/sdl_probe.h"
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
        SDL_SetHint(SDL_HINT_APP_NAME, "Velamo");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            const String why = SDL_GetError();
            SDL_Quit();
            throw Exception("Cannot start the display: " + why);
        }
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;
    ~VideoSession() { SDL_Quit(); }
};

// The sound device, playing what the mixer mixes; closed (silent) when no
// device could be opened.
class AudioOut {
public:
    explicit AudioOut(sdl::ChannelMixer& mixer) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
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
            return;
        }
        SDL_PauseAudioDevice(device_, 0);
    }
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;
    ~AudioOut() {
        if (device_ == 0) return;
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open() const { return device_ != 0; }
    void Lock() { if (device_) SDL_LockAudioDevice(device_); }
    void Unlock() { if (device_) SDL_UnlockAudioDevice(device_); }

private:
    static void Fill(void* mixer, Uint8* stream, int len) {
        static_cast<sdl::ChannelMixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream),
                                                    std::size_t(len) / (2 * sizeof(std::int16_t)));
    }

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
    void Present(const Surface& screen) override;
    TPoint PointerPos() override;
    void SetCursor(const CursorData& cursor) override;
    void ShowPointer(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
    void SetFullscreen(bool on) override;
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

private:
    // Fills `out` from an SDL event the program sees; false for the events
    // the backend handles itself or ignores.
    bool Translate(const SDL_Event& e, Event& out);
    bool TranslateWindowEvent(const SDL_WindowEvent& e, Event& out);
    void MouseEvent(EventKind kind, int x, int y, Event& out) const;
    // Shows the last frame again: after a size change, an uncovering, a switch.
    void Show();
    bool EnsureTexture(int width, int height);

    VideoSession video_;
    std::unique_ptr<SDL_Window, SdlDeleter<SDL_DestroyWindow>> window_;
    std::unique_ptr<SDL_Renderer, SdlDeleter<SDL_DestroyRenderer>> renderer_;
    std::unique_ptr<SDL_Texture, SdlDeleter<SDL_DestroyTexture>> texture_;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    SDL_ScaleMode scaleMode_ = SDL_ScaleModeLinear;
    Uint32 mouseButtons_ = 0;  // SDL button mask as the events so far left it
    sdl::CursorCache cursors_;
    sdl::ChannelMixer mixer_;  // outlives the device that calls it
    AudioOut audio_;
};

SdlBackend::SdlBackend() : audio_(mixer_) {
    window_.reset(SDL_CreateWindow("Velamo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                   kScreenHeight, SDL_WINDOW_SHOWN));
    if (!window_) throw Exception(String("Cannot open the window: ") + SDL_GetError());
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) throw Exception(String("Cannot draw in the window: ") + SDL_GetError());
    // The 640x480 picture scaled by a fraction in full screen reads better
    // smoothed than with unevenly doubled rows; without a graphics card
    // smoothing costs a few milliseconds a frame, so there it is not done.
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_.get(), &info);
    scaleMode_ = (info.flags & SDL_RENDERER_SOFTWARE) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
    SDL_RenderSetLogicalSize(renderer_.get(), kScreenWidth, kScreenHeight);
    SDL_StartTextInput();
    Show();
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
    // With a logical size SDL gives the mouse in 640x480 coordinates; on the
    // black borders of full screen they lie outside it.
    const TPoint p = ClampToScreen(x, y);
    out.kind = kind;
    out.x = p.X;
    out.y = p.Y;
    out.shift = sdl::ShiftFromSdl(Uint16(SDL_GetModState()), mouseButtons_);
}

bool SdlBackend::Translate(const SDL_Event& e, Event& out) {
    out = Event{};
    switch (e.type) {
        case SDL_MOUSEMOTION:
            mouseButtons_ = e.motion.state;
            MouseEvent(EventKind::MouseMove, e.motion.x, e.motion.y, out);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = MouseButtonOf(e.button.button);
            if (button < 0) return false;
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            if (down) {
                mouseButtons_ |= SDL_BUTTON(e.button.button);
            } else {
                mouseButtons_ &= ~Uint32(SDL_BUTTON(e.button.button));
            }
            MouseEvent(down ? EventKind::MouseDown : EventKind::MouseUp, e.button.x, e.button.y, out);
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
            // The textures are gone; the next frame makes a new one.
            texture_.reset();
            textureWidth_ = textureHeight_ = 0;
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
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            Show();
            return false;
        default:
            return false;
    }
}

bool SdlBackend::EnsureTexture(int width, int height) {
    if (texture_ && textureWidth_ == width && textureHeight_ == height) return true;
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, width,
                                     height));
    if (texture_) SDL_SetTextureScaleMode(texture_.get(), scaleMode_);
    textureWidth_ = texture_ ? width : 0;
    textureHeight_ = texture_ ? height : 0;
    return texture_ != nullptr;
}

void SdlBackend::Present(const Surface& screen) {
    const bool whole = screen.width > 0 && screen.height > 0 &&
                       screen.pixels.size() >= std::size_t(screen.width) * std::size_t(screen.height) * 3;
    if (whole && EnsureTexture(screen.width, screen.height)) {
        SDL_UpdateTexture(texture_.get(), nullptr, screen.pixels.data(), screen.width * 3);
    }
    Show();
}

void SdlBackend::Show() {
    SDL_Renderer* r = renderer_.get();
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    if (texture_) SDL_RenderCopy(r, texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(r);
}

TPoint SdlBackend::PointerPos() {
    // Pumping reads the pointer's moves into SDL's state (they stay queued as
    // events), so the position is live also after a wait that processed
    // nothing.
    SDL_PumpEvents();
    int x = 0;
    int y = 0;
    if (SDL_GetMouseFocus() == window_.get()) {
        SDL_GetMouseState(&x, &y);
    } else {
        int windowX = 0;
        int windowY = 0;
        SDL_GetGlobalMouseState(&x, &y);
        SDL_GetWindowPosition(window_.get(), &windowX, &windowY);
        x -= windowX;
        y -= windowY;
    }
    float logicalX = 0;
    float logicalY = 0;
    SDL_RenderWindowToLogical(renderer_.get(), x, y, &logicalX, &logicalY);
    return ClampToScreen(int(std::floor(logicalX)), int(std::floor(logicalY)));
}

void SdlBackend::SetCursor(const CursorData& cursor) {
    SDL_Cursor* c = cursors_.For(cursor);
    if (c && c != SDL_GetCursor()) SDL_SetCursor(c);
}

void SdlBackend::SetFullscreen(bool on) {
    // Full screen over the desktop at its own resolution: the display mode
    // itself is never changed. A window system that refuses leaves the
    // window as it was.
    SDL_SetWindowFullscreen(window_.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!on) SDL_SetWindowSize(window_.get(), kScreenWidth, kScreenHeight);
    Show();
}

void SdlBackend::PlaySound(int channel, std::shared_ptr<const SoundBuffer> sound, bool loop) {
    std::shared_ptr<const SoundBuffer> replaced;
    audio_.Lock();
    replaced = mixer_.Play(channel, std::move(sound), loop);
    audio_.Unlock();
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

}  // namespace sdl

}  // namespace backend
