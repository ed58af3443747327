// What a reader needs from the placeholder pictures: each round's answer
// named in what it shows, words left whole by the printed and painted
// rectangles, and sounds long enough for the picture they hold.
#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include <type_traits>

#include "data_tree_support.h"

#include "games/GameCodeLists.h"
#include "platform/gfx/pixels.h"
#include "simulations/MakeupKinds.h"
#include "simulations/ModelKinds.h"
#include "tools/datagen/PictureGameScenes.h"

namespace {

bool Equal(const Surface& a, int ax, int ay, const Surface& b) {
    for (int y = 0; y < b.height; ++y)
        if (std::memcmp(a.Row(ay + y) + 3 * ax, b.Row(y), std::size_t(3 * b.width)) != 0) return false;
    return true;
}

// Whether `part` appears whole somewhere in `whole`.
bool Contains(const TBitmap& whole, const TBitmap& part) {
    const Surface& a = whole.Pixels();
    const Surface& b = part.Pixels();
    for (int y = 0; y + b.height <= a.height; ++y)
        for (int x = 0; x + b.width <= a.width; ++x)
            if (Equal(a, x, y, b)) return true;
    return false;
}

// Letters are drawn dark on light grounds; the pictures' shapes and the
// backgrounds' gradients are lighter.
bool Ink(TColor c) { return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11 < 8000; }

// The places along r's edges where ink lies on both sides of the edge: a
// word that the rectangle cuts in two.
std::vector<TPoint> CutWords(const TBitmap& screen, const TRect& r) {
    const Surface& s = screen.Pixels();
    auto ink = [&](int x, int y) { return x >= 0 && y >= 0 && x < screen.Width() && y < screen.Height() && Ink(s.Get(x, y)); };
    std::vector<TPoint> cuts;
    for (int x = r.Left; x < r.Right; ++x) {
        if (ink(x, r.Top - 1) && ink(x, r.Top)) cuts.push_back({x, r.Top});
        if (ink(x, r.Bottom - 1) && ink(x, r.Bottom)) cuts.push_back({x, r.Bottom});
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
        if (ink(r.Left - 1, y) && ink(r.Left, y)) cuts.push_back({r.Left, y});
        if (ink(r.Right - 1, y) && ink(r.Right, y)) cuts.push_back({r.Right, y});
    }
    return cuts;
}

// The part of a layer drawn at `at` that covers the screen: all of an
// opaque one, the bounds of what is not magenta in a transparent one.
TRect Covered(const std::string& layer, TPoint at, bool transparent) {
    auto b = LoadPicture(layer);
    if (!transparent) return Bounds(at.X, at.Y, b->Width(), b->Height());
    TRect r{b->Width(), b->Height(), 0, 0};
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if (b->Pixels().Get(x, y) != clFuchsia)
                r = Rect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1));
    return Rect(at.X + r.Left, at.Y + r.Top, at.X + r.Right, at.Y + r.Bottom);
}


// The word as the placeholder art writes it, black on white, at `size`
// pixels: the rows and columns that hold ink.
std::unique_ptr<TBitmap> Written(const std::string& word, int size) {
    auto w = std::make_unique<TBitmap>();
    w->PixelFormat = TPixelFormat::pf24bit;
    w->SetSize(8 + 2 * int(word.size()) * size / 2 + 8, 2 * size);
    TCanvas* c = w->Canvas();
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = clWhite;
    c->FillRect(Rect(0, 0, w->Width(), w->Height()));
    c->Font.Name = "Arial";
    c->Font.Style = fsBold;
    c->Font.Charset = 238;
    c->Font.Color = clBlack;
    c->Font.SetHeight(-size);
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(4, 2, word);
    TRect ink{w->Width(), w->Height(), 0, 0};
    for (int y = 0; y < w->Height(); ++y)
        for (int x = 0; x < w->Width(); ++x)
            if (w->Pixels().Get(x, y) != clWhite)
                ink = Rect(std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1));
    auto cropped = std::make_unique<TBitmap>();
    cropped->PixelFormat = TPixelFormat::pf24bit;
    cropped->SetSize(ink.Width(), ink.Height());
    cropped->Canvas()->CopyRect(Rect(0, 0, ink.Width(), ink.Height()), w->Canvas(), ink);
    return cropped;
}

