// The real X display path: when the X server goes away under a running
// program, the program ends at once instead of waiting on the dead display.
#include <gtest/gtest.h>

#ifdef VELAMO_TEST_XTST
#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/gfx/graphics.h"
#include "platform/x_server_support.h"

using namespace xtest;

TEST(SdlDisplayLost, TheProgramEndsWhenTheXServerGoesAway) {
    if (!OnPath("Xvfb") || !OnPath("openbox")) GTEST_SKIP() << "needs Xvfb and openbox";
    VirtualScreen screen;
    ASSERT_FALSE(screen.Name().empty()) << "Xvfb did not start";
    DisplayConnection x(XOpenDisplay(screen.Name().c_str()));
    ASSERT_TRUE(x) << "no X server at " << screen.Name();
    // A window manager and the OpenGL renderer: where the program's window is
    // torn down through a wait for the manager, which never comes.
    WindowManager manager(x.get());
    x.reset();

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t program = fork();
    if (program == 0) {
        close(ready[0]);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("SDL_RENDER_DRIVER", "opengl", 1);
        try {
            backend::Install(backend::CreateSdlBackend());
        } catch (...) {
            _exit(3);
        }
        backend::Backend& b = backend::Current();
        b.SetFullscreen(true);
        Surface frame;
        frame.Resize(640, 480, clWhite);
        b.Present(frame);
        [[maybe_unused]] const ssize_t told = write(ready[1], "r", 1);
        backend::Event ev;
        for (;;) b.WaitEvent(ev, 100);
    }
    close(ready[1]);
    char mark = 0;
    const bool started = ReadableWithin(ready[0], 20) && read(ready[0], &mark, 1) == 1;
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    screen.Kill();
    const int status = WaitFor(program, 10);
    if (status == -1) Stop(program);
    ASSERT_TRUE(started) << "the program never showed its window";
    ASSERT_NE(status, -1) << "the program still ran 10 s after its display was gone";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}
#endif
