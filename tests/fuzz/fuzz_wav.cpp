// WAV decoding from memory, as sndPlaySoundA and the media player decode.
#include <cstddef>
#include <cstdint>

#include "platform/media/sound_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    media::SoundPtr sound = media::DecodeWav(data, size);
    if (sound && sound->samples.size() % 2 != 0) __builtin_trap();
    return 0;
}
