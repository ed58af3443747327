// Picture formats, sizes, strips and transparency of the generated tree.
#include <filesystem>
#include <map>

#include "data_tree_support.h"

#include "games/GameCodeLists.h"
#include "games/TownGameThings.h"
#include "simulations/FirefighterTables.h"
#include "simulations/firefighter_places.h"
#include "simulations/MakeupKinds.h"
#include "simulations/ModelKinds.h"
#include "simulations/PlumberTables.h"

namespace {

struct TSize {
    std::string Path;
    int Width, Height;
};

void ExpectSize(const TSize& s, bool atLeast) {
    auto b = LoadPicture(s.Path);
    if (atLeast) {
        EXPECT_GE(b->Width(), s.Width) << s.Path;
        EXPECT_GE(b->Height(), s.Height) << s.Path;
    } else {
        EXPECT_EQ(b->Width(), s.Width) << s.Path;
        EXPECT_EQ(b->Height(), s.Height) << s.Path;
    }
}

std::vector<std::string> FullScreenPictures() {
    std::vector<std::string> p = {"hl_obr\\splash.bmp", "hl_obr\\credits.bmp", "hl_obr\\pozadi.bmp",
                                  "hry\\hl_obr\\pozadi.bmp", "hry\\citoje\\pozadi.bmp", "hry\\citoje\\pozadi2.bmp",
                                  "hry\\kdopatri\\pozadia.bmp", "hry\\kdopatri\\pozadib.bmp", "hry\\reseni\\pozadi.bmp",
                                  "hry\\kdotoje\\pozadia.bmp", "hry\\kdotoje\\pozadib.bmp", "hry\\dvojice\\pozadi.bmp",
                                  "hry\\poradek\\pozadi.bmp", "hry\\pexeso\\pozadi.bmp", "simul\\vyber\\pozadi.bmp",
                                  "simul\\hasic\\pozadi.bmp", "simul\\hasic\\tabulka.bmp", "simul\\modelka\\pozadi.bmp",
                                  "simul\\vizaz\\pozadi.bmp", "simul\\malpok\\pozadi.bmp", "simul\\malpok\\barvy.bmp",
                                  "simul\\instal\\pozadiA.bmp", "simul\\instal\\pozadiB.bmp"};
    for (const char* s : {"l_stena", "strop", "p_stena", "pr_stena"}) p.push_back(std::string("simul\\malpok\\steny\\") + s + ".bmp");
    for (const char* code : {"hajny", "traktor", "namor"}) p.push_back(std::string("detaily\\") + code + ".bmp");
    return p;
}

}  // namespace

TEST(DataPictures, EveryPictureIsAnUncompressedBottomUp24BitBmp) {
    for (const auto& f : CatalogueFiles()) {
        if (f.size() < 4 || f.compare(f.size() - 4, 4, ".bmp") != 0) continue;
        const std::string b = ReadBytes(f);
        ASSERT_GE(b.size(), 54u) << f;
        EXPECT_EQ(b.substr(0, 2), "BM") << f;
        EXPECT_EQ(Le16(b, 28), 24u) << f;
        EXPECT_EQ(Le32(b, 30), 0u) << f;
        const int w = int(Le32(b, 18)), h = int(Le32(b, 22));
        EXPECT_GT(h, 0) << f;
        EXPECT_EQ(b.size(), std::size_t(Le32(b, 10)) + std::size_t((3 * w + 3) & ~3) * std::size_t(h)) << f;
    }
}

