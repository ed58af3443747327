// Writers for the sound, video and cursor files of the data tree. Each
// returns the whole file as bytes.
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/graphics.h"

struct TPcm {
    int Rate = 11025;
    std::vector<float> Samples;  // mono, -1..1

    int DurationMs() const { return int(Samples.size() * 1000 / std::size_t(Rate)); }
};

// A RIFF/WAVE PCM file, mono, 8 or 16 bits a sample.
std::string WavFile(const TPcm& sound, int bits = 8);
// Parses a mono or stereo 16-bit PCM WAV (as a speech synthesiser writes it);
// returns false when the bytes are not one.
bool ParseWav16(const std::string& bytes, TPcm& out);

// An AVI with one video stream and no sound: frames stored as uncompressed
// 24-bit bottom-up DIBs. Every frame has the first frame's size; the width
// must be a multiple of 4.
std::string AviUncompressed(const std::vector<Surface>& frames, int framesPerSecond);
// The same with 8-bit frames compressed as RLE8, over a fixed 6×7×6 colour
// cube palette (colours are mapped to the nearest cube colour).
std::string AviRle8(const std::vector<Surface>& frames, int framesPerSecond);
// The palette index AviRle8 stores for a colour.
Byte Rle8PaletteIndex(TColor colour);
TColor Rle8PaletteColour(Byte index);

// A .cur file holding one 32×32 two-colour cursor. Rows are 32 characters:
// 'X' black, 'o' white, anything else transparent.
std::string CursorFile(const std::vector<std::string>& rows, int hotX, int hotY);
