#include "platform/backend/sdl/sdl_x11.h"

#include <SDL_syswm.h>
#include <unistd.h>

#include <algorithm>

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

// Waits up to `boundMs` for the window to show (it and every parent mapped).
bool ViewableWithin(Display* display, Window window, int boundMs) {
    const Uint64 until = SDL_GetTicks64() + Uint64(std::max(boundMs, 0));
    for (;;) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) return true;
        if (SDL_GetTicks64() >= until) return false;
        SDL_Delay(5);
    }
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

bool MapWithin(SDL_Window* window, int boundMs) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (XWindowOf(window, display, own)) {
        XMapRaised(display, own);
        return ViewableWithin(display, own, boundMs);
    }
#else
    (void)boundMs;
#endif
    SDL_ShowWindow(window);
    return true;
}

bool MapPastTheManager(SDL_Window* window, int boundMs) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (!XWindowOf(window, display, own)) return false;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, own, CWOverrideRedirect, &attributes);
    XMapRaised(display, own);
    return ViewableWithin(display, own, boundMs);
#else
    (void)window;
    (void)boundMs;
    return false;
#endif
}

namespace {

// The pointer's place relative to the window's top left corner, or to the
// screen's.
bool QueryPointer(SDL_Window* window, bool onScreen, int& x, int& y) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (!XWindowOf(window, display, own)) return false;
    Window root = None;
    Window child = None;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(display, own, &root, &child, &rootX, &rootY, &windowX, &windowY, &buttons)) return false;
    x = onScreen ? rootX : windowX;
    y = onScreen ? rootY : windowY;
    return true;
#else
    (void)window;
    (void)onScreen;
    (void)x;
    (void)y;
    return false;
#endif
}

}  // namespace

bool PointerInWindow(SDL_Window* window, int& x, int& y) { return QueryPointer(window, false, x, y); }

bool PointerOnScreen(SDL_Window* window, int& x, int& y) { return QueryPointer(window, true, x, y); }

void PutPointerOnScreen(SDL_Window* window, int x, int y) {
#ifdef VELAMO_X11
    Display* display = nullptr;
    Window own = None;
    if (!XWindowOf(window, display, own)) return;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XFlush(display);
#else
    (void)window;
    (void)x;
    (void)y;
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