TEST(DataPictures, FixedSizesAreExact) {
    std::vector<TSize> sizes;
    for (const auto& p : FullScreenPictures()) sizes.push_back({p, 640, 480});
    for (int s = 1; s <= 2; ++s) {
        const std::string d = std::to_string(s);
        for (const TSize& b : std::vector<TSize>{{"hl_obr\\konec", 73, 59}, {"hl_obr\\hry", 67, 59}, {"hl_obr\\simul", 71, 59},
                                                  {"hl_obr\\menu", 72, 59}, {"hl_obr\\tisk", 71, 56}, {"hl_obr\\help", 49, 54},
                                                  {"detaily\\zpet", 75, 59}})
            sizes.push_back({b.Path + d + ".bmp", b.Width, b.Height});
    }
    for (int s = 1; s <= 3; ++s) {
        const std::string d = std::to_string(s);
        for (const TSize& b : std::vector<TSize>{{"hl_obr\\hlasky\\ano", 76, 29}, {"hl_obr\\hlasky\\ne", 76, 29},
                                                  {"hl_obr\\hlasky\\pok", 124, 29}, {"hl_obr\\hlasky\\konec", 123, 29},
                                                  {"hl_obr\\hlasky\\ok", 69, 29}, {"detaily\\up", 12, 17}, {"detaily\\dolu", 12, 17},
                                                  {"hry\\reseni\\up", 42, 45}, {"hry\\reseni\\dolu", 43, 46}})
            sizes.push_back({b.Path + d + ".bmp", b.Width, b.Height});
    }
    const std::vector<TSize> single = {
        {"mesto.bmp", 3520, 400}, {"hl_obr\\posuv.bmp", 12, 9}, {"detaily\\posuv.bmp", 8, 12},
        {"hl_obr\\ano.bmp", 1024, 104}, {"hl_obr\\ne.bmp", 1024, 104}, {"hry\\poradek\\empty.bmp", 56, 56},
        {"hry\\pexeso\\karta.bmp", 80, 80}, {"hry\\pexeso\\pex_A.bmp", 80, 62}, {"hry\\pexeso\\pex_B.bmp", 80, 62},
        {"simul\\malpok\\obyv1.bmp", 80, 62}, {"simul\\malpok\\obyv2.bmp", 80, 62}, {"simul\\instal\\inst_a.bmp", 70, 59},
        {"simul\\instal\\inst_b.bmp", 70, 59}, {"simul\\instal\\A_verze\\ventilAN.bmp", 19 * 60, 60},
        {"simul\\instal\\A_verze\\umyvAN.bmp", 31 * 60, 60}, {"simul\\instal\\B_verze\\vent_1AN.bmp", 19 * 48, 48},
        {"simul\\instal\\B_verze\\vent_2AN.bmp", 19 * 48, 48}, {"simul\\instal\\B_verze\\umyvAN.bmp", 31 * 48, 48}};
    sizes.insert(sizes.end(), single.begin(), single.end());
    for (const auto& g : GameCodeList43) sizes.push_back({std::string("hry\\kdotoje\\a_nazvy\\") + g.Code + ".bmp", 115, 20});
    for (const auto& k : PlumberAKindTable) sizes.push_back({std::string("simul\\instal\\A_verze\\") + k.Picture + ".bmp", 63, 63});
    for (const auto& p : PlumberBPieceTable) sizes.push_back({std::string("simul\\instal\\B_verze\\") + p.Picture + ".bmp", 49, 49});
    for (const auto& part : FireStripTable)
        sizes.push_back({std::string("simul\\hasic\\ohen\\") + part.Name + ".bmp", part.Width, kFireWindowHeight});
    for (const auto& k : MakeupKindTable)
        sizes.push_back({std::string("simul\\vizaz\\palety\\") + k.Palette + ".bmp", k.Panel.Width(), k.Panel.Height()});
    for (const auto& s : sizes) ExpectSize(s, false);
}

TEST(DataPictures, CellPicturesCoverTheirCells) {
    std::vector<TSize> sizes;
    for (const auto& g : GameCodeList29) sizes.push_back({std::string("hry\\kdopatri\\b_postav\\") + g.Code + ".bmp", 98, 144});
    for (const auto& g : GameCodeList43) sizes.push_back({std::string("hry\\kdotoje\\b_postav\\") + g.Code + ".bmp", 98, 144});
    for (const char* c : GameCodeList30) sizes.push_back({std::string("hry\\dvojice\\profese\\") + c + ".bmp", 90, 149});
    for (int k = 1; k <= 10; ++k) sizes.push_back({"hry\\dvojice\\plak\\pl" + std::to_string(k) + ".bmp", 90, 149});
    for (int n = 1; n <= 43; ++n) {
        sizes.push_back({"hry\\pexeso\\postav\\" + std::to_string(n) + ".bmp", 80, 80});
        sizes.push_back({"hry\\pexeso\\veci\\" + std::to_string(n) + ".bmp", 80, 80});
    }
    for (const char* c : PoradekToolCodes) sizes.push_back({std::string("hry\\poradek\\nastr\\") + c + "1.bmp", 56, 56});
    for (const char* c : PoradekCapCodes) sizes.push_back({std::string("hry\\poradek\\cepice\\") + c + "1.bmp", 56, 56});
    for (int n = 0; n < WigCount; ++n) sizes.push_back({"simul\\vizaz\\paruky\\p" + std::to_string(n) + ".bmp", 85, 86});
    for (const auto& k : GarmentKindTable)
        for (int n = 1; n <= k.Items; ++n)
            sizes.push_back({std::string("simul\\modelka\\vyber\\") + k.Folder + "\\" + k.Prefix + std::to_string(n) + ".bmp",
                             k.Chooser.Width(), k.Chooser.Height()});
    sizes.push_back({"simul\\modelka\\mod_mask.bmp", 31, 251});
    for (const auto& s : sizes) ExpectSize(s, true);
}

