// Placeholder sounds: short tones, and Czech speech through espeak-ng where
// it is installed (tones of a fitting length where it is not).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/datagen/RiffWriters.h"

inline constexpr int SoundRate = 8000;
// A sound the screen waits for while it shows a picture lasts at least this.
inline constexpr int SolvedSceneMinMs = 1000;

// A tone of `ms` milliseconds at `hz`, with soft ends; several notes are
// played one after another.
TPcm Tone(double hz, int ms, float volume = 0.5f);
TPcm Notes(const std::vector<double>& hz, int msEach);
void Append(TPcm& to, const TPcm& more);
// The sound made exactly `ms` long: silence added at the end, or its end cut
// off with a short fade.
TPcm Lasting(const TPcm& sound, int ms);
// The sound with silence added up to at least `ms`.
TPcm AtLeast(const TPcm& sound, int ms);
// A pitch of its own for index i, in a pleasant range.
double DistinctPitch(int i);

// Speaks many texts at once: Request every text, then Run, then Get.
class TSpeech {
public:
    explicit TSpeech(std::string program = "/usr/bin/espeak-ng");
    bool Available() const { return available_; }
    void Request(const std::string& text);
    void Run(int threads);
    // The spoken text at SoundRate, or a tone as long as the text would take
    // to say when no synthesiser is installed.
    const TPcm& Get(const std::string& text) const;

private:
    std::string program_;
    bool available_;
    std::map<std::string, TPcm> spoken_;
};
