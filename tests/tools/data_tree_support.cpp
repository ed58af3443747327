#include "data_tree_support.h"

#include "games/GameCodeLists.h"
#include "games/menu_places.h"
#include "games/TownGameThings.h"
#include "shell/DetailCodes.h"
#include "shell/TownPlaceTable.h"
#include "simulations/FirefighterTables.h"
#include "simulations/MakeupKinds.h"
#include "simulations/ModelKinds.h"
#include "simulations/PlumberTables.h"
#include "simulations/RoomPainterTables.h"

namespace {

std::string N(int n) { return std::to_string(n); }

}  // namespace

std::vector<std::string> CatalogueFiles() {
    std::vector<std::string> f;
    auto add = [&](const std::string& p) { f.push_back(p); };
    auto states = [&](const std::string& base, int count) {
        for (int s = 1; s <= count; ++s) add(base + N(s) + ".bmp");
    };
    // Root, cursors, sounds.
    for (const char* p : {"mesto.bmp", "mesto_m.bmp", "profese.dat", "profese_.dat", "instA.dat", "prnbckg.bmp"}) add(p);
    for (const char* p : {"arrow", "hand", "help"}) add(std::string("cur\\") + p + ".cur");
    for (const char* p : {"enter", "click", "enter1", "click1", "exit", "ex_ano", "ex_ne", "spravne", "spatne"})
        add(std::string("sound\\") + p + ".wav");
    for (const char* p : {"dvojice", "hasic", "instal1", "instal2", "letadlo", "malir", "mesto", "michacka", "modelka",
                          "pexeso", "polda", "popel", "sloup", "smolar", "vizaz", "vrata", "zahrad"})
        add(std::string("sound\\help\\") + p + ".wav");
    // Start-up, town, messages.
    for (const char* p : {"splash", "ano", "ne", "exit", "credits", "pozadi", "posuv"}) add(std::string("hl_obr\\") + p + ".bmp");
    for (const char* p : {"konec", "hry", "simul", "menu", "tisk", "help"}) states(std::string("hl_obr\\") + p, 2);
    for (const char* p : {"ano", "ne", "pok", "konec", "ok"}) states(std::string("hl_obr\\hlasky\\") + p, 3);
    for (const auto& place : TownPlaceTable) add(std::string("hl_obr\\nazvy\\") + place.PlaceCode + ".bmp");
    // Detail pages.
    for (int n = 1; n <= ProfessionCount; ++n) {
        const std::string code = DetailCodeFor(n);
        for (const char* ext : {".bmp", ".dat", ".avi", ".wav"}) add("detaily\\" + code + ext);
        add("detaily\\zvuky\\" + code + ".wav");
    }
    add("detaily\\lista.bmp");
    add("detaily\\posuv.bmp");
    states("detaily\\up", 3);
    states("detaily\\dolu", 3);
    states("detaily\\zpet", 2);
    // Games menu and games.
    add("hry\\hl_obr\\pozadi.bmp");
    for (const auto& e : kGamesMenuPlaces) states(std::string("hry\\hl_obr\\") + e.Name, 2);
    add("hry\\citoje\\pozadi.bmp");
    add("hry\\citoje\\pozadi2.bmp");
    for (int n = 1; n <= 43; ++n) {
        if (TownGameThingCount[n - 1] == 0) continue;
        add("hry\\citoje\\" + N(n) + ".bmp");
        for (int k = 1; k <= TownGameThingCount[n - 1]; ++k) {
            add("hry\\citoje\\" + N(n) + "A\\" + N(k) + ".bmp");
            add("hry\\citoje\\" + N(n) + "B\\" + N(k) + ".bmp");
        }
    }
    for (const char* p : {"pozadia.bmp", "pozadib.bmp", "hlaska.bmp", "hlaska.wav"}) add(std::string("hry\\kdopatri\\") + p);
    add("hry\\reseni\\pozadi.bmp");
    states("hry\\reseni\\up", 3);
    states("hry\\reseni\\dolu", 3);
    for (const char* p : {"pozadia.bmp", "pozadib.bmp", "a_hlaska.bmp", "b_hlaska.bmp", "a_hlaska.wav", "b_hlaska.wav"})
        add(std::string("hry\\kdotoje\\") + p);
    for (const auto& g : GameCodeList43) {
        const std::string c = g.Code;
        states("hry\\kdopatri\\a_pozadi\\" + c, 2);
        add("hry\\kdopatri\\a_postav\\" + c + ".bmp");
        states("hry\\reseni\\pozadi\\" + c, 2);
        add("hry\\reseni\\postav\\" + c + ".bmp");
        add("hry\\reseni\\zvuky\\" + c + "1.wav");
        add("hry\\reseni\\zvuky\\" + c + "2.wav");
        add("hry\\kdotoje\\a_postav\\" + c + ".bmp");
        add("hry\\kdotoje\\a_nazvy\\" + c + ".bmp");
        add("hry\\kdotoje\\a_zvuky\\" + c + ".wav");
        add("hry\\kdotoje\\b_postav\\" + c + ".bmp");
        add("hry\\kdotoje\\b_vety\\" + c + ".bmp");
        add("hry\\kdotoje\\b_vety\\" + c + "2.bmp");
        add("hry\\kdotoje\\b_zvuky\\" + c + ".wav");
    }
    for (const auto& g : GameCodeList29) {
        add(std::string("hry\\kdopatri\\b_postav\\") + g.Code + ".bmp");
        add(std::string("hry\\kdopatri\\zvuky\\") + g.Code + ".wav");
    }
    for (const char* p : {"pozadi.bmp", "ziv.bmp", "1ziv.bmp", "2ziv.bmp", "3ziv.bmp", "hlaska1.bmp", "hlaska2.bmp",
                          "hlaska1.wav", "hlaska2.wav"})
        add(std::string("hry\\dvojice\\") + p);
    for (int k = 1; k <= 10; ++k) add("hry\\dvojice\\plak\\pl" + N(k) + ".bmp");
    for (const char* c : GameCodeList30) {
        add(std::string("hry\\dvojice\\profese\\") + c + ".bmp");
        add(std::string("hry\\dvojice\\veci\\") + c + ".bmp");
    }
    for (const char* p : {"pozadi.bmp", "empty.bmp", "hlaska.bmp", "hlaska.wav"}) add(std::string("hry\\poradek\\") + p);
    for (const char* c : PoradekToolCodes) {
        states(std::string("hry\\poradek\\post_n\\") + c, 2);
        states(std::string("hry\\poradek\\nastr\\") + c, 2);
    }
    for (const char* c : PoradekCapCodes) {
        states(std::string("hry\\poradek\\post_c\\") + c, 2);
        states(std::string("hry\\poradek\\cepice\\") + c, 2);
    }
    for (const char* p : {"pozadi.bmp", "karta.bmp", "karta.wav", "pex_A.bmp", "pex_B.bmp", "hrac.bmp", "pocitac.bmp",
                          "hlaska1.bmp", "hlaska1.wav", "hlaska2.bmp", "hlaska2.wav"})
        add(std::string("hry\\pexeso\\") + p);
    for (int k = 0; k <= 15; ++k) add("hry\\pexeso\\cisla\\" + N(k) + ".bmp");
    for (int n = 1; n <= 43; ++n) {
        add("hry\\pexeso\\postav\\" + N(n) + ".bmp");
        add("hry\\pexeso\\veci\\" + N(n) + ".bmp");
    }
    // Simulations.
    add("simul\\vyber\\pozadi.bmp");
    for (const auto& item : kSimulationsMenuPlaces) states(std::string("simul\\vyber\\") + item.Name, 2);
    for (const char* p : {"pozadi.bmp", "hlaska.bmp", "hlaska.wav", "voda.wav", "tabulka.bmp"}) add(std::string("simul\\hasic\\") + p);
    for (int n = 0; n < CannonPictureCount; ++n) add("simul\\hasic\\dela\\delo" + N(n) + ".bmp");
    for (const auto& part : FireStripTable) add(std::string("simul\\hasic\\ohen\\") + part.Name + ".bmp");
    for (int w = 1; w <= 12; ++w) add("simul\\hasic\\voda\\voda" + N(w) + ".bmp");
    add("simul\\modelka\\pozadi.bmp");
    add("simul\\modelka\\mod_mask.bmp");
    for (const auto& k : GarmentKindTable)
        for (int n = 1; n <= k.Items; ++n) {
            const std::string tail = std::string(k.Folder) + "\\" + k.Prefix + N(n) + ".bmp";
            add("simul\\modelka\\vyber\\" + tail);
            add("simul\\modelka\\oblec\\" + tail);
        }
    add("simul\\vizaz\\pozadi.bmp");
    for (int n = 0; n < WigCount; ++n) {
        add("simul\\vizaz\\paruky\\p" + N(n) + ".bmp");
        add("simul\\vizaz\\vlasy\\v" + N(n) + ".bmp");
    }
    for (const auto& k : MakeupKindTable) {
        add(std::string("simul\\vizaz\\palety\\") + k.Palette + ".bmp");
        if (*k.LayerFolder)
            for (int n = 0; n < (k.Swatches == 7 ? 7 : 18); ++n)
                add(std::string("simul\\vizaz\\") + k.LayerFolder + "\\" + k.LayerPrefix + N(n) + ".bmp");
    }
    for (int n = 0; n < EyeShadowCount; ++n) add(std::string("simul\\vizaz\\") + LashesLayerFolder + "\\" + LashesLayerPrefix + N(n) + ".bmp");
    for (const char* p : {"pozadi.bmp", "barvy.bmp", "stetka.bmp", "valecek.bmp", "obyv1.bmp", "obyv2.bmp", "obyvak.bmp"})
        add(std::string("simul\\malpok\\") + p);
    for (const auto& s : RoomSurfaceTable) add(std::string("simul\\malpok\\steny\\") + s.Picture + ".bmp");
    for (int n = 1; n <= 31; ++n) add("simul\\malpok\\barvy\\" + N(n) + ".bmp");
    for (int n = 1; n <= RollerPatternCount; ++n) {
        add("simul\\malpok\\valecky\\" + N(n) + ".bmp");
        add("simul\\malpok\\vzory\\" + N(n) + ".bmp");
    }
    for (const char* p : {"pozadiA.bmp", "pozadiB.bmp", "inst_a.bmp", "inst_b.bmp", "hl_vse.bmp", "hl_ok.bmp", "hl_ko.bmp",
                          "hl_vse.wav", "hl_ok.wav", "hl_ko.wav", "ventil.wav", "umyv.wav"})
        add(std::string("simul\\instal\\") + p);
    for (const auto& k : PlumberAKindTable) add(std::string("simul\\instal\\A_verze\\") + k.Picture + ".bmp");
    for (const auto& e : PlumberAPaletteTable) add(std::string("simul\\instal\\A_verze\\") + e.Highlight + ".bmp");
    for (int n = 0; n <= PlumberAMaxStock; ++n) add("simul\\instal\\A_verze\\cisla\\" + N(n) + ".bmp");
    add("simul\\instal\\A_verze\\ventilAN.bmp");
    add("simul\\instal\\A_verze\\umyvAN.bmp");
    for (const auto& p : PlumberBPieceTable) add(std::string("simul\\instal\\B_verze\\") + p.Picture + ".bmp");
    for (const auto& g : PlumberBPaletteTable)
        for (int t = 0; t <= g.LastTag - g.FirstTag; ++t) add(std::string("simul\\instal\\B_verze\\") + g.Pictures[t] + ".bmp");
    for (const char* p : {"vent_2AN", "vent_1AN", "umyvAN"}) add(std::string("simul\\instal\\B_verze\\") + p + ".bmp");
    return f;
}