// Whether the word's ink lies in the picture at (x, y); a tenth of it may
// differ, where a tall letter's accent touches a frame line.
// A spread sample of the ink is tried first, so that most places are
// turned down after a few pixels.
bool InkAt(const Surface& picture, int x, int y, const Surface& word, const std::vector<TPoint>& ink) {
    const auto misses = [&](std::size_t step, std::size_t allowed) {
        std::size_t n = 0;
        for (std::size_t i = 0; i < ink.size() && n <= allowed; i += step)
            n += picture.Get(x + ink[i].X, y + ink[i].Y) != word.Get(ink[i].X, ink[i].Y);
        return n;
    };
    const std::size_t step = std::max<std::size_t>(1, ink.size() / 16);
    return misses(step, 2) <= 2 && misses(1, ink.size() / 10) <= ink.size() / 10;
}

bool ShowsLine(const TBitmap& picture, const std::string& line) {
    const Surface& s = picture.Pixels();
    for (int size = 7; size <= 40; ++size) {
        const auto word = Written(line, size);
        const Surface& w = word->Pixels();
        std::vector<TPoint> ink;
        for (int y = 0; y < w.height; ++y)
            for (int x = 0; x < w.width; ++x)
                if (w.Get(x, y) != clWhite) ink.push_back({x, y});
        for (int y = 0; y + w.height <= s.height; ++y)
            for (int x = 0; x + w.width <= s.width; ++x)
                if (InkAt(s, x, y, w, ink)) return true;
    }
    return false;
}

// Whether the picture shows `text` black on white, on one line or on two
// split at a blank.
bool ShowsText(const TBitmap& picture, const std::string& text) {
    if (ShowsLine(picture, text)) return true;
    for (std::size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', blank + 1))
        if (ShowsLine(picture, text.substr(0, blank)) && ShowsLine(picture, text.substr(blank + 1))) return true;
    return false;
}

std::string Capital(const std::string& name) {
    for (const auto& [small, capital] : {std::pair{"ř", "Ř"}, std::pair{"š", "Š"}})
        if (name.rfind(small, 0) == 0) return capital + name.substr(std::strlen(small));
    return char(name[0] - 'a' + 'A') + name.substr(1);
}

// The Czech name of a code of any game's list.
std::string NameOfCode(const std::string& code) {
    const std::map<std::string, std::string> shortCodes = {{"farma", "farmar"}, {"hor", "hornik"}, {"chem", "chemik"},
                                                           {"inst", "instal"},  {"kom", "komin"},  {"posta", "liston"},
                                                           {"zvuk", "zvukar"}};
    const std::string full = shortCodes.count(code) ? shortCodes.at(code) : code;
    for (const auto& g : GameCodeList43)
        if (full == g.Code) return g.DisplayName;
    return "";
}
}  // namespace

TEST(DataReadable, PictureGameScenesNameTheRightProfessionAndShowItsFigureWhenSolved) {
    struct TMode {
        const char* Scenes;
        const char* Figures;
    };
    for (const TMode& m : {TMode{"hry\\kdopatri\\a_pozadi\\", "hry\\kdopatri\\a_postav\\"},
                           TMode{"hry\\reseni\\pozadi\\", "hry\\reseni\\postav\\"}}) {
        std::set<std::string> unsolvedLooks;
        for (const auto& g : GameCodeList43) {
            const std::string code = g.Code;
            auto figure = LoadPicture(m.Figures + code + ".bmp");
            auto unsolved = LoadPicture(m.Scenes + code + "1.bmp");
            auto solved = LoadPicture(m.Scenes + code + "2.bmp");
            EXPECT_TRUE(Contains(*solved, *figure)) << m.Scenes << code << ": the solved scene shows the figure with its name";
            EXPECT_FALSE(Contains(*unsolved, *figure)) << m.Scenes << code << ": the unsolved scene gives the answer away";
            EXPECT_TRUE(ShowsText(*figure, Capital(g.DisplayName))) << m.Figures << code;
            unsolvedLooks.insert(ReadBytes(m.Scenes + code + "1.bmp"));
        }
        EXPECT_EQ(unsolvedLooks.size(), 43u) << m.Scenes << ": every code's scene looks unlike the others";
    }
}