TEST(DataPictures, PicturesDrawnWithoutRestoreShareOneSize) {
    for (const char* folder : {"hry\\kdopatri\\a_pozadi\\", "hry\\reseni\\pozadi\\", "hry\\kdotoje\\a_postav\\"}) {
        std::set<std::pair<int, int>> sizes;
        for (const auto& g : GameCodeList43) {
            for (const char* suffix : {"1", "2", ""}) {
                const std::string path = folder + std::string(g.Code) + suffix + ".bmp";
                if (!std::filesystem::exists(DataPath(path))) continue;
                auto b = LoadPicture(path);
                sizes.insert({b->Width(), b->Height()});
            }
        }
        EXPECT_EQ(sizes.size(), 1u) << folder;
    }
}

// The message window draws its buttons only on hover and press: their
// normal look is part of the message picture, at the buttons' places.
TEST(DataPictures, MessagesShowTheirButtonsWhereTheWindowPlacesThem) {
    struct TMessageButtons {
        const char* Picture;
        const char* Yes;
        const char* No;  // nullptr: the single confirmation
    };
    const TMessageButtons messages[] = {
        {"hry\\kdopatri\\hlaska.bmp", "pok", "konec"}, {"hry\\kdotoje\\a_hlaska.bmp", "pok", "konec"},
        {"hry\\kdotoje\\b_hlaska.bmp", "pok", "konec"}, {"hry\\dvojice\\hlaska1.bmp", "ano", "ne"},
        {"hry\\dvojice\\hlaska2.bmp", "ano", "ne"},     {"hry\\poradek\\hlaska.bmp", "ano", "ne"},
        {"hry\\pexeso\\hlaska1.bmp", "ano", "ne"},      {"hry\\pexeso\\hlaska2.bmp", "ano", "ne"},
        {"simul\\hasic\\hlaska.bmp", "ano", "ne"},      {"simul\\instal\\hl_ok.bmp", "ano", "ne"},
        {"simul\\instal\\hl_ko.bmp", "ano", "ne"},      {"simul\\instal\\hl_vse.bmp", "ok", nullptr}};
    const std::map<std::string, TPoint> places = {
        {"ano", {203, 268}}, {"ne", {360, 268}}, {"pok", {179, 268}}, {"konec", {337, 268}}, {"ok", {286, 268}}};
    for (const auto& m : messages) {
        auto message = LoadPicture(m.Picture);
        const int left = (640 - message->Width()) / 2, top = (480 - message->Height()) / 2;
        for (const char* name : {m.Yes, m.No}) {
            if (!name) continue;
            auto button = LoadPicture(std::string("hl_obr\\hlasky\\") + name + "1.bmp");
            const TPoint at = places.at(name);
            bool same = true;
            for (int y = 0; y < button->Height() && same; ++y)
                for (int x = 0; x < button->Width() && same; ++x)
                    same = message->Pixels().Get(at.X - left + x, at.Y - top + y) == button->Pixels().Get(x, y);
            EXPECT_TRUE(same) << m.Picture << " " << name;
        }
    }
}

TEST(DataPictures, StripsHoldWholeFramesAndEnoughOfThem) {
    struct TStrip {
        std::string Path;
        int FrameWidth, FrameHeight, MinFrames;
    };
    std::vector<TStrip> strips = {{"hry\\dvojice\\ziv.bmp", 122, 194, 6}, {"hry\\dvojice\\1ziv.bmp", 122, 194, 5},
                                  {"hry\\dvojice\\2ziv.bmp", 122, 194, 5}, {"hry\\dvojice\\3ziv.bmp", 122, 194, 5}};
    for (int w = 1; w <= 12; ++w) {
        const auto& r = kWaterStreamPlaces[w - 1];
        strips.push_back({"simul\\hasic\\voda\\voda" + std::to_string(w) + ".bmp", r.W, r.H, WaterStreamMinFrames});
    }
    for (const auto& s : strips) {
        auto b = LoadPicture(s.Path);
        EXPECT_EQ(b->Height(), s.FrameHeight) << s.Path;
        EXPECT_EQ(b->Width() % s.FrameWidth, 0) << s.Path;
        EXPECT_GE(b->Width() / s.FrameWidth, s.MinFrames) << s.Path;
    }
}

