#include "platform/media/sound_file.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace media {

namespace {

constexpr int kDeviceRate = 44100;
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 192000;
// The largest sound made ready for the device, a little over six minutes:
// what a damaged or hostile file can make the decoder allocate at most.
constexpr std::size_t kMaxDeviceBytes = std::size_t(64) << 20;

SoundPtr ConvertToDeviceFormat(const SDL_AudioSpec& spec, const Uint8* data, Uint32 length) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 2, kDeviceRate) < 0)
        return nullptr;
    if (std::size_t(length) * std::size_t(cvt.len_mult) > kMaxDeviceBytes) return nullptr;
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

std::uint32_t Le16(const Uint8* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t Le32(const Uint8* p) { return Le16(p) | Le16(p + 2) << 16; }

// What the checked file says of its sound.
struct WaveShape {
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t blockAlign = 0;
    std::uint32_t bits = 0;
    std::size_t dataSize = 0;
};

// The file's RIFF structure, looked at before any decoder sees it: "RIFF"
// and "WAVE", the RIFF extent inside the file (the last chunk's pad byte may
// be missing), every chunk inside that extent, a format chunk of the common
// fields before the first data chunk. The sound must be mono or stereo at a
// rate a sound can have. A decoder would otherwise allocate by what a
// damaged or hostile header claims.
std::optional<WaveShape> CheckWave(const Uint8* d, std::size_t size) {
    if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) return std::nullopt;
    const std::size_t riffEnd = 8 + std::size_t(Le32(d + 4));
    if (riffEnd > size + 1) return std::nullopt;
    const std::size_t end = std::min(riffEnd, size);
    const Uint8* format = nullptr;
    std::optional<std::size_t> dataSize;
    for (std::size_t at = 12; at + 8 <= end;) {
        const std::size_t length = Le32(d + at + 4);
        if (length > end - at - 8) return std::nullopt;
        if (std::memcmp(d + at, "fmt ", 4) == 0 && !format && !dataSize) {
            if (length < 16) return std::nullopt;
            format = d + at + 8;
        } else if (std::memcmp(d + at, "data", 4) == 0 && !dataSize) {
            if (!format) return std::nullopt;
            dataSize = length;
        }
        at += 8 + length + (length & 1);
    }
    if (!format || !dataSize) return std::nullopt;
    WaveShape shape{Le16(format + 2), Le32(format + 4), Le16(format + 12), Le16(format + 14), *dataSize};
    if (shape.channels < 1 || shape.channels > 2) return std::nullopt;
    if (shape.rate < kMinRate || shape.rate > kMaxRate) return std::nullopt;
    if (shape.blockAlign == 0 || shape.bits == 0) return std::nullopt;
    return shape;
}

// The device bytes the data can give at most: every encoding takes at least
// 4 bits a sample.
std::uint64_t MostDeviceBytes(const WaveShape& shape) {
    const std::uint64_t samples = std::uint64_t(shape.dataSize) * 8 / std::max<std::uint32_t>(shape.bits, 4);
    return (samples / shape.channels + 1) * kDeviceRate / shape.rate * 4 + 4;
}

}  // namespace

SoundPtr DecodeWav(const void* data, std::size_t size) {
    if (!data || size == 0 || size > std::size_t(INT_MAX)) return nullptr;
    const auto* bytes = static_cast<const Uint8*>(data);
    const std::optional<WaveShape> shape = CheckWave(bytes, size);
    if (!shape || MostDeviceBytes(*shape) > kMaxDeviceBytes) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
    if (!rw) return nullptr;
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &samples, &length)) return nullptr;
    // A decoder's output out of proportion to the data (4 bits a sample
    // decoded to 16 is the most) is refused as well.
    SoundPtr sound;
    if (std::uint64_t(length) <= 4 * (std::uint64_t(shape->dataSize) + shape->blockAlign))
        sound = ConvertToDeviceFormat(spec, samples, length);
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
        bytes = ReadDataFile(real, file_limit::kSound);
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
