// The two sound channels of the SDL backend, mixed into the device's buffer.
// No SDL here: the audio callback calls Mix, the program calls Play and
// Stop; the mixer's own lock keeps them apart. While nothing plays the
// callback can be made to wait, so that a silent program costs nothing.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/backend/backend.h"

namespace backend::sdl {

class ChannelMixer {
public:
    static constexpr int kChannels = 2;

    // Replaces what the channel plays; a null sound stops it. Returns the
    // sound that was replaced, so that the caller can let it go after
    // unlocking the device rather than inside the audio thread's lock.
    std::shared_ptr<const SoundBuffer> Play(int channel, std::shared_ptr<const SoundBuffer> sound, bool loop);
    std::shared_ptr<const SoundBuffer> Stop(int channel) { return Play(channel, nullptr, false); }

    // Fills `frames` interleaved stereo frames: the channels summed, clipped
    // to 16 bits, silence where nothing plays. A looped sound wraps; a
    // finished one stays silent until it is replaced. Once silent waiting is
    // on, a call while nothing plays first waits for a sound (or Release).
    void Mix(std::int16_t* out, std::size_t frames);

    // From the steady-clock time fromNs on, Mix waits while nothing plays.
    // Before it, silence is mixed: a sound server wants a steady stream in
    // its first seconds, or it takes a second of it at once and then asks
    // for nothing for two.
    void WaitWhileSilent(std::int64_t fromNs);
    // Ends a wait in Mix and every later one: the device is closing.
    void Release();

    bool Playing(int channel) const;

    // Steady-clock nanoseconds at which Mix last began copying a sound just
    // started (0 before the first): how a benchmark sees the latency from
    // Play to the device.
    std::int64_t FirstMixedNs() const { return firstMixedNs_.load(std::memory_order_acquire); }

private:
    struct Voice {
        std::shared_ptr<const SoundBuffer> sound;
        std::size_t frame = 0;
        bool loop = false;
        bool fresh = false;  // not yet reached the device
    };

    static void AddVoice(Voice& voice, std::int16_t* out, std::size_t frames);
    static bool Sounding(const Voice& voice);
    bool AnySounding() const;
    bool MayWait() const;

    mutable std::mutex lock_;
    std::condition_variable played_;
    std::array<Voice, kChannels> voices_;
    std::int64_t waitFromNs_ = -1;  // negative: never wait
    bool released_ = false;
    std::atomic<std::int64_t> firstMixedNs_{0};
};

}  // namespace backend::sdl
