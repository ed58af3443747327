#include "platform/backend/sdl/sdl_x11.h"

#include <SDL_syswm.h>
#include <unistd.h>

#if defined(VELAMO_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#define VELAMO_X11 1
#endif

namespace backend::sdl {

#ifdef VELAMO_X11
namespace {

bool g_xFailed = false;
int NoteXError(Display*, XErrorEvent*) {
    g_xFailed = true;
    return 0;
}

// The window named by `property` on `of` (None when there is none).
Window WindowProperty(Display* display, Window of, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window found = None;
    if (XGetWindowProperty(display, of, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        data && type == XA_WINDOW && format == 32 && count == 1)
        found = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    return found;
}

// The window's X display and window, or false where it is not on X.
bool XWindowOf(SDL_Window* window, Display*& display, Window& xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
}

[[noreturn]] int EndOnLostDisplay(Display*) {
    static const char message[] = "Velamo: the connection to the X display was lost\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(1);
}

}  // namespace
#endif

bool WindowManagerRuns(SDL_Window* window) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (!XWindowOf(window, display, own)) return true;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    // The root names the manager's own window, which names itself: a
    // manager that ended leaves a stale name behind.
    XSync(display, False);
    g_xFailed = false;
    auto* previous = XSetErrorHandler(&NoteXError);
    const Window managers = WindowProperty(display, DefaultRootWindow(display), check);
    const bool runs = managers != None && WindowProperty(display, managers, check) == managers;
    XSync(display, False);
    XSetErrorHandler(previous);
    return runs && !g_xFailed;
#else
    (void)window;
    return true;
#endif
}

bool HoldsInputFocus(SDL_Window* window) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (!XWindowOf(window, display, own)) return true;
    Window focused = None;
    int revert = 0;
    XGetInputFocus(display, &focused, &revert);
    return focused == own;
#else
    (void)window;
    return true;
#endif
}

void EndWhenTheDisplayIsLost(SDL_Window* window) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (XWindowOf(window, display, own)) XSetIOErrorHandler(&EndOnLostDisplay);
#else
    (void)window;
#endif
}

}  // namespace backend::sdl
