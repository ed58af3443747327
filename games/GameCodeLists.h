// The games' profession codes. GameCodeList43 is in Czech alphabetical order
// ("ch" after "h"); the shorter lists name the files of single games.
#pragma once

#include "platform/core/types.h"

struct TGameProfession {
    const char* Code;
    const char* DisplayName;  // UTF-8
};

inline constexpr TGameProfession GameCodeList43[43] = {
    {"auto", "automechanik"},   {"cukr", "cukrářka"},       {"drevo", "drevorubec"},
    {"elektr", "elektrikář"},   {"farmar", "farmář"},       {"foto", "fotograf"},
    {"hajny", "hajný"},         {"hasic", "hasič"},         {"hokej", "hokejista"},
    {"hornik", "horník"},       {"chemik", "chemik"},       {"instal", "instalatér"},
    {"kader", "kadeřnice"},     {"komin", "kominík"},       {"kosmo", "kosmonaut"},
    {"kuchar", "kuchař"},       {"lekar", "lékař"},         {"letus", "letuška"},
    {"liston", "listonoška"},   {"malpok", "malíř pokojů"}, {"model", "modelka"},
    {"muzik", "muzikant"},      {"namor", "námořník"},      {"pekar", "pekař"},
    {"pilot", "pilot"},         {"polda", "policista"},     {"popel", "popelář"},
    {"prodav", "prodavačka"},   {"reznik", "řezník"},       {"svadl", "švadlena"},
    {"trak", "traktorista"},    {"ucitel", "učitelka"},     {"umelec", "umělec"},
    {"veter", "veterinář"},     {"vizaz", "vizážistka"},    {"vojak", "voják"},
    {"vyprav", "výpravčí"},     {"zahrad", "zahradník"},    {"zdses", "zdravotní sestra"},
    {"zednik", "zedník"},       {"zoo", "ošetřovatel v ZOO"}, {"zubar", "zubař"},
    {"zvukar", "zvukař"}};

// The sound game's 29 codes: GameCodeList43 entries in the same order.
inline constexpr TGameProfession GameCodeList29[29] = {
    {"auto", "automechanik"}, {"drevo", "drevorubec"},   {"farmar", "farmář"},
    {"foto", "fotograf"},     {"hajny", "hajný"},        {"hasic", "hasič"},
    {"hokej", "hokejista"},   {"hornik", "horník"},      {"chemik", "chemik"},
    {"instal", "instalatér"}, {"kader", "kadeřnice"},    {"kuchar", "kuchař"},
    {"lekar", "lékař"},       {"letus", "letuška"},      {"liston", "listonoška"},
    {"malpok", "malíř pokojů"}, {"muzik", "muzikant"},   {"pilot", "pilot"},
    {"polda", "policista"},   {"popel", "popelář"},      {"prodav", "prodavačka"},
    {"reznik", "řezník"},     {"trak", "traktorista"},   {"ucitel", "učitelka"},
    {"vizaz", "vizážistka"},  {"vojak", "voják"},        {"vyprav", "výpravčí"},
    {"zdses", "zdravotní sestra"}, {"zubar", "zubař"}};

// The word-pairs game's codes.
inline constexpr const char* GameCodeList30[30] = {
    "auto",  "drevo",  "farma",  "foto",   "hajny", "hasic", "hokej",  "hor",    "chem",   "inst",
    "kader", "kom",    "kuchar", "malpok", "muzik", "namor", "pekar",  "polda",  "popel",  "posta",
    "reznik", "trak",  "ucitel", "umelec", "vizaz", "vojak", "vyprav", "zahrad", "zdses",  "zednik"};

// The put-in-order game's persons with their tools (mode 0) and caps (mode 1).
inline constexpr const char* PoradekToolCodes[29] = {
    "auto",  "drevo",  "farma",  "foto",   "hajny", "hasic", "hor",    "chem",   "inst",   "kader",
    "kom",   "kuchar", "malpok", "muzik",  "namor", "pekar", "polda",  "popel",  "posta",  "reznik",
    "trak",  "ucitel", "umelec", "vizaz",  "vojak", "vyprav", "zahrad", "zdses", "zednik"};

inline constexpr const char* PoradekCapCodes[26] = {
    "cukr",  "drevo", "farma", "hajny",  "hasic", "hor",   "inst",  "kom",   "kosmo",
    "kuchar", "lekar", "letus", "malpok", "model", "namor", "pilot", "polda", "popel",
    "posta", "reznik", "umelec", "vojak", "vyprav", "zahrad", "zednik", "zvuk"};

// Position in GameCodeList43 (1..43) to ProfessionNumber; any other value is
// returned unchanged.
inline constexpr Byte GameProfessionToDetailTable[43] = {
    10, 30, 2,  20, 5,  24, 1,  17, 40, 3,  32, 31, 23, 36, 42, 28, 13, 22, 38, 29, 39, 35,
    43, 7,  9,  25, 16, 12, 26, 34, 4,  21, 27, 19, 33, 6,  11, 15, 14, 8,  41, 18, 37};

constexpr int GameProfessionToDetail(int position) {
    if (position < 1 || position > 43) return position;
    return GameProfessionToDetailTable[position - 1];
}