TEST(DataReadable, EverySceneShowsWordsOfItsOwnForEachCode) {
    std::set<std::string> codes, places, troubles;
    for (const TSceneWords& w : SceneWordsTable) {
        EXPECT_TRUE(ShowsText(*LoadPicture("hry\\kdopatri\\a_pozadi\\" + std::string(w.Code) + "1.bmp"), w.Place)) << w.Code;
        EXPECT_TRUE(ShowsText(*LoadPicture("hry\\reseni\\pozadi\\" + std::string(w.Code) + "1.bmp"), w.Trouble)) << w.Code;
        codes.insert(w.Code);
        places.insert(w.Place);
        troubles.insert(w.Trouble);
    }
    std::set<std::string> expected;
    for (const auto& g : GameCodeList43) expected.insert(g.Code);
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(places.size(), 43u);
    EXPECT_EQ(troubles.size(), 43u);
}

// The printed rectangles of the five screens with a print button, and the
// layers the model and make-up screens paint over their background.
TEST(DataReadable, PrintedAndPaintedRectanglesCutNoWord) {
    struct TCase {
        const char* Screen;
        TRect Area;
        const char* What;
    };
    std::vector<TCase> cases = {{"simul\\vizaz\\pozadi.bmp", Bounds(15, 15, 610, 400), "print"},
                                {"simul\\modelka\\pozadi.bmp", Bounds(15, 15, 610, 400), "print"},
                                {"simul\\malpok\\pozadi.bmp", Bounds(15, 15, 610, 400), "print"},
                                {"simul\\instal\\pozadiA.bmp", Bounds(29, 20, 509, 383), "print"},
                                {"simul\\instal\\pozadiB.bmp", Bounds(13, 15, 540, 393), "print"}};
    for (int n = 0; n < WigCount; ++n)
        cases.push_back({"simul\\vizaz\\pozadi.bmp", Covered("simul\\vizaz\\vlasy\\v" + std::to_string(n) + ".bmp", {113, 6}, true),
                         "hairstyle"});
    for (const auto& [folder, prefix, count, at] :
         {std::tuple{"tvare", "t", 7, TPoint{203, 270}}, std::tuple{"rty", "r", 18, TPoint{281, 286}},
          std::tuple{"stiny", "s", 18, TPoint{222, 193}}, std::tuple{"rasy", "r", 18, TPoint{222, 193}},
          std::tuple{"linky", "l", 18, TPoint{228, 229}}})
        for (int n = 0; n < count; ++n)
            cases.push_back({"simul\\vizaz\\pozadi.bmp",
                             Covered(std::string("simul\\vizaz\\") + folder + "\\" + prefix + std::to_string(n) + ".bmp", at, true),
                             folder});
    cases.push_back({"simul\\vizaz\\pozadi.bmp", Covered("simul\\vizaz\\paruky\\p0.bmp", {16, 248}, false), "wig"});
    for (const TGarmentKind& k : GarmentKindTable)
        for (int n = 1; n <= k.Items; ++n)
            cases.push_back({"simul\\modelka\\pozadi.bmp",
                             Covered(std::string("simul\\modelka\\oblec\\") + k.Folder + "\\" + k.Prefix + std::to_string(n) + ".bmp",
                                     k.WornAt, k.WornTransparent),
                             k.Folder});
    std::map<std::string, std::unique_ptr<TBitmap>> screens;
    for (const TCase& c : cases) {
        auto& screen = screens[c.Screen];
        if (!screen) screen = LoadPicture(c.Screen);
        const auto cuts = CutWords(*screen, c.Area);
        EXPECT_TRUE(cuts.empty()) << c.Screen << " " << c.What << " (" << c.Area.Left << ", " << c.Area.Top << ")-("
                                  << c.Area.Right << ", " << c.Area.Bottom << ") cuts a word at (" << cuts.front().X << ", "
                                  << cuts.front().Y << ")";
    }
}

