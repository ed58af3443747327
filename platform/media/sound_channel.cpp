#include "platform/media/sound_channel.h"

namespace media {

void SoundChannel::Notice(const String& what, const String& detail) const {
    String line = String(label_) + " " + what + " ch" + std::to_string(channel_);
    if (!detail.empty()) line += " " + detail;
    backend::Current().Notice(line);
}

void SoundChannel::Start(SoundPtr sound, bool loop, const String& detail) {
    Stop();
    auto& device = backend::Current();
    active_ = true;
    loop_ = loop;
    start_ = device.Ticks();
    durationMs_ = sound->DurationMs();
    detail_ = detail;
    ++token_;
    Notice("start", detail + " ms=" + std::to_string(durationMs_) + (loop ? " loop" : ""));
    device.PlaySound(channel_, std::move(sound), loop);
}

bool SoundChannel::Stop() {
    if (!Playing()) return false;
    backend::Current().StopSound(channel_);
    active_ = false;
    Notice("stop", detail_);
    return true;
}

bool SoundChannel::Playing() {
    if (!active_) return false;
    if (loop_ || ElapsedMs() < durationMs_) return true;
    NoteEnd();
    return false;
}

std::uint32_t SoundChannel::ElapsedMs() const {
    return active_ ? std::uint32_t(backend::Current().Ticks() - start_) : 0;
}

void SoundChannel::WaitToEnd() {
    if (!active_ || loop_) return;
    std::uint32_t elapsed = ElapsedMs();
    if (elapsed < durationMs_) backend::Current().Sleep(durationMs_ - elapsed);
    Playing();
}

void SoundChannel::NoteEnd() {
    active_ = false;
    Notice("end", detail_ + " tick=" + std::to_string(std::uint32_t(start_ + durationMs_)));
}

SoundChannel& EffectsChannel() {
    static SoundChannel channel(0, "sound");
    return channel;
}

SoundChannel& HelpChannel() {
    static SoundChannel channel(1, "help");
    return channel;
}

}  // namespace media
