// The firefighter's house written out for the tests: the left, top corner of
// each of its twelve 40x60 windows, and where each window's water stream is
// drawn with one frame's size.
#pragma once

#include "platform/core/types.h"

inline constexpr int kFireWindowWidth = 40, kFireWindowHeight = 60;

inline constexpr TPoint kFireWindowCorners[12] = {
    {181, 54},  {261, 54},  {339, 54},  {419, 54},  {181, 148}, {261, 148},
    {339, 148}, {419, 148}, {181, 243}, {261, 243}, {339, 243}, {419, 243}};

struct TStreamPlace {
    int X, Y, W, H;
};

inline constexpr TStreamPlace kWaterStreamPlaces[12] = {
    {168, 53, 136, 268}, {250, 51, 72, 264},  {318, 51, 72, 264},  {336, 53, 136, 268},
    {166, 144, 128, 188}, {251, 147, 64, 180}, {325, 147, 64, 180}, {346, 144, 128, 188},
    {166, 241, 120, 112}, {247, 240, 68, 100}, {325, 240, 68, 100}, {354, 241, 120, 112}};
