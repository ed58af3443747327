#include "platform/media/mediaplayer.h"

#include <algorithm>

#include "platform/media/sound_channel.h"

namespace {

constexpr std::size_t kFramesPerSecond = 44100;

std::size_t FrameCount(const backend::SoundBuffer& sound) { return sound.samples.size() / 2; }

}  // namespace

TMediaPlayer::~TMediaPlayer() { Close(); }

bool TMediaPlayer::OwnsChannel() const {
    return playToken_ != 0 && media::HelpChannel().Token() == playToken_;
}

void TMediaPlayer::Open() {
    Close();
    media::SoundPtr sound = media::LoadSoundFile(FileName);
    if (!sound) throw EMCIDeviceError("The media player cannot play \"" + FileName + "\"");
    sound_ = std::move(sound);
    openedName_ = FileName;
    positionFrames_ = 0;
}

void TMediaPlayer::Play() {
    if (!sound_) throw EMCIDeviceError("The media player has no file open");
    if (Mode() == mpPlaying) return;
    std::size_t total = FrameCount(*sound_);
    if (positionFrames_ >= total) positionFrames_ = 0;
    media::SoundPtr part = sound_;
    if (positionFrames_ > 0) {
        auto rest = std::make_shared<backend::SoundBuffer>();
        rest->samples.assign(sound_->samples.begin() + std::ptrdiff_t(positionFrames_ * 2), sound_->samples.end());
        part = rest;
    }
    media::SoundChannel& channel = media::HelpChannel();
    channel.Start(part, false, "file=" + openedName_);
    playToken_ = channel.Token();
    playStartFrame_ = positionFrames_;
}

void TMediaPlayer::Stop() {
    if (!OwnsChannel()) return;
    media::SoundChannel& channel = media::HelpChannel();
    std::size_t played = std::size_t(channel.ElapsedMs()) * kFramesPerSecond / 1000;
    if (channel.Stop()) positionFrames_ = std::min(FrameCount(*sound_), playStartFrame_ + played);
    else positionFrames_ = FrameCount(*sound_);
    playToken_ = 0;
}

void TMediaPlayer::Close() {
    Stop();
    sound_.reset();
    openedName_.clear();
    positionFrames_ = 0;
}

TMPModes TMediaPlayer::Mode() {
    if (!sound_) return mpNotReady;
    if (OwnsChannel()) {
        if (media::HelpChannel().Playing()) return mpPlaying;
        positionFrames_ = FrameCount(*sound_);
        playToken_ = 0;
    }
    return mpStopped;
}
