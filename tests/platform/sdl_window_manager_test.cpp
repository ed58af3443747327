// The SDL backend on a real X server, where the desktop around the program
// changes: another window takes the input focus, the window manager ends.
#include <gtest/gtest.h>

#ifdef VELAMO_TEST_XTST
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/gfx/graphics.h"
#include "platform/sdl_x_support.h"
#include "platform/x_server_support.h"

using namespace xtest;

namespace {

// The X server's own word on who has the keyboard focus.
bool HasFocus(Display* x, Window w) {
    Window focused = None;
    int revert = 0;
    XGetInputFocus(x, &focused, &revert);
    return focused == w;
}

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
    ASSERT_FALSE(screen.Name().empty()) << "Xvfb did not start";
    DisplayConnection x(XOpenDisplay(screen.Name().c_str()));
    ASSERT_TRUE(x) << "no X server at " << screen.Name();
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.get(), &event, &error, &major, &minor)) GTEST_SKIP() << "the X server has no XTest";
    std::unique_ptr<WindowManager> manager;
    if (how == FocusTaken::ByTheManagerEnding) manager = std::make_unique<WindowManager>(x.get());

    UseSdlOnX();
    backend::Install(backend::CreateSdlBackend());
    backend::Backend& b = backend::Current();
    const Window window = XWindowOf(VelamoWindow());
    b.SetFullscreen(true);
    Surface frame;
    frame.Resize(640, 480, clWhite);
    b.Present(frame);
    EventPump pump(b);
    const bool focusedAtStart = pump.Until(5, [&] { return HasFocus(x.get(), window); });

    if (how == FocusTaken::ByAnotherWindow) {
        const Window other = XCreateSimpleWindow(x.get(), DefaultRootWindow(x.get()), 0, 0, 100, 100, 0, 0, 0);
        XMapRaised(x.get(), other);
        XSync(x.get(), False);
        pump.Until(2, [&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(x.get(), other, &a) && a.map_state == IsViewable;
        });
        XSetInputFocus(x.get(), other, RevertToPointerRoot, CurrentTime);
        XSync(x.get(), False);
    } else {
        kill(manager->Pid(), SIGTERM);
        WaitFor(manager->Pid(), 5);
    }
    pump.Forget();
    const bool lost = pump.Until(5, [&] {
        return !HasFocus(x.get(), window) && pump.Saw(backend::EventKind::FocusLost);
    });
    // Deactivated, the program leaves full screen: a small window.
    b.SetFullscreen(false);
    XWindowAttributes a{};
    pump.Until(3, [&] { return XGetWindowAttributes(x.get(), window, &a) && a.width == 640 && a.height == 480; });
    int left = 0, top = 0;
    Window child = None;
    XTranslateCoordinates(x.get(), window, DefaultRootWindow(x.get()), 0, 0, &left, &top, &child);

    pump.Forget();
    // The focus may come back while the window is made small (a focus
    // event delayed by the server): that counts as regained too.
    XTestFakeMotionEvent(x.get(), -1, left + 320, top + 240, CurrentTime);
    XSync(x.get(), False);
    // A hand comes to rest before it presses (SDL drops a press that follows
    // the pointer's entering at once).
    pump.Until(0.1, [] { return false; });
    XTestFakeButtonEvent(x.get(), 1, True, CurrentTime);
    XTestFakeButtonEvent(x.get(), 1, False, CurrentTime);
    XSync(x.get(), False);
    const bool regained = pump.Until(5, [&] {
        return HasFocus(x.get(), window) && pump.Saw(backend::EventKind::FocusGained);
    });

    backend::Install(nullptr);
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
