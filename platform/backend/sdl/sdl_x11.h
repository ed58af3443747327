// What SDL does not tell of an X display.
#pragma once

#include <SDL.h>

namespace backend::sdl {

// Whether a window manager that keeps the EWMH conventions runs on the
// window's X display, so that a request for full screen is carried out.
// True where the window is not on X (SDL's full screen is trusted there).
bool WindowManagerRuns(SDL_Window* window);

// Whether the window holds the X input focus, asked of the X server itself:
// SDL's own flag follows focus events that may come late. True where the
// window is not on X.
bool HoldsInputFocus(SDL_Window* window);

// Ends the process at once when the connection to the window's X display is
// lost (the server ended or was killed): X's own handler would call exit(),
// whose clean-up then waits on the dead display for ever at full speed.
// Nothing is left to restore on a display that is gone; a temporary sound
// file left behind is replaced by the next run.
void EndWhenTheDisplayIsLost(SDL_Window* window);

}  // namespace backend::sdl