// The picture games' solved scene shows while its sound plays: at least a
// second. The same right-answer sound is followed by a one-second pause in
// the who-is-it game, whose next sound would cut a longer one.
TEST(DataReadable, SoundsThatHoldAPictureLastASecond) {
    const TWav right = ReadWav("sound\\spravne.wav");
    ASSERT_TRUE(right.Valid);
    EXPECT_EQ(right.DurationMs(), 1000);
    for (const auto& g : GameCodeList43) {
        const TWav solved = ReadWav("hry\\reseni\\zvuky\\" + std::string(g.Code) + "2.wav");
        ASSERT_TRUE(solved.Valid) << g.Code;
        EXPECT_GE(solved.DurationMs(), 1000) << g.Code;
    }
}

TEST(DataReadable, MemoryGameNamesBothScores) {
    auto background = LoadPicture("hry\\pexeso\\pozadi.bmp");
    // Above the child's score at (542, 210) and the computer's at (591, 210),
    // below the child's winner picture (to y 173).
    for (const TRect& above : {Bounds(536, 178, 52, 30), Bounds(587, 178, 53, 30)}) {
        int ink = 0;
        for (int y = above.Top; y < above.Bottom; ++y)
            for (int x = above.Left; x < above.Right; ++x) ink += Ink(background->Pixels().Get(x, y));
        EXPECT_GT(ink, 20) << "no word above the score at x " << above.Left;
    }
}

TEST(DataReadable, PlumberFixturesLookUnlikeEachOther) {
    std::set<std::string> looks;
    for (const char* name : {"umyv", "vent_1", "bojler"}) {
        auto piece = LoadPicture(std::string("simul\\instal\\B_verze\\") + name + ".bmp");
        std::string middle;
        for (int y = 17; y < 32; ++y)
            for (int x = 17; x < 32; ++x) middle += std::to_string(piece->Pixels().Get(x, y)) + ",";
        looks.insert(middle);
    }
    EXPECT_EQ(looks.size(), 3u);
}

// The figures that a round of the other games asks for carry the name of
// their code's profession.
TEST(DataReadable, FiguresOfEachGameNameTheirCodesProfession) {
    struct TFigures {
        std::string Folder, Suffix;
        std::vector<std::string> Codes;
    };
    auto codes = [](auto& list) {
        std::vector<std::string> out;
        for (const auto& c : list) {
            if constexpr (std::is_same_v<std::decay_t<decltype(c)>, TGameProfession>) out.push_back(c.Code);
            else out.push_back(c);
        }
        return out;
    };
    const std::vector<TFigures> games = {{"hry\\kdopatri\\b_postav\\", "", codes(GameCodeList29)},
                                         {"hry\\kdotoje\\a_postav\\", "", codes(GameCodeList43)},
                                         {"hry\\kdotoje\\b_postav\\", "", codes(GameCodeList43)},
                                         {"hry\\dvojice\\profese\\", "", codes(GameCodeList30)},
                                         {"hry\\poradek\\post_n\\", "1", codes(PoradekToolCodes)},
                                         {"hry\\poradek\\post_c\\", "1", codes(PoradekCapCodes)}};
    for (const TFigures& g : games)
        for (std::size_t i = 0; i < g.Codes.size(); ++i) {
            const std::string name = NameOfCode(g.Codes[i]), other = NameOfCode(g.Codes[(i + 1) % g.Codes.size()]);
            ASSERT_FALSE(name.empty()) << g.Codes[i];
            auto figure = LoadPicture(g.Folder + g.Codes[i] + g.Suffix + ".bmp");
            EXPECT_TRUE(ShowsText(*figure, Capital(name))) << g.Folder << g.Codes[i];
            EXPECT_FALSE(ShowsText(*figure, Capital(other))) << g.Folder << g.Codes[i] << " shows " << other;
        }
    // Who-is-it B: the sentence names the person it asks for.
    for (const auto& p : GameCodeList43)
        EXPECT_TRUE(ShowsText(*LoadPicture("hry\\kdotoje\\b_vety\\" + std::string(p.Code) + ".bmp"),
                              "Kdo je " + std::string(p.DisplayName) + "?"))
            << p.Code;
}
