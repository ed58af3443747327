// Basic types shared by the whole platform layer and the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Strings are UTF-8 inside the program; code page 1250 appears only at file formats.
using String = std::string;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using Cardinal = std::uint32_t;
using LongBool = std::int32_t;

// Colours as the class library stores them: red + 256*green + 65536*blue.
using TColor = std::int32_t;

constexpr TColor RGBColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNavy = 0x800000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBtnFace = 0xF0F0F0;      // the desktop scheme's button face
constexpr TColor clWindowText = 0x000000;
constexpr TColor clNone = 0x1FFFFFFF;

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

// Root of the class library's object tree.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// The class library's short string: a length byte and up to 255 characters
// of code page 1250. Passed by reference across the print library's boundary.
struct ShortString {
    Byte Length = 0;
    char Chars[255] = {};
};
