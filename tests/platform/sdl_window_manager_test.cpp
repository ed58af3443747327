// The SDL backend on a real X server, where the desktop around the program
// changes: another window takes the input focus, the window manager ends.
#include <gtest/gtest.h>

#ifdef VELAMO_TEST_XTST
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstring>
#include <memory>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/gfx/graphics.h"
#include "platform/x_server_support.h"

using namespace xtest;

namespace {

// Waits up to `seconds` for an event of `kind`, the others passed by.
bool AwaitEvent(backend::Backend& b, backend::EventKind kind, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    backend::Event ev;
    while (std::chrono::steady_clock::now() < until) {
        if (b.WaitEvent(ev, 50) && ev.kind == kind) return true;
    }
    return false;
}

// Handles whatever arrives for a while (the window's moves and resizes).
void Settle(backend::Backend& b, int ms) {
    backend::Event ev;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) b.WaitEvent(ev, 20);
}

SDL_Window* VelamoWindow() {
    for (Uint32 id = 1; id < 64; ++id) {
        SDL_Window* w = SDL_GetWindowFromID(id);
        if (w && std::strcmp(SDL_GetWindowTitle(w), "Velamo") == 0) return w;
    }
    return nullptr;
}

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

enum class FocusTaken { ByAnotherWindow, ByTheManagerEnding };

struct FocusCase {
    const char* name;
    FocusTaken how;
};

void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

class SdlFocusWithoutManager : public ::testing::TestWithParam<FocusCase> {};

// The program goes to its small window when it loses the focus. With no
// window manager to give the focus back, a press on the window must take it,
// or the program stays deactivated in that window for good.
TEST_P(SdlFocusWithoutManager, APressOnTheWindowBringsTheFocusBack) {
    const FocusTaken how = GetParam().how;
    if (!OnPath("Xvfb")) GTEST_SKIP() << "needs Xvfb";
    if (how == FocusTaken::ByTheManagerEnding && !OnPath("openbox")) GTEST_SKIP() << "needs openbox";
    VirtualScreen screen;
    std::unique_ptr<Display, DisplayCloser> x(XOpenDisplay(screen.Name().c_str()));
    ASSERT_TRUE(x) << "no X server at " << screen.Name();
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.get(), &event, &error, &major, &minor)) GTEST_SKIP() << "the X server has no XTest";
    pid_t manager = -1;
    if (how == FocusTaken::ByTheManagerEnding) {
        manager = Spawn({"openbox"});
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }

    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    backend::Install(backend::CreateSdlBackend());
    backend::Backend& b = backend::Current();
    b.SetFullscreen(true);
    Surface frame;
    frame.Resize(640, 480, clWhite);
    b.Present(frame);
    const bool focusedAtStart = AwaitEvent(b, backend::EventKind::FocusGained, 5);

    if (how == FocusTaken::ByAnotherWindow) {
        const Window other = XCreateSimpleWindow(x.get(), DefaultRootWindow(x.get()), 0, 0, 100, 100, 0, 0, 0);
        XMapRaised(x.get(), other);
        XSync(x.get(), False);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        XSetInputFocus(x.get(), other, RevertToPointerRoot, CurrentTime);
        XSync(x.get(), False);
    } else {
        kill(manager, SIGTERM);
        WaitFor(manager, 5);
    }
    const bool lost = AwaitEvent(b, backend::EventKind::FocusLost, 5);
    // Deactivated, the program leaves full screen.
    b.SetFullscreen(false);
    Settle(b, 300);

    int left = 0, top = 0;
    SDL_GetWindowPosition(VelamoWindow(), &left, &top);
    XTestFakeMotionEvent(x.get(), -1, left + 320, top + 240, CurrentTime);
    XTestFakeButtonEvent(x.get(), 1, True, CurrentTime);
    XTestFakeButtonEvent(x.get(), 1, False, CurrentTime);
    XSync(x.get(), False);
    const bool regained = AwaitEvent(b, backend::EventKind::FocusGained, 5);

    backend::Install(nullptr);
    Stop(manager);
    ASSERT_TRUE(focusedAtStart) << "the window never had the focus";
    ASSERT_TRUE(lost) << "the focus never left the window";
    EXPECT_TRUE(regained) << "a press on the window did not bring the focus back";
}

INSTANTIATE_TEST_SUITE_P(Desktop, SdlFocusWithoutManager,
                         ::testing::Values(FocusCase{"AnotherWindowTookIt", FocusTaken::ByAnotherWindow},
                                           FocusCase{"TheManagerEnded", FocusTaken::ByTheManagerEnding}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
#endif
