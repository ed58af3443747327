#include "tools/datagen/Sounds.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Linear interpolation to SoundRate; speech keeps well at telephone rates.
TPcm Resampled(const TPcm& in) {
    TPcm out;
    out.Rate = SoundRate;
    const double step = double(in.Rate) / SoundRate;
    for (double at = 0; at + 1 < double(in.Samples.size()); at += step) {
        const auto i = std::size_t(at);
        const float t = float(at - double(i));
        out.Samples.push_back(in.Samples[i] * (1 - t) + in.Samples[i + 1] * t);
    }
    return out;
}

std::string ShellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

TPcm Synthesise(const std::string& program, const std::string& text) {
    const std::string command = program + " -v cs --stdout " + ShellQuoted(text) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot start " + program);
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) bytes.append(buffer, n);
    pclose(pipe);
    TPcm pcm;
    if (!ParseWav16(bytes, pcm)) throw std::runtime_error("no speech from " + program + " for: " + text);
    return pcm.Rate == SoundRate ? pcm : Resampled(pcm);
}

}  // namespace

TPcm Tone(double hz, int ms, float volume) {
    TPcm p;
    p.Rate = SoundRate;
    const int n = SoundRate * ms / 1000, fade = std::min(n / 4, SoundRate / 100);
    for (int i = 0; i < n; ++i) {
        float env = 1;
        if (i < fade) env = float(i) / float(fade);
        if (n - i < fade) env = float(n - i) / float(fade);
        p.Samples.push_back(volume * env * float(std::sin(2 * Pi * hz * i / SoundRate)));
    }
    return p;
}

TPcm Notes(const std::vector<double>& hz, int msEach) {
    TPcm p = Tone(hz.front(), msEach);
    for (std::size_t i = 1; i < hz.size(); ++i) Append(p, Tone(hz[i], msEach));
    return p;
}

void Append(TPcm& to, const TPcm& more) { to.Samples.insert(to.Samples.end(), more.Samples.begin(), more.Samples.end()); }

TPcm Lasting(const TPcm& sound, int ms) {
    TPcm p = sound;
    const std::size_t n = std::size_t(p.Rate) * std::size_t(ms) / 1000;
    const bool cut = p.Samples.size() > n;
    p.Samples.resize(n, 0.0f);
    if (cut) {
        const std::size_t fade = std::min(n, std::size_t(p.Rate / 50));
        for (std::size_t i = 0; i < fade; ++i) p.Samples[n - 1 - i] *= float(i) / float(fade);
    }
    return p;
}

TPcm AtLeast(const TPcm& sound, int ms) {
    return sound.DurationMs() >= ms ? sound : Lasting(sound, ms);
}

double DistinctPitch(int i) { return 330.0 * std::pow(2.0, std::fmod(i * 7.0, 24.0) / 12.0); }

TSpeech::TSpeech(std::string program) : program_(std::move(program)), available_(access(program_.c_str(), X_OK) == 0) {}

void TSpeech::Request(const std::string& text) { spoken_.emplace(text, TPcm{}); }

void TSpeech::Run(int threads) {
    std::vector<std::pair<const std::string*, TPcm*>> work;
    for (auto& [text, pcm] : spoken_)
        if (pcm.Samples.empty()) work.emplace_back(&text, &pcm);
    if (!available_) {
        for (auto [text, pcm] : work) {
            // About 70 ms a character, as a low hum.
            *pcm = Tone(220, std::max(300, int(text->size()) * 70), 0.25f);
        }
        return;
    }
    std::atomic<std::size_t> next{0};
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(threads));
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            try {
                for (std::size_t i; (i = next++) < work.size();) *work[i].second = Synthesise(program_, *work[i].first);
            } catch (...) {
                failures[std::size_t(t)] = std::current_exception();
                next = work.size();
            }
        });
    for (auto& t : pool) t.join();
    for (const auto& f : failures)
        if (f) std::rethrow_exception(f);
}

const TPcm& TSpeech::Get(const std::string& text) const {
    auto it = spoken_.find(text);
    if (it == spoken_.end()) throw std::logic_error("speech not requested: " + text);
    return it->second;
}
