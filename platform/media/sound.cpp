#include "platform/media/sound.h"

#include "platform/media/sound_channel.h"
#include "platform/media/sound_file.h"
#include "platform/ui/desktop.h"

namespace {

String Detail(UINT flags, const String& file) {
    return "flags=" + std::to_string(flags) + " file=" + file;
}

}  // namespace

BOOL sndPlaySoundA(const char* name, UINT flags) {
    media::SoundChannel& channel = media::EffectsChannel();
    if (!name) {
        channel.Stop();
        return 1;
    }
    String file = name;
    if ((flags & SND_NOSTOP) && channel.Playing()) {
        channel.Notice("drop", Detail(flags, file));
        return 0;
    }
    media::SoundPtr sound = (flags & SND_MEMORY) ? nullptr : media::LoadSoundFile(file);
    if (!sound) {
        channel.Stop();
        channel.Notice("missing", Detail(flags, file));
        if (flags & SND_NODEFAULT) return 0;
        sound = media::DefaultSound();
        file = "(default)";
    }
    bool async = flags & SND_ASYNC;
    // What was drawn shows while the sound plays through.
    if (!async) ui::PresentDrawn();
    channel.Start(sound, async && (flags & SND_LOOP), Detail(flags, file));
    if (!async) channel.WaitToEnd();
    return 1;
}

bool SoundIsPlaying() { return media::EffectsChannel().Playing(); }
