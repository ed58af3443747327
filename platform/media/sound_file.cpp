#include "platform/media/sound_file.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace media {

namespace {

constexpr int kDeviceRate = 44100;

SoundPtr ConvertToDeviceFormat(const SDL_AudioSpec& spec, const Uint8* data, Uint32 length) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 2, kDeviceRate) < 0)
        return nullptr;
    if (std::size_t(length) * std::size_t(cvt.len_mult) > std::size_t(INT_MAX)) return nullptr;
    std::vector<Uint8> work(std::size_t(length) * std::size_t(cvt.len_mult) + 16);
    std::copy(data, data + length, work.begin());
    cvt.buf = work.data();
    cvt.len = int(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return nullptr;
    std::size_t bytes = cvt.needed ? std::size_t(cvt.len_cvt) : std::size_t(length);
    auto sound = std::make_shared<backend::SoundBuffer>();
    sound->samples.resize(bytes / 4 * 2);
    std::copy(work.data(), work.data() + sound->samples.size() * 2, reinterpret_cast<Uint8*>(sound->samples.data()));
    return sound;
}

struct CachedSound {
    long long mtimeNs = 0;
    long long size = 0;
    SoundPtr sound;
};

std::map<String, CachedSound>& Cache() {
    static std::map<String, CachedSound> cache;
    return cache;
}

void Put32(std::vector<Uint8>& b, std::size_t at, std::size_t value) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = Uint8(value >> (8 * i));
}

// A copy of the file whose RIFF and chunk sizes claim no more than the
// bytes present: the decoder allocates by the claimed sizes, and a damaged
// or cut file would otherwise ask for gigabytes.
std::vector<Uint8> WithSizesClamped(const Uint8* data, std::size_t size) {
    std::vector<Uint8> b(data, data + size);
    auto u32 = [&](std::size_t at) {
        return std::size_t(b[at]) | std::size_t(b[at + 1]) << 8 | std::size_t(b[at + 2]) << 16 | std::size_t(b[at + 3]) << 24;
    };
    if (size < 12) return b;
    if (u32(4) > size - 8) Put32(b, 4, size - 8);
    for (std::size_t at = 12; at + 8 <= size;) {
        std::size_t length = u32(at + 4), room = size - at - 8;
        if (length > room) Put32(b, at + 4, length = room);
        at += 8 + length + (length & 1);
    }
    return b;
}

}  // namespace

SoundPtr DecodeWav(const void* data, std::size_t size) {
    if (!data || size == 0 || size > std::size_t(INT_MAX)) return nullptr;
    std::vector<Uint8> bytes = WithSizesClamped(static_cast<const Uint8*>(data), size);
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    if (!rw) return nullptr;
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &samples, &length)) return nullptr;
    SoundPtr sound = ConvertToDeviceFormat(spec, samples, length);
    SDL_FreeWAV(samples);
    return sound;
}

SoundPtr LoadSoundFile(const String& name) {
    String real = ResolvePath(name);
    struct stat st{};
    if (stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    long long mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    auto found = Cache().find(real);
    if (found != Cache().end() && found->second.mtimeNs == mtimeNs && found->second.size == st.st_size)
        return found->second.sound;

    std::string bytes;
    try {
        bytes = ReadWholeFile(real);
    } catch (const Exception&) {
        return nullptr;
    }
    SoundPtr sound = DecodeWav(bytes.data(), bytes.size());
    if (sound) Cache()[real] = CachedSound{mtimeNs, (long long)st.st_size, sound};
    return sound;
}

SoundPtr DefaultSound() {
    static const SoundPtr tone = [] {
        // 250 ms of 880 Hz with a short fade at both ends, so it does not click.
        constexpr int frames = kDeviceRate / 4;
        constexpr int fade = kDeviceRate / 100;
        auto sound = std::make_shared<backend::SoundBuffer>();
        sound->samples.resize(frames * 2);
        for (int i = 0; i < frames; ++i) {
            double envelope = std::min({1.0, double(i) / fade, double(frames - 1 - i) / fade});
            auto v = std::int16_t(std::lround(8000.0 * envelope * std::sin(2.0 * M_PI * 880.0 * i / kDeviceRate)));
            sound->samples[2 * i] = v;
            sound->samples[2 * i + 1] = v;
        }
        return SoundPtr(sound);
    }();
    return tone;
}

}  // namespace media
