// Opening the sound device without a sound card: quiet, and said once.
#pragma once

namespace backend::sdl {

// Silences the ALSA library's own error messages (a machine without a sound
// card gets a screenful of them on standard error as the device is looked
// for): the program says in one line that it runs without sound instead.
void QuietenSoundLibrary();

// The one line on standard error that sound is off.
void SaySoundIsOff();

}  // namespace backend::sdl
