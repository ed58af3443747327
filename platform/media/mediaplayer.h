// The class library's media player, for WAV files: spoken help on sound
// channel 1, independent of sndPlaySoundA's channel 0.
#pragma once

#include <cstddef>

#include "platform/core/exceptions.h"
#include "platform/core/types.h"
#include "platform/media/sound_file.h"
#include "platform/ui/controls.h"

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// Invisible: a component of its form, with no window of its own.
class TMediaPlayer : public TComponent {
public:
    explicit TMediaPlayer(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TMediaPlayer() override;

    String FileName;

    // Opens FileName, closing a device still open first. A file it cannot
    // open or decode raises EMCIDeviceError (never a "Cannot open file"
    // message); the player then stays closed.
    void Open();
    // Starts playing from the current position (from the start when it is
    // at the end) and returns at once. EMCIDeviceError when not open.
    void Play();
    // Stops playing; the position stays where it stopped.
    void Stop();
    // Stops and closes the device.
    void Close();
    // mpNotReady when closed; mpPlaying while the sound plays; else mpStopped.
    TMPModes Mode();

private:
    bool OwnsChannel() const;

    media::SoundPtr sound_;
    String openedName_;
    std::size_t positionFrames_ = 0;
    std::uint64_t playToken_ = 0;
    std::size_t playStartFrame_ = 0;
};
