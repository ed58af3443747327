// What the placeholder art says about each profession: its Czech name, its
// colour, and the text of its page, all derived from the program's tables.
#pragma once

#include <string>
#include <vector>

#include "platform/core/types.h"

// Czech name (lower case, UTF-8) of ProfessionNumber n, 1..43, taken from
// GameCodeList43 through GameProfessionToDetail.
String ProfessionName(int professionNumber);
// The same with a capital first letter.
String CapitalFirst(const String& text);
// ProfessionNumber of a game code of any of the game lists ("auto", "hor",
// "kom", "zvuk", ...); 0 for an unknown code.
int ProfessionOfGameCode(const String& code);
// The colour every picture of profession n shares.
TColor ProfessionColour(int professionNumber);

// The text pages of profession n's detail page (2 to 5), plain UTF-8.
std::vector<String> ProfessionPages(int professionNumber);
// The paragraphs of profession n's printed sheet.
std::vector<String> ProfessionSheet(int professionNumber);
