#include "platform/backend/sdl/sdl_channels.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace backend::sdl {

namespace {
std::int64_t SteadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::size_t FramesOf(const SoundBuffer& sound) { return sound.samples.size() / 2; }
}  // namespace

std::shared_ptr<const SoundBuffer> ChannelMixer::Play(int channel, std::shared_ptr<const SoundBuffer> sound,
                                                      bool loop) {
    if (channel < 0 || channel >= kChannels) return sound;
    std::lock_guard<std::mutex> hold(lock_);
    Voice& voice = voices_[std::size_t(channel)];
    std::shared_ptr<const SoundBuffer> replaced = std::move(voice.sound);
    voice.sound = std::move(sound);
    voice.frame = 0;
    voice.loop = loop;
    voice.fresh = voice.sound != nullptr;
    if (Sounding(voice)) played_.notify_all();
    return replaced;
}

bool ChannelMixer::Sounding(const Voice& voice) {
    if (!voice.sound) return false;
    const std::size_t total = FramesOf(*voice.sound);
    return voice.frame < total || (voice.loop && total > 0);
}

bool ChannelMixer::Playing(int channel) const {
    if (channel < 0 || channel >= kChannels) return false;
    std::lock_guard<std::mutex> hold(lock_);
    return Sounding(voices_[std::size_t(channel)]);
}

bool ChannelMixer::AnySounding() const {
    for (const Voice& voice : voices_)
        if (Sounding(voice)) return true;
    return false;
}

bool ChannelMixer::MayWait() const { return !released_ && waitFromNs_ >= 0 && SteadyNowNs() >= waitFromNs_; }

void ChannelMixer::WaitWhileSilent(std::int64_t fromNs) {
    std::lock_guard<std::mutex> hold(lock_);
    waitFromNs_ = fromNs;
}

void ChannelMixer::Release() {
    std::lock_guard<std::mutex> hold(lock_);
    released_ = true;
    played_.notify_all();
}

void ChannelMixer::Mix(std::int16_t* out, std::size_t frames) {
    std::unique_lock<std::mutex> hold(lock_);
    if (!AnySounding() && MayWait()) played_.wait(hold, [this] { return released_ || AnySounding(); });
    std::memset(out, 0, frames * 2 * sizeof(std::int16_t));
    for (Voice& voice : voices_) {
        if (voice.fresh && voice.sound && FramesOf(*voice.sound) > 0) {
            firstMixedNs_.store(SteadyNowNs(), std::memory_order_release);
        }
        voice.fresh = false;
        AddVoice(voice, out, frames);
    }
}

void ChannelMixer::AddVoice(Voice& voice, std::int16_t* out, std::size_t frames) {
    if (!voice.sound) return;
    const std::size_t total = FramesOf(*voice.sound);
    const std::int16_t* samples = voice.sound->samples.data();
    std::size_t done = 0;
    while (done < frames) {
        if (voice.frame >= total) {
            if (!voice.loop || total == 0) return;
            voice.frame = 0;
        }
        const std::size_t n = std::min(frames - done, total - voice.frame);
        const std::int16_t* from = samples + voice.frame * 2;
        std::int16_t* to = out + done * 2;
        for (std::size_t i = 0; i < n * 2; ++i) {
            const int sum = int(to[i]) + int(from[i]);
            to[i] = std::int16_t(std::clamp(sum, -32768, 32767));
        }
        voice.frame += n;
        done += n;
    }
}

}  // namespace backend::sdl
