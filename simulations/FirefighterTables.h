// The firefighter's house: its twelve windows, the water stream of each
// window and the pictures the fire strip is composed of.
#pragma once

#include "platform/core/types.h"

inline constexpr int FireWindowCount = 12;
inline constexpr int FireWindowWidth = 40;
inline constexpr int FireWindowHeight = 60;
inline constexpr int FireStripFrames = 116;
inline constexpr int CannonPictureCount = 13;  // delo0..delo12

// Left, top of windows Okno1..Okno12.
inline constexpr TPoint FireWindowTable[FireWindowCount] = {
    {181, 54},  {261, 54},  {339, 54},  {419, 54},  {181, 148}, {261, 148},
    {339, 148}, {419, 148}, {181, 243}, {261, 243}, {339, 243}, {419, 243}};

struct TWaterStreamRecord {
    int X, Y, W, H;  // where frames are drawn, and one frame's size
};

inline constexpr TWaterStreamRecord WaterStreamTable[FireWindowCount] = {
    {168, 53, 136, 268}, {250, 51, 72, 264},  {318, 51, 72, 264},  {336, 53, 136, 268},
    {166, 144, 128, 188}, {251, 147, 64, 180}, {325, 147, 64, 180}, {346, 144, 128, 188},
    {166, 241, 120, 112}, {247, 240, 68, 100}, {325, 240, 68, 100}, {354, 241, 120, 112}};

// The stream's start, loop and end phases need at least this many frames.
inline constexpr int WaterStreamMinFrames = 8;

struct TFireStripPart {
    const char* Name;  // "simul\hasic\ohen\" + Name + ".bmp"
    Byte Copies;       // copied this many times, one after another
    int FirstX;        // x of the first copy in the strip
    int Width;         // the picture's width: its frames × 40
};

inline constexpr TFireStripPart FireStripTable[8] = {
    {"uvod", 1, 0, 200},       {"ohen1", 4, 200, 240},  {"ohen1-2", 1, 1160, 120},
    {"ohen2", 5, 1280, 240},   {"ohen2-3", 1, 2480, 120}, {"ohen3", 5, 2600, 240},
    {"konec", 1, 3800, 160},   {"spal", 1, 3960, 680}};
