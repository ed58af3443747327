// Shared helpers of the data tree tests: the tree's folder, the catalogue's
// list of files derived from the program's tables, picture loading and a
// region fill.
#pragma once

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/graphics.h"

inline std::string DataPath(const std::string& relative) {
    std::string path = std::string(VELAMO_APP_DIR) + "/" + relative;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

inline std::string ReadBytes(const std::string& relative) {
    std::ifstream in(DataPath(relative), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::unique_ptr<TBitmap> LoadPicture(const std::string& relative) {
    auto b = std::make_unique<TBitmap>();
    b->LoadFromFile(DataPath(relative));
    return b;
}

inline std::uint32_t Le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(s[at + std::size_t(i)]);
    return v;
}
inline unsigned Le16(const std::string& s, std::size_t at) {
    return unsigned(std::uint8_t(s[at])) | (unsigned(std::uint8_t(s[at + 1])) << 8);
}

// A PCM sound file's format and length.
struct TWav {
    bool Valid = false;
    unsigned Channels = 0, Bits = 0, Rate = 0;
    std::size_t DataBytes = 0;
    int DurationMs() const { return Rate && Bits ? int(DataBytes * 1000 / (Rate * Channels * Bits / 8)) : 0; }
};
TWav ReadWav(const std::string& relative);

// Every file of the tree, in the program's spelling, derived from its tables.
std::vector<std::string> CatalogueFiles();

// The points 4-connected to `start` whose colour is not `border` (a
// border-bounded fill, as the program's hit tests do).
struct TRegion {
    std::vector<TPoint> Points;
    bool TouchesEdge = false;
    std::set<TColor> Colours;
    bool Contains(TPoint p) const;
    std::vector<bool> Inside;  // width × height
    int Width = 0;
};
TRegion FillRegion(const Surface& s, TPoint start, TColor border);