TEST(DataPictures, TransparentPicturesUseMagenta) {
    std::vector<std::string> transparent = {"hl_obr\\exit.bmp", "hry\\kdopatri\\hlaska.bmp", "hry\\kdotoje\\a_hlaska.bmp",
                                            "hry\\dvojice\\hlaska1.bmp", "hry\\pexeso\\hlaska2.bmp", "simul\\hasic\\hlaska.bmp",
                                            "simul\\instal\\hl_ok.bmp", "simul\\malpok\\stetka.bmp", "simul\\malpok\\valecek.bmp",
                                            "simul\\malpok\\obyvak.bmp"};
    for (int n = 1; n <= 43; ++n)
        for (int k = 1; k <= TownGameThingCount[n - 1]; ++k)
            transparent.push_back("hry\\citoje\\" + std::to_string(n) + "A\\" + std::to_string(k) + ".bmp");
    for (const char* c : PoradekToolCodes)
        for (const char* d : {"1", "2"}) {
            transparent.push_back(std::string("hry\\poradek\\post_n\\") + c + d + ".bmp");
            transparent.push_back(std::string("hry\\poradek\\nastr\\") + c + d + ".bmp");
        }
    for (int w = 1; w <= 12; ++w) transparent.push_back("simul\\hasic\\voda\\voda" + std::to_string(w) + ".bmp");
    for (const auto& p : PlumberBPieceTable) transparent.push_back(std::string("simul\\instal\\B_verze\\") + p.Picture + ".bmp");
    for (int n = 1; n <= 10; ++n) {
        transparent.push_back("simul\\malpok\\valecky\\" + std::to_string(n) + ".bmp");
        transparent.push_back("simul\\malpok\\vzory\\" + std::to_string(n) + ".bmp");
    }
    for (const char* layer : {"vlasy\\v5", "tvare\\t3", "rty\\r7", "stiny\\s2", "rasy\\r2", "linky\\l9"})
        transparent.push_back(std::string("simul\\vizaz\\") + layer + ".bmp");
    for (const auto& k : GarmentKindTable)
        if (k.WornTransparent) transparent.push_back(std::string("simul\\modelka\\oblec\\") + k.Folder + "\\" + k.Prefix + "1.bmp");
    for (const auto& path : transparent) {
        auto b = LoadPicture(path);
        EXPECT_EQ(b->Pixels().Get(0, b->Height() - 1), clFuchsia) << path << ": bottom-left is not magenta";
        bool opaque = false;
        for (int y = 0; y < b->Height() && !opaque; ++y)
            for (int x = 0; x < b->Width() && !opaque; ++x) opaque = b->Pixels().Get(x, y) != clFuchsia;
        EXPECT_TRUE(opaque) << path << " shows nothing";
    }
}

TEST(DataPictures, PlumberTopLeftCellsLookEmpty) {
    struct TGrid {
        const char* Path;
        TPoint Origin;
        int Cell;
    };
    for (const TGrid g : {TGrid{"simul\\instal\\pozadiA.bmp", PlumberAGridOrigin, PlumberACell},
                          TGrid{"simul\\instal\\pozadiB.bmp", PlumberBGridOrigin, PlumberBCell}}) {
        auto b = LoadPicture(g.Path);
        int differing = 0, magenta = 0;
        for (int y = 0; y < g.Cell; ++y)
            for (int x = 0; x < g.Cell; ++x) {
                const TColor corner = b->Pixels().Get(g.Origin.X + x, g.Origin.Y + y);
                differing += corner != b->Pixels().Get(g.Origin.X + g.Cell + x, g.Origin.Y + g.Cell + y);
                magenta += corner == clFuchsia;
            }
        EXPECT_EQ(differing, 0) << g.Path << ": the eraser cell differs from an empty cell";
        EXPECT_EQ(magenta, 0) << g.Path;
    }
}
