// What plays on one backend sound channel, known from its start tick and
// length on the one clock, and the notices of its start, stop and end.
#pragma once

#include <cstdint>

#include "platform/core/types.h"
#include "platform/media/sound_file.h"

namespace media {

class SoundChannel {
public:
    // label names the player in notices ("sound", "help").
    SoundChannel(int channel, const char* label) : channel_(channel), label_(label) {}

    // Starts a sound, cutting what plays. detail describes it in notices
    // ("flags=3 file=...").
    void Start(SoundPtr sound, bool loop, const String& detail);
    // Stops what plays (noting an end first if it had already finished).
    // Returns whether something was playing.
    bool Stop();
    // True while the started sound has not reached its end; notes the end
    // when it finds it finished.
    bool Playing();
    // Waits, processing nothing, until the sound has played to its end.
    void WaitToEnd();
    // The owner token of the sound that plays (0: none); a new start
    // gives a new one.
    std::uint64_t Token() const { return active_ ? token_ : 0; }
    // Milliseconds the current sound has played so far.
    std::uint32_t ElapsedMs() const;

    void Notice(const String& what, const String& detail) const;

private:
    void NoteEnd();

    int channel_;
    const char* label_;
    bool active_ = false;
    bool loop_ = false;
    std::uint32_t start_ = 0;
    std::uint32_t durationMs_ = 0;
    String detail_;
    std::uint64_t token_ = 0;
};

// Channel 0: sndPlaySoundA. Channel 1: the media player.
SoundChannel& EffectsChannel();
SoundChannel& HelpChannel();

}  // namespace media