bool TRegion::Contains(TPoint p) const {
    return p.X >= 0 && p.Y >= 0 && p.X < Width && std::size_t(p.Y) * std::size_t(Width) + std::size_t(p.X) < Inside.size() &&
           Inside[std::size_t(p.Y) * std::size_t(Width) + std::size_t(p.X)];
}

TRegion FillRegion(const Surface& s, TPoint start, TColor border) {
    TRegion r;
    r.Width = s.width;
    r.Inside.assign(std::size_t(s.width) * std::size_t(s.height), false);
    if (!s.Inside(start.X, start.Y) || s.Get(start.X, start.Y) == border) return r;
    std::vector<TPoint> stack{start};
    r.Inside[std::size_t(start.Y) * std::size_t(s.width) + std::size_t(start.X)] = true;
    while (!stack.empty()) {
        const TPoint p = stack.back();
        stack.pop_back();
        r.Points.push_back(p);
        r.Colours.insert(s.Get(p.X, p.Y));
        const TPoint next[4] = {{p.X + 1, p.Y}, {p.X - 1, p.Y}, {p.X, p.Y + 1}, {p.X, p.Y - 1}};
        for (TPoint n : next) {
            if (!s.Inside(n.X, n.Y)) {
                r.TouchesEdge = true;
                continue;
            }
            const std::size_t i = std::size_t(n.Y) * std::size_t(s.width) + std::size_t(n.X);
            if (r.Inside[i] || s.Get(n.X, n.Y) == border) continue;
            r.Inside[i] = true;
            stack.push_back(n);
        }
    }
    return r;
}

TWav ReadWav(const std::string& path) {
    const std::string b = ReadBytes(path);
    TWav w;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") || b.compare(8, 4, "WAVE")) return w;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const std::size_t size = Le32(b, at + 4);
        if (id == "fmt ") {
            if (Le16(b, at + 8) != 1) return w;
            w.Channels = Le16(b, at + 10);
            w.Rate = Le32(b, at + 12);
            w.Bits = Le16(b, at + 22);
        } else if (id == "data") {
            w.DataBytes = size;
            w.Valid = at + 8 + size <= b.size();
        }
        at += 8 + size + size % 2;
    }
    return w;
}
