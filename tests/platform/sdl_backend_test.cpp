// The SDL backend on SDL's dummy video and audio drivers: no display or
// sound device needed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <ctime>
#include <cstring>
#include <functional>
#include <memory>

#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/sdl/sdl_probe.h"
#include "platform/core/exceptions.h"
#include "platform/gfx/graphics.h"

using namespace backend;

namespace {

void UseDummyDrivers(const char* audio = "dummy") {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", audio, 1);
}

// The backend's window: SDL numbers windows from 1 in a process.
SDL_Window* VelamoWindow() {
    for (Uint32 id = 1; id < 64; ++id) {
        SDL_Window* w = SDL_GetWindowFromID(id);
        if (w && std::strcmp(SDL_GetWindowTitle(w), "Velamo") == 0) return w;
    }
    return nullptr;
}

void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

SDL_Event Motion(int x, int y, Uint32 state = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(VelamoWindow());
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(VelamoWindow());
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, SDL_Scancode code, Uint16 mods) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = code;
    e.key.keysym.mod = mods;
    return e;
}

SDL_Event Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event WindowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(VelamoWindow());
    e.window.event = what;
    return e;
}

SDL_Event Quit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseDummyDrivers();
        backend_ = CreateSdlBackend();
        ASSERT_NE(VelamoWindow(), nullptr);
        Event ev;
        while (backend_->PollEvent(ev)) {
        }
    }

    std::unique_ptr<Backend> backend_;
};

}  // namespace

TEST(SdlBackendStart, NoVideoIsAClearError) {
    setenv("SDL_VIDEODRIVER", "no-such-video-driver", 1);
    try {
        CreateSdlBackend();
        FAIL() << "created without video";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("the program needs a graphical display, and none could be opened (", 0), 0u)
            << e.Message;
    }
}

TEST(SdlBackendStart, WithoutASoundDeviceRunsSilent) {
    UseDummyDrivers("no-such-audio-driver");
    auto b = CreateSdlBackend();
    EXPECT_EQ(sdl::AudioDriverName(*b), "");
    auto sound = std::make_shared<SoundBuffer>();
    sound->samples.assign(882, 1000);
    b->PlaySound(0, sound, true);
    b->PlaySound(1, sound, false);
    b->StopSound(0);
    b->StopSound(1);
}

TEST_F(SdlBackendTest, OneWindowOfTheScreenSize) {
    SDL_Window* w = VelamoWindow();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_TRUE(SDL_IsTextInputActive());
}

TEST_F(SdlBackendTest, PresentShowsTheSurfaceInItsColours) {
    Surface screen;
    screen.width = 640;
    screen.height = 480;
    screen.pixels.assign(640 * 480 * 3, 0);
    auto put = [&](int x, int y, Byte r, Byte g, Byte b) {
        Byte* p = screen.Row(y) + x * 3;  // blue, green, red
        p[0] = b;
        p[1] = g;
        p[2] = r;
    };
    put(0, 0, 255, 0, 0);
    put(639, 0, 0, 255, 0);
    put(0, 479, 0, 0, 255);
    put(639, 479, 10, 20, 30);
    backend_->Present(screen);

    auto pixelAt = [&](int x, int y) {
        std::uint32_t rgb = 0;
        EXPECT_TRUE(sdl::WindowPixel(*backend_, x, y, rgb));
        return rgb;
    };
    EXPECT_EQ(pixelAt(0, 0), 0xFF0000u);
    EXPECT_EQ(pixelAt(639, 0), 0x00FF00u);
    EXPECT_EQ(pixelAt(0, 479), 0x0000FFu);
    EXPECT_EQ(pixelAt(639, 479), 0x0A141Eu);
    EXPECT_EQ(pixelAt(320, 240), 0x000000u);

    // A surface without its pixels shows the last frame again, reading nothing.
    Surface broken;
    broken.width = 640;
    broken.height = 480;
    backend_->Present(broken);
    EXPECT_EQ(pixelAt(0, 0), 0xFF0000u);
}

TEST_F(SdlBackendTest, AWholePresentBlackensTheBordersAroundThePicture) {
    SDL_Window* w = VelamoWindow();
    SDL_SetWindowSize(w, 800, 480);  // the picture at 1:1, 80 pixels of border each side
    Surface screen;
    screen.Resize(640, 480, clWhite);
    backend_->Present(screen);
    SDL_Surface* shown = SDL_GetWindowSurface(w);
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->w, 800);
    for (int y = 0; y < shown->h; ++y)
        std::memset(static_cast<Uint8*>(shown->pixels) + y * shown->pitch, 0x7F, std::size_t(shown->w) * 4);
    // An exposed window is shown whole again.
    Push(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
    Event ev;
    while (backend_->PollEvent(ev)) {
    }
    for (const auto& [x, rgb] : {std::pair{0, 0x000000u}, {79, 0x000000u}, {80, 0xFFFFFFu}, {719, 0xFFFFFFu},
                                 {720, 0x000000u}, {799, 0x000000u}}) {
        std::uint32_t got = 0;
        EXPECT_TRUE(sdl::WindowPixel(*backend_, x, 240, got));
        EXPECT_EQ(got, rgb) << "at x " << x;
    }
    SDL_SetWindowSize(w, 640, 480);
}

