#include "tools/datagen/Professions.h"

#include <cstring>

#include "games/GameCodeLists.h"
#include "shell/DetailCodes.h"
#include "tools/datagen/Art.h"

namespace {

// Codes of the single games' lists that are not GameCodeList43 codes.
struct TCodeAlias {
    const char* Short;
    const char* Full;
};
constexpr TCodeAlias CodeAliases[] = {{"farma", "farmar"}, {"hor", "hornik"}, {"chem", "chemik"},
                                      {"inst", "instal"},  {"kom", "komin"},  {"posta", "liston"},
                                      {"zvuk", "zvukar"}};

}  // namespace

String ProfessionName(int n) {
    for (int pos = 1; pos <= 43; ++pos)
        if (GameProfessionToDetail(pos) == n) return GameCodeList43[pos - 1].DisplayName;
    return "";
}

String CapitalFirst(const String& text) {
    if (text.empty()) return text;
    if (text[0] >= 'a' && text[0] <= 'z') return char(text[0] - 'a' + 'A') + text.substr(1);
    static const char* pairs[][2] = {{"ř", "Ř"}, {"š", "Š"}, {"č", "Č"}, {"ž", "Ž"}, {"ú", "Ú"}};
    for (auto& p : pairs)
        if (text.compare(0, std::strlen(p[0]), p[0]) == 0) return p[1] + text.substr(std::strlen(p[0]));
    return text;
}

int ProfessionOfGameCode(const String& code) {
    String full = code;
    for (const auto& a : CodeAliases)
        if (code == a.Short) full = a.Full;
    for (int pos = 1; pos <= 43; ++pos)
        if (full == GameCodeList43[pos - 1].Code) return GameProfessionToDetail(pos);
    return 0;
}

TColor ProfessionColour(int n) { return DistinctColour(n, n % 2 ? 0.65 : 0.45, n % 3 ? 0.9 : 0.78); }

std::vector<String> ProfessionPages(int n) {
    const String name = ProfessionName(n), Name = CapitalFirst(name);
    std::vector<String> all = {
        Name + ". Podívej se na obrázek, tady vidíš, jak vypadá tato práce.",
        "Klikni na obrázek a uvidíš krátkou ukázku z práce. Pak poslouchej, co se říká.",
        "Ve městě najdeš místo, kde se tato práce dělá. Najeď myší na mapu města a hledej.",
        "Ve hrách a simulacích si můžeš vyzkoušet, co všechno se dá naučit.",
        "Zeptej se doma, kdo zná někoho, kdo dělá tuto práci. Ať ti o ní poví víc."};
    all.resize(std::size_t(2 + n % 4));
    return all;
}

std::vector<String> ProfessionSheet(int n) {
    std::vector<String> paragraphs = ProfessionPages(n);
    paragraphs.push_back("");
    paragraphs.push_back("Tento list patří k povolání " + ProfessionName(n) + ". Můžeš si ho vybarvit a schovat.");
    return paragraphs;
}
