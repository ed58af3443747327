// The detail page's code of each profession, by ProfessionNumber 1..43. The
// code names the profession's files in "detaily\" and "detaily\zvuky\" and its
// sections in "profese.dat" and "profese_.dat".
#pragma once

#include "platform/core/types.h"

inline constexpr int ProfessionCount = 43;

inline constexpr const char* DetailCodes[ProfessionCount] = {
    "hajny",    "dvrubec", "hornik",   "traktor",  "farma",    "vojak",   "pekar",   "zednik",
    "pilot",    "autmech", "vypravci", "prodav",   "doktor",   "sestra",  "zahrada", "popelar",
    "hasic",    "zubarka", "veterina", "elektro",  "ucitelka", "letuska", "kader",   "foto",
    "polda",    "reznik",  "umelec",   "kuchar",   "malir",    "cukr",    "instal",  "chemik",
    "vizaz",    "svadl",   "muzikant", "kominik",  "zvukar",   "posta",   "modelka", "hokej",
    "zoo",      "kosmo",   "namor"};

// The code of profession n, or "" for a number outside 1..43.
constexpr const char* DetailCodeFor(int professionNumber) {
    if (professionNumber < 1 || professionNumber > ProfessionCount) return "";
    return DetailCodes[professionNumber - 1];
}