TEST_F(SdlBackendTest, NoEventsWhenNoneAreQueued) {
    Event ev;
    EXPECT_FALSE(backend_->PollEvent(ev));
    EXPECT_FALSE(backend_->WaitEvent(ev, 0));
}

TEST_F(SdlBackendTest, EventsAsTheProgramSeesThem) {
    struct Case {
        const char* what;
        std::function<SDL_Event()> sdl;
        EventKind kind;
        int x, y, button, key;
        std::uint32_t shift;
        const char* text;
    };
    const Case cases[] = {
        {"move", [] { return Motion(100, 200); }, EventKind::MouseMove, 100, 200, mbLeft, 0, 0, ""},
        {"move onto the border clamps", [] { return Motion(700, -5); }, EventKind::MouseMove, 639, 0, mbLeft, 0, 0,
         ""},
        {"left press", [] { return Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20); }, EventKind::MouseDown,
         10, 20, mbLeft, 0, ssLeft, ""},
        {"left release", [] { return Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21); }, EventKind::MouseUp, 11,
         21, mbLeft, 0, 0, ""},
        {"right press", [] { return Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6); }, EventKind::MouseDown,
         5, 6, mbRight, 0, ssRight, ""},
        {"move holding right", [] { return Motion(7, 8, SDL_BUTTON_RMASK); }, EventKind::MouseMove, 7, 8, mbLeft,
         0, ssRight, ""},
        {"right release", [] { return Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8); }, EventKind::MouseUp, 7,
         8, mbRight, 0, 0, ""},
        {"middle press", [] { return Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 639, 479); },
         EventKind::MouseDown, 639, 479, mbMiddle, 0, ssMiddle, ""},
        {"middle release", [] { return Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 639, 479); },
         EventKind::MouseUp, 639, 479, mbMiddle, 0, 0, ""},
        {"Enter with Shift",
         [] { return KeyEvent(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LSHIFT); }, EventKind::KeyDown,
         0, 0, mbLeft, 13, ssShift, ""},
        {"A released with Ctrl", [] { return KeyEvent(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, KMOD_RCTRL); },
         EventKind::KeyUp, 0, 0, mbLeft, 'A', ssCtrl, ""},
        {"typed text", [] { return Text("ž"); }, EventKind::TextInput, 0, 0, mbLeft, 0, 0, "ž"},
        {"focus gained", [] { return WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED); }, EventKind::FocusGained, 0, 0,
         mbLeft, 0, 0, ""},
        {"focus lost", [] { return WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST); }, EventKind::FocusLost, 0, 0, mbLeft,
         0, 0, ""},
        {"window closed", [] { return Quit(); }, EventKind::Quit, 0, 0, mbLeft, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Push(c.sdl());
        Event ev;
        ASSERT_TRUE(backend_->PollEvent(ev));
        EXPECT_EQ(ev.kind, c.kind);
        EXPECT_EQ(ev.x, c.x);
        EXPECT_EQ(ev.y, c.y);
        EXPECT_EQ(ev.button, c.button);
        EXPECT_EQ(ev.key, c.key);
        EXPECT_EQ(ev.shift, c.shift);
        EXPECT_EQ(ev.text, c.text);
        EXPECT_FALSE(backend_->PollEvent(ev));
    }
}

TEST_F(SdlBackendTest, EventsTheProgramDoesNotSeeAreSkipped) {
    Push(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
    Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1));
    Push(KeyEvent(SDL_KEYDOWN, SDLK_F24, SDL_SCANCODE_F24, 0));
    Push(Text(""));
    Push(Motion(3, 4));
    Event ev;
    ASSERT_TRUE(backend_->PollEvent(ev));
    EXPECT_EQ(ev.kind, EventKind::MouseMove);
    EXPECT_EQ(ev.x, 3);
    EXPECT_FALSE(backend_->PollEvent(ev));
}

