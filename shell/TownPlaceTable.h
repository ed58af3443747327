// The town's 43 places in ProfessionNumber order: the name plate's file name,
// a point inside the place's region of the mask and the name plate's corner,
// both in town-picture pixels. The town game uses the same rows.
#pragma once

#include "platform/core/types.h"

struct TTownPlace {
    Byte ProfessionNumber;
    const char* PlaceCode;
    TPoint SamplePoint;
    TPoint NamePlatePoint;
};

inline constexpr int TownPlaceCount = 43;

// The panorama's size in pixels; the frame's window shows 628 × TownHeight of it.
inline constexpr int TownWidth = 3520;
inline constexpr int TownHeight = 400;

inline constexpr TTownPlace TownPlaceTable[TownPlaceCount] = {
    {1, "hajovna", {50, 180}, {53, 125}},      {2, "les", {320, 170}, {281, 127}},
    {3, "tezvez", {140, 140}, {138, 105}},     {4, "pole", {333, 320}, {379, 287}},
    {5, "farma", {500, 200}, {463, 198}},      {6, "vojtab", {333, 90}, {342, 37}},
    {7, "pekarna", {812, 120}, {816, 76}},     {8, "stavba", {781, 245}, {816, 163}},
    {9, "nadlet", {874, 20}, {909, 30}},       {10, "autmech", {1000, 300}, {921, 176}},
    {11, "nadrazi", {1016, 116}, {1006, 64}},  {12, "obchod", {1110, 102}, {1098, 62}},
    {13, "opersal", {1268, 90}, {1256, 39}},   {14, "nepokoj", {1316, 90}, {1323, 39}},
    {15, "zahrada", {1221, 218}, {1224, 127}}, {16, "ulice", {1383, 343}, {1346, 248}},
    {17, "haszbr", {1476, 246}, {1480, 180}},  {18, "zdrstr", {1474, 91}, {1461, 28}},
    {19, "vetstr", {1540, 81}, {1525, 21}},    {20, "elektro", {2566, 138}, {2576, 90}},
    {21, "skola", {1648, 259}, {1621, 162}},   {22, "doplet", {1655, 43}, {1671, 13}},
    {23, "kader", {1760, 246}, {1754, 208}},   {24, "fotatel", {1824, 195}, {1819, 142}},
    {25, "krizov", {1880, 320}, {1864, 253}},  {26, "reznik", {1884, 196}, {1873, 160}},
    {27, "umatel", {1922, 210}, {1919, 152}},  {28, "restau", {1960, 287}, {1929, 251}},
    {29, "malpok", {2037, 225}, {2034, 171}},  {30, "cukrar", {2041, 294}, {2041, 258}},
    {31, "koupel", {2059, 141}, {2052, 91}},   {32, "labor", {1610, 95}, {1610, 58}},
    {33, "kosmet", {2131, 115}, {2129, 57}},   {34, "krejcov", {2185, 149}, {2182, 96}},
    {35, "divadlo", {2300, 135}, {2277, 66}},  {36, "komin", {2500, 350}, {2512, 363}},
    {37, "studio", {2461, 122}, {2456, 67}},   {38, "posta", {2509, 134}, {2504, 121}},
    {39, "kultur", {2800, 110}, {2774, 40}},   {40, "stadion", {3000, 110}, {2997, 32}},
    {41, "zoo", {3222, 77}, {3226, 31}},       {42, "raketa", {3392, 22}, {3394, 18}},
    {43, "pristav", {3427, 308}, {3405, 128}}};
