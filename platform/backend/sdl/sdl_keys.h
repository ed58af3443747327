// SDL keys and modifiers as the program sees them: virtual key codes and
// shift bits.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace backend::sdl {

// The virtual key code of a key, or 0 for a key the program has no code for.
// Letters follow the keyboard layout (QWERTZ gives 'Z' where QWERTY has 'Y');
// the digit row gives '0'..'9' whatever the layout puts on it.
int VirtualKeyFromSdl(const SDL_Keysym& key);

// Shift bits (ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle) from SDL's
// key modifiers and mouse button mask.
std::uint32_t ShiftFromSdl(Uint16 keyMods, Uint32 mouseButtons);

}  // namespace backend::sdl