TEST_F(SdlBackendTest, WaitReturnsAQueuedEventAtOnce) {
    Push(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
    Push(Quit());
    Event ev;
    ASSERT_TRUE(backend_->WaitEvent(ev, 60000));
    EXPECT_EQ(ev.kind, EventKind::Quit);
    Push(Motion(1, 2));
    ASSERT_TRUE(backend_->WaitEvent(ev, -1));
    EXPECT_EQ(ev.kind, EventKind::MouseMove);
}

TEST_F(SdlBackendTest, WaitWithoutEventsTimesOutWithoutSpinning) {
    Event ev;
    const std::uint32_t start = backend_->Ticks();
    const std::clock_t cpuStart = std::clock();
    EXPECT_FALSE(backend_->WaitEvent(ev, 300));
    const double cpuMs = double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
    EXPECT_GE(backend_->Ticks() - start, 300u);
    EXPECT_LT(cpuMs, 150.0) << "the wait used the processor";
}

TEST_F(SdlBackendTest, TicksFollowTheClockAndSleepKeepsEventsQueued) {
    Push(Motion(9, 9));
    const std::uint32_t start = backend_->Ticks();
    backend_->Sleep(20);
    EXPECT_GE(backend_->Ticks() - start, 20u);
    Event ev;
    ASSERT_TRUE(backend_->PollEvent(ev));
    EXPECT_EQ(ev.x, 9);
}

TEST_F(SdlBackendTest, FullScreenCoversTheDesktopAndMapsTheMouseBack) {
    SDL_Window* w = VelamoWindow();
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);

    backend_->SetFullscreen(true);
    EXPECT_EQ(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(w, &width, &height);
    EXPECT_EQ(width, desktop.w);
    EXPECT_EQ(height, desktop.h);

    // The dummy desktop is 1024x768: the picture is scaled by 1.6.
    Event ev;
    while (backend_->PollEvent(ev)) {
    }
    Push(Motion(width / 2, height / 2));
    Push(Motion(width - 1, height - 1));
    ASSERT_TRUE(backend_->PollEvent(ev));
    EXPECT_EQ(Point(ev.x, ev.y), Point(320, 240));
    ASSERT_TRUE(backend_->PollEvent(ev));
    EXPECT_EQ(Point(ev.x, ev.y), Point(639, 479));

    SDL_WarpMouseInWindow(w, width / 4, height / 4);
    EXPECT_EQ(backend_->PointerPos(), Point(160, 120));

    backend_->SetFullscreen(false);
    EXPECT_EQ(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN, 0u);
    SDL_GetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    SDL_DisplayMode after{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &after), 0);
    EXPECT_EQ(after.w, desktop.w);
    EXPECT_EQ(after.h, desktop.h);
}

TEST_F(SdlBackendTest, PointerPosIsLiveAndClamped) {
    // The dummy driver gives the window no mouse focus and reports the
    // desktop position as the window's: place the window at the origin.
    SDL_Window* w = VelamoWindow();
    SDL_SetWindowPosition(w, 0, 0);
    struct Case {
        int x, y;
        TPoint expected;
    };
    const Case cases[] = {{123, 456, {123, 456}}, {0, 0, {0, 0}}, {639, 479, {639, 479}}, {900, 700, {639, 479}}};
    for (const Case& c : cases) {
        SDL_WarpMouseInWindow(w, c.x, c.y);
        EXPECT_EQ(backend_->PointerPos(), c.expected) << c.x << "," << c.y;
    }
}

TEST_F(SdlBackendTest, SoundReachesTheDummyDevice) {
    EXPECT_EQ(sdl::AudioDriverName(*backend_), "dummy");
    EXPECT_EQ(sdl::SoundFirstMixedNs(*backend_), 0);
    auto sound = std::make_shared<SoundBuffer>();
    sound->samples.assign(44100 * 2, 2000);
    backend_->PlaySound(0, sound, false);
    backend_->PlaySound(1, sound, true);

    // The callback runs every 11.6 ms; give it two seconds at most.
    for (int i = 0; i < 2000 && sdl::SoundFirstMixedNs(*backend_) == 0; ++i) SDL_Delay(1);
    EXPECT_NE(sdl::SoundFirstMixedNs(*backend_), 0) << "the callback never mixed the sound";

    backend_->StopSound(0);
    backend_->StopSound(1);
    backend_->StopSound(1);
    backend_->PlaySound(5, sound, false);
}

TEST_F(SdlBackendTest, CursorsAndPointerVisibility) {
    CursorData arrow;
    CursorData hand;
    hand.standard = StandardCursor::HandPoint;
    CursorData picture;
    picture.hasImage = true;
    picture.image.width = 2;
    picture.image.height = 2;
    picture.image.hotX = 5;  // outside the picture: clamped
    picture.image.argb = {0xFF000000, 0x00000000, 0xFFFFFFFF, 0x80FF0000};
    CursorData truncated = picture;
    truncated.image.argb.resize(3);

    for (const CursorData* c : {&arrow, &hand, &picture, &truncated, &picture}) backend_->SetCursor(*c);
    backend_->ShowPointer(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    backend_->ShowPointer(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}
