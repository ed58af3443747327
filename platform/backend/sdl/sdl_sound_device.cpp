#include "platform/backend/sdl/sdl_sound_device.h"

#include <cstdio>

#ifdef VELAMO_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace backend::sdl {

#ifdef VELAMO_HAVE_ALSA
namespace {
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
}  // namespace
#endif

void QuietenSoundLibrary() {
#ifdef VELAMO_HAVE_ALSA
    snd_lib_error_set_handler(&IgnoreAlsaError);
#endif
}

void SaySoundIsOff() { std::fputs("Velamo: no sound device could be opened; sound is off\n", stderr); }

}  // namespace backend::sdl
