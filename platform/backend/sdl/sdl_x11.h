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

// Maps the window (a hidden SDL window) and waits up to `boundMs` until it
// shows; false when it did not. SDL's own showing waits for the map without
// a bound, and a window manager in the middle of its start-up may lose the
// request for good. Where the window is not on X, SDL shows it.
bool MapWithin(SDL_Window* window, int boundMs);

// Maps the window past any window manager (override-redirect: nobody else
// places, sizes or decorates it, as on a bare X server) and waits up to
// `boundMs` until it shows; false when it did not.
bool MapPastTheManager(SDL_Window* window, int boundMs);

// The pointer's place relative to the window's top left corner, asked of
// the X server itself: SDL keeps the place of the last motion, which is
// stale once the window moved or changed size under a still pointer. False
// where the window is not on X (or the pointer is on another screen).
bool PointerInWindow(SDL_Window* window, int& x, int& y);

// The pointer's place on the screen, and putting it there again: SDL moves
// the pointer with the window when it switches the window to or from full
// screen (to the same window point), though the desktop did not change and
// nobody moved the mouse. PointerOnScreen is false where the window is not
// on X.
bool PointerOnScreen(SDL_Window* window, int& x, int& y);
void PutPointerOnScreen(SDL_Window* window, int x, int y);

// Ends the process at once when the connection to the window's X display is
// lost (the server ended or was killed): X's own handler would call exit(),
// whose clean-up then waits on the dead display for ever at full speed.
// Nothing is left to restore on a display that is gone; a temporary sound
// file left behind is replaced by the next run.
void EndWhenTheDisplayIsLost(SDL_Window* window);

}  // namespace backend::sdl
