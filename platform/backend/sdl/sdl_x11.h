// What SDL does not tell of an X display.
#pragma once

#include <SDL.h>

namespace backend::sdl {

// Whether a window manager that keeps the EWMH conventions runs on the
// window's X display, so that a request for full screen is carried out.
// True where the window is not on X (SDL's full screen is trusted there).
bool WindowManagerRuns(SDL_Window* window);

}  // namespace backend::sdl
