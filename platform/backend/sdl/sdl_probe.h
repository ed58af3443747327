// What benchmarks and tests read of a running SDL backend.
#pragma once

#include <cstdint>
#include <string>

#include "platform/backend/backend.h"

namespace backend::sdl {

// The audio driver whose device the backend opened; empty when it runs
// silent (or `backend` is not the SDL backend).
std::string AudioDriverName(Backend& backend);

// Steady-clock nanoseconds at which the audio callback last began copying a
// sound just started; 0 before the first.
std::int64_t SoundFirstMixedNs(Backend& backend);

// What draws the window: "software" (our scaler into the window's surface)
// or the SDL renderer's name.
std::string PresenterName(Backend& backend);

// The window pixel's colour as the window shows it (0xRRGGBB); false when it
// cannot be read.
bool WindowPixel(Backend& backend, int x, int y, std::uint32_t& rgb);

}  // namespace backend::sdl
