// The system's one-channel sound call and its flags.
#pragma once

#include <cstdint>

#include "platform/core/types.h"
#include "platform/sys/wintypes.h"

constexpr UINT SND_SYNC = 0x0000;       // plays to the end before returning, processing nothing
constexpr UINT SND_ASYNC = 0x0001;      // returns at once, the sound plays on
constexpr UINT SND_NODEFAULT = 0x0002;  // silence instead of the default sound for a missing file
constexpr UINT SND_MEMORY = 0x0004;     // not supported: the call fails
constexpr UINT SND_LOOP = 0x0008;       // with SND_ASYNC: again and again until stopped or replaced
constexpr UINT SND_NOSTOP = 0x0010;     // dropped (FALSE) while a sound plays

// Plays the WAV file of a program path on sound channel 0, cutting what
// plays there (unless SND_NOSTOP). A nil name stops the sound. The channel
// is independent of the media player's. Returns nonzero when the sound (or
// the default sound) was started, or when a nil name stopped the channel.
// Every start, stop, drop and end is noted to the backend's notice log.
BOOL sndPlaySoundA(const char* name, UINT flags);

// Whether a sound started by sndPlaySoundA still plays; notes an end that
// came since the platform last looked. The message loop calls it now and
// then so that ends are noted near their time.
bool SoundIsPlaying();
