// Sound files made ready for the device: WAV decoding into the backend's
// format (44100 Hz, stereo, signed 16 bit) and a cache of decoded files.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/backend/backend.h"
#include "platform/core/types.h"

namespace media {

using SoundPtr = std::shared_ptr<const backend::SoundBuffer>;

// Decodes a WAV file held in memory: PCM of 8 or 16 bits, mono or stereo at
// 1000 to 192000 Hz, MS and IMA ADPCM, a-law and u-law. nullptr when it
// cannot, and for a file whose RIFF structure is damaged (a chunk reaching
// past the file, no format before the data) or whose sound would take more
// than 64 MB on the device: as a missing file.
SoundPtr DecodeWav(const void* data, std::size_t size);

// Loads and decodes the file of a program path (both separators, any letter
// case). The whole file is decoded at once, so the caller may delete it
// while it plays; a file is decoded again only when its modification time
// changed. nullptr when it is missing or cannot be decoded.
SoundPtr LoadSoundFile(const String& name);

// A short tone of our own, played for a missing sound when the caller did
// not ask for silence.
SoundPtr DefaultSound();

}  // namespace media
