// The SDL backend on a real X server: where the pointer lies in the picture
// after the window went full screen under a pointer that never moved.
#include <gtest/gtest.h>

#ifdef VELAMO_TEST_XTST
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>
#include <string>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/gfx/graphics.h"
#include "platform/sdl_x_support.h"
#include "platform/x_server_support.h"

using namespace xtest;

namespace {

struct StillPointerCase {
    const char* name;
    bool manager;          // openbox runs, else a bare X server
    const char* geometry;  // the Xvfb screen
    int screenX, screenY;  // where the pointer rests, on the screen
    int pictureX, pictureY;  // the 640x480 picture's point shown there
};

void PrintTo(const StillPointerCase& c, std::ostream* os) { *os << c.name; }

class SdlStillPointer : public ::testing::TestWithParam<StillPointerCase> {};

// The window opens small and centred, then covers the screen while the
// pointer rests: the query, and a press made without moving, must name the
// picture point now under the pointer, not the one the small window had
// there.
TEST_P(SdlStillPointer, TheQueryAndAPressFollowTheWindowsNewPlaceAndSize) {
    const StillPointerCase& c = GetParam();
    if (!OnPath("Xvfb")) GTEST_SKIP() << "needs Xvfb";
    if (c.manager && !OnPath("openbox")) GTEST_SKIP() << "needs openbox";
    VirtualScreen screen(c.geometry);
    ASSERT_FALSE(screen.Name().empty()) << "Xvfb did not start";
    DisplayConnection x(XOpenDisplay(screen.Name().c_str()));
    ASSERT_TRUE(x) << "no X server at " << screen.Name();
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.get(), &event, &error, &major, &minor)) GTEST_SKIP() << "the X server has no XTest";
    std::unique_ptr<WindowManager> manager;
    if (c.manager) manager = std::make_unique<WindowManager>(x.get());
    XTestFakeMotionEvent(x.get(), -1, c.screenX, c.screenY, CurrentTime);
    XSync(x.get(), False);

    UseSdlOnX();
    backend::Install(backend::CreateSdlBackend());
    backend::Backend& b = backend::Current();
    const Window window = XWindowOf(VelamoWindow());
    EventPump pump(b);
    // Small and centred first, as the program opens.
    pump.For(0.5);
    b.SetFullscreen(true);
    Surface frame;
    frame.Resize(640, 480, clWhite);
    b.Present(frame);
    const bool covering = pump.Until(5, [&] { return CoversTheScreen(x.get(), window); });
    // Whatever the window system still sends about the change.
    pump.For(0.5);
    const TPoint queried = b.PointerPos();
    Window root = None, child = None;
    int onScreenX = 0, onScreenY = 0, inWindowX = 0, inWindowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(x.get(), DefaultRootWindow(x.get()), &root, &child, &onScreenX, &onScreenY, &inWindowX, &inWindowY,
                  &buttons);

    pump.Forget();
    XTestFakeButtonEvent(x.get(), 1, True, CurrentTime);
    XTestFakeButtonEvent(x.get(), 1, False, CurrentTime);
    XSync(x.get(), False);
    pump.Until(3, [&] { return pump.Saw(backend::EventKind::MouseUp); });
    const std::vector<backend::Event> presses = pump.Events(backend::EventKind::MouseDown);
    const bool moved = pump.Saw(backend::EventKind::MouseMove);
    backend::Install(nullptr);

    ASSERT_TRUE(covering) << "the window never covered the screen";
    // Nobody moved the mouse: the pointer stays where it was on the screen.
    EXPECT_EQ(onScreenX, c.screenX);
    EXPECT_EQ(onScreenY, c.screenY);
    EXPECT_EQ(queried.X, c.pictureX);
    EXPECT_EQ(queried.Y, c.pictureY);
    ASSERT_EQ(presses.size(), 1u) << "the press did not arrive once";
    EXPECT_FALSE(moved) << "a still pointer reported a move";
    EXPECT_EQ(presses[0].x, c.pictureX);
    EXPECT_EQ(presses[0].y, c.pictureY);
}

// 1024x768 shows the picture at 1.6 times its size over the whole screen;
// 1280x1024 at twice its size, 32 black rows above and below. The second
// point of each lies where the small centred window showed another picture
// point than the full screen does.
INSTANTIATE_TEST_SUITE_P(
    Desktop, SdlStillPointer,
    ::testing::Values(StillPointerCase{"Bare1024Centre", false, "1024x768x24", 512, 384, 320, 240},
                      StillPointerCase{"Bare1024Upper", false, "1024x768x24", 800, 200, 500, 125},
                      StillPointerCase{"Openbox1024Centre", true, "1024x768x24", 512, 384, 320, 240},
                      StillPointerCase{"Openbox1024Upper", true, "1024x768x24", 800, 200, 500, 125},
                      StillPointerCase{"Bare1280Centre", false, "1280x1024x24", 640, 512, 320, 240},
                      StillPointerCase{"Bare1280Right", false, "1280x1024x24", 900, 400, 450, 184},
                      StillPointerCase{"Openbox1280Right", true, "1280x1024x24", 900, 400, 450, 184}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
#endif
