// Test helpers for the media suites: a backend with a virtual clock that
// records what it is asked to do, and writers for small WAV files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/backend.h"

namespace media_test {

struct PlayCall {
    int channel;
    std::uint32_t tick;
    std::uint32_t ms;
    bool loop;
};

class FakeBackend : public backend::Backend {
public:
    std::uint32_t now = 1000;
    std::vector<PlayCall> plays;
    std::vector<std::pair<int, std::uint32_t>> stops;
    std::vector<std::uint32_t> sleeps;
    std::vector<std::string> notices;
    int polls = 0;

    std::uint32_t Ticks() override { return now; }
    void Sleep(std::uint32_t ms) override { sleeps.push_back(ms); now += ms; }
    bool PollEvent(backend::Event&) override { ++polls; return false; }
    bool WaitEvent(backend::Event&, std::int64_t) override { ++polls; return false; }
    void Present(const Surface&, const TRect&) override {}
    TPoint PointerPos() override { return {}; }
    void SetCursor(const backend::CursorData&) override {}
    void ShowPointer(bool) override {}
    void SetFullscreen(bool) override {}
    void PlaySound(int channel, std::shared_ptr<const backend::SoundBuffer> sound, bool loop) override {
        plays.push_back({channel, now, sound->DurationMs(), loop});
    }
    void StopSound(int channel) override { stops.push_back({channel, now}); }
    void Notice(const String& what) override { notices.push_back(what); }

    // Notices that begin with prefix, in order.
    std::vector<std::string> NoticesStarting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (auto& n : notices)
            if (n.rfind(prefix, 0) == 0) out.push_back(n);
        return out;
    }
};

// Installs a fresh fake backend for the test and hands it out.
inline FakeBackend& InstallFakeBackend() {
    auto fake = std::make_unique<FakeBackend>();
    FakeBackend& ref = *fake;
    backend::Install(std::move(fake));
    return ref;
}

// A temporary folder removed at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velamo-media-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void Put16(std::vector<std::uint8_t>& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void PutFourCC(std::vector<std::uint8_t>& b, const char* f) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(f[i]));
}

// WAV format tags.
constexpr unsigned kWavPcm = 1, kWavALaw = 6, kWavMuLaw = 7;

// A RIFF WAVE file of `frames` frames of a quiet square wave.
inline std::vector<std::uint8_t> MakeWav(unsigned format, unsigned bits, unsigned channels, std::uint32_t rate,
                                         std::uint32_t frames) {
    std::vector<std::uint8_t> data;
    unsigned bytesPerSample = bits / 8;
    for (std::uint32_t i = 0; i < frames; ++i)
        for (unsigned c = 0; c < channels; ++c) {
            bool high = (i / 20) % 2;
            if (bytesPerSample == 1) data.push_back(format == kWavPcm ? (high ? 0xA0 : 0x60) : (high ? 0x10 : 0x90));
            else Put16(data, high ? 0x2000 : 0xE000);
        }
    std::vector<std::uint8_t> w;
    PutFourCC(w, "RIFF");
    Put32(w, std::uint32_t(4 + 8 + 16 + 8 + data.size()));
    PutFourCC(w, "WAVE");
    PutFourCC(w, "fmt ");
    Put32(w, 16);
    Put16(w, format);
    Put16(w, channels);
    Put32(w, rate);
    Put32(w, rate * channels * bytesPerSample);
    Put16(w, channels * bytesPerSample);
    Put16(w, bits);
    PutFourCC(w, "data");
    Put32(w, std::uint32_t(data.size()));
    w.insert(w.end(), data.begin(), data.end());
    if (data.size() % 2) w.push_back(0);
    return w;
}

constexpr unsigned kWavMsAdpcm = 2, kWavImaAdpcm = 0x11;

// A mono 4-bit ADPCM file (MS or IMA) of `blocks` blocks of 256 bytes, each
// with a valid header and arbitrary codes: 500 (MS) or 505 (IMA) samples a
// block.
inline std::vector<std::uint8_t> MakeAdpcmWav(unsigned format, std::uint32_t rate, std::uint32_t blocks) {
    constexpr unsigned kBlock = 256;
    const bool ms = format == kWavMsAdpcm;
    std::vector<std::uint8_t> fmt;
    Put16(fmt, format);
    Put16(fmt, 1);
    Put32(fmt, rate);
    Put32(fmt, rate * kBlock / (ms ? 500 : 505));
    Put16(fmt, kBlock);
    Put16(fmt, 4);
    if (ms) {
        Put16(fmt, 32);
        Put16(fmt, 500);
        Put16(fmt, 7);
        for (int c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232}) Put16(fmt, unsigned(c) & 0xFFFF);
    } else {
        Put16(fmt, 2);
        Put16(fmt, 505);
    }
    std::vector<std::uint8_t> data;
    for (std::uint32_t b = 0; b < blocks; ++b) {
        const std::size_t start = data.size();
        if (ms) {
            data.push_back(0);  // predictor
            Put16(data, 16);    // delta
            Put16(data, 0);
            Put16(data, 0);
        } else {
            Put16(data, 0);
            data.push_back(20);  // step index
            data.push_back(0);
        }
        while (data.size() - start < kBlock) data.push_back(std::uint8_t(0x71 + 0x22 * (data.size() % 5)));
    }
    std::vector<std::uint8_t> w;
    PutFourCC(w, "RIFF");
    Put32(w, std::uint32_t(4 + 8 + fmt.size() + 8 + data.size()));
    PutFourCC(w, "WAVE");
    PutFourCC(w, "fmt ");
    Put32(w, std::uint32_t(fmt.size()));
    w.insert(w.end(), fmt.begin(), fmt.end());
    PutFourCC(w, "data");
    Put32(w, std::uint32_t(data.size()));
    w.insert(w.end(), data.begin(), data.end());
    return w;
}

// A plain 8-bit mono 11025 Hz PCM file lasting ms milliseconds (rounded up
// to whole frames, so the device length in whole milliseconds is ms).
inline std::vector<std::uint8_t> MakeWavMs(std::uint32_t ms) {
    return MakeWav(kWavPcm, 8, 1, 11025, (11025 * ms + 999) / 1000);
}

}  // namespace media_test
