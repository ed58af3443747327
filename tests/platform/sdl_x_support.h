// The SDL backend's window on a real X server, for the tests that run it
// there (with x_server_support.h).
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "platform/backend/backend.h"

namespace xtest {

// SDL on the X server named in DISPLAY: no sound device, the picture drawn
// by the backend's own scaler.
inline void UseSdlOnX() {
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
}

// Handles the backend's events as the program's loop would, keeping them.
class EventPump {
public:
    explicit EventPump(backend::Backend& b) : b_(b) {}
    // Pumps until `done` holds, for up to `seconds`; whether it came to hold.
    template <typename Condition>
    bool Until(double seconds, Condition done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        backend::Event ev;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= until) return false;
            if (b_.WaitEvent(ev, 20)) {
                seen_.insert(ev.kind);
                events_.push_back(ev);
            }
        }
        return true;
    }
    // Pumps for `seconds`.
    void For(double seconds) { Until(seconds, [] { return false; }); }
    bool Saw(backend::EventKind kind) const { return seen_.count(kind) > 0; }
    // The events of `kind` since the last Forget, in order.
    std::vector<backend::Event> Events(backend::EventKind kind) const {
        std::vector<backend::Event> found;
        for (const backend::Event& ev : events_)
            if (ev.kind == kind) found.push_back(ev);
        return found;
    }
    void Forget() {
        seen_.clear();
        events_.clear();
    }

private:
    backend::Backend& b_;
    std::set<backend::EventKind> seen_;
    std::vector<backend::Event> events_;
};

inline SDL_Window* VelamoWindow() {
    for (Uint32 id = 1; id < 64; ++id) {
        SDL_Window* w = SDL_GetWindowFromID(id);
        if (w && std::strcmp(SDL_GetWindowTitle(w), "Velamo") == 0) return w;
    }
    return nullptr;
}

inline Window XWindowOf(SDL_Window* w) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return w && SDL_GetWindowWMInfo(w, &info) && info.subsystem == SDL_SYSWM_X11 ? info.info.x11.window : None;
}

// Whether the X window shows at the root's top left corner, covering the
// whole screen.
inline bool CoversTheScreen(Display* x, Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(x, w, &a) || a.map_state != IsViewable) return false;
    int left = 0, top = 0;
    Window child = None;
    XTranslateCoordinates(x, w, DefaultRootWindow(x), 0, 0, &left, &top, &child);
    const Screen* s = DefaultScreenOfDisplay(x);
    return left == 0 && top == 0 && a.width == WidthOfScreen(s) && a.height == HeightOfScreen(s);
}

}  // namespace xtest
