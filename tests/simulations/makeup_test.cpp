// The make-up artist: the hair button's cycle, the palettes opening and
// closing, openers covered by an open palette, the layers the swatches
// paint, and the eye layer with lashes on and off.
#include "free_play_test_support.h"
#include "simulations/USimulaceVizazistka.h"

using namespace freeplaytest;

namespace {

constexpr TPoint kFace = {280, 340};  // on the face, below the lips
const TPoint kHair = Centre(WigPreviewArea);

// By kind (cheeks, lips, eye shadow, lashes, liner): the opener, and the
// panel where its palette opens.
struct KindPlaces {
    TRect opener, panel;
};
const KindPlaces kKinds[5] = {
    {Bounds(10, 346, 59, 33), Bounds(13, 308, 37, 42)},   {Bounds(45, 384, 44, 30), Bounds(44, 307, 37, 86)},
    {Bounds(554, 321, 47, 31), Bounds(558, 245, 38, 80)}, {Bounds(542, 390, 47, 24), Bounds(552, 349, 38, 61)},
    {Bounds(562, 360, 43, 29), Bounds(564, 287, 38, 86)},
};

TPoint Opener(int kind) { return Centre(kKinds[kind].opener); }
// Swatch i (1-based) of the kind's palette, on the screen.
TPoint Swatch(int kind, int i) {
    const TMakeupSwatch s = MakeupSwatch(kind, i);
    return {kKinds[kind].panel.Left + s.Place.X + 2, kKinds[kind].panel.Top + s.Place.Y + 2};
}

std::string Wig(int n) { return "simul/vizaz/paruky/p" + std::to_string(n) + ".bmp"; }
std::string Hair(int n) { return "simul/vizaz/vlasy/v" + std::to_string(n) + ".bmp"; }
std::string Layer(const char* folder, const char* prefix, int n) {
    return std::string("simul/vizaz/") + folder + "/" + prefix + std::to_string(n) + ".bmp";
}

// The open palette, or -1.
int OpenPalette() {
    int open = -1;
    for (int kind = 0; kind < MakeupKindCount; ++kind)
        if (wndSimulaceVizazistka->Palettes[std::size_t(kind)].PalettePanel->Visible()) {
            EXPECT_EQ(open, -1) << "two palettes open";
            open = kind;
        }
    return open;
}

class Makeup : public FreePlayTest {
protected:
    Makeup() { OpenSimulation(kMakeupItem); }
};

struct HairCase {
    const char* name;
    int presses;
    int hairstyle;
    int wig;  // the preview on the button
};
void PrintTo(const HairCase& c, std::ostream* os) { *os << c.name; }

class MakeupHair : public Makeup, public ::testing::WithParamInterface<HairCase> {};

// Presses alternate between the left and the right button: the button acts
// on the press of either.
TEST_P(MakeupHair, EachPressDrawsTheNextHairstyleAndTheButtonShowsTheOneAfter) {
    const HairCase& c = GetParam();
    for (int i = 0; i < c.presses; ++i) PressHere(kHair, i % 2 ? mbRight : mbLeft);
    Then([this, &c] {
        EXPECT_EQ(wndSimulaceVizazistka->HairButton->Tag, c.hairstyle);
        EXPECT_TRUE(Shows(Wig(c.wig), {WigPreviewArea.Left, WigPreviewArea.Top}));
        if (c.presses == 0) {
            // The background's own hair: no hairstyle drawn.
            auto background = TreePicture("simul/vizaz/pozadi.bmp");
            EXPECT_TRUE(ScreenShows(h(), *background, HairAt.X, HairAt.Y, HairAt.X, HairAt.Y, 300, 150));
        } else {
            EXPECT_TRUE(Shows(Hair(c.hairstyle), HairAt, true));
        }
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(Table, MakeupHair,
                         ::testing::Values(HairCase{"AtStart", 0, 0, 1}, HairCase{"First", 1, 1, 2},
                                           HairCase{"Seventeenth", 17, 17, 0}, HairCase{"Eighteenth", 18, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// What a step of a palette case does.
enum class Step { Opener, Face, Hair, Swatch, PanelAwayFromSwatches, CoveredOpener };
struct PaletteStep {
    Step step;
    int kind = 0;  // the opener's, swatch's or covered opener's kind
    TPoint at{};   // for the panel and covered openers
};
struct PaletteCase {
    const char* name;
    std::vector<PaletteStep> steps;
    int open;  // the palette open after them, -1 for none
};
void PrintTo(const PaletteCase& c, std::ostream* os) { *os << c.name; }

class MakeupPalettes : public Makeup, public ::testing::WithParamInterface<PaletteCase> {};

TEST_P(MakeupPalettes, OneOpensAtATimeAndClosesByItsOpenerTheFaceOrTheHair) {
    const PaletteCase& c = GetParam();
    TBitmap before;
    Then([&] { before.Assign(wndSimulaceVizazistka->Buffer); });
    for (const PaletteStep& s : c.steps) {
        switch (s.step) {
            case Step::Opener: Click(Opener(s.kind)); break;
            case Step::Face: Click(kFace); break;
            case Step::Hair: PressHere(kHair); break;
            case Step::Swatch: Click(Swatch(s.kind, 3)); break;
            case Step::PanelAwayFromSwatches:
            case Step::CoveredOpener: Click(s.at); break;
        }
    }
    Then([&] {
        EXPECT_EQ(OpenPalette(), c.open);
        if (c.open < 0) return;
        // The palette lies over the face as it was when it opened; Buffer
        // itself never shows it.
        const TRect& panel = kKinds[c.open].panel;
        auto palette = TreePicture(std::string("simul/vizaz/palety/") + MakeupKindTable[c.open].Palette + ".bmp");
        EXPECT_TRUE(PictureAt(h().ScreenSurface(), *palette, {panel.Left, panel.Top}, true));
        EXPECT_TRUE(ScreenShows(h(), before, panel.Left, panel.Bottom - 1, panel.Left, panel.Bottom - 1, 1, 1))
            << "the snapshot under the palette's transparent corner";
        EXPECT_FALSE(PictureAt(wndSimulaceVizazistka->Buffer->Pixels(), *palette, {panel.Left, panel.Top}, true));
    });
    Run();
}

// The lips palette lies over the cheeks opener's right part, the liner
// palette over most of the eye-shadow opener, the lashes palette over part
// of the liner opener; the points lie there, clear of the swatches.
INSTANTIATE_TEST_SUITE_P(
    Table, MakeupPalettes,
    ::testing::Values(
        PaletteCase{"OpenerOpens", {{Step::Opener, mkLips}}, mkLips},
        PaletteCase{"ItsOpenerAgainCloses", {{Step::Opener, mkLips}, {Step::Opener, mkLips}}, -1},
        PaletteCase{"AnotherOpenerSwitches", {{Step::Opener, mkLips}, {Step::Opener, mkEyeShadow}}, mkEyeShadow},
        PaletteCase{"TheFaceCloses", {{Step::Opener, mkCheeks}, {Step::Face}}, -1},
        PaletteCase{"TheHairButtonCloses", {{Step::Opener, mkLiner}, {Step::Hair}}, -1},
        PaletteCase{"SwatchesLeaveItOpen",
                    {{Step::Opener, mkLips}, {Step::Swatch, mkLips}, {Step::Swatch, mkLips}},
                    mkLips},
        PaletteCase{"PanelAwayFromSwatchesDoesNothing",
                    {{Step::Opener, mkLips}, {Step::PanelAwayFromSwatches, 0, {46, 390}}},
                    mkLips},
        PaletteCase{"CheeksOpenerUnderLips",
                    {{Step::Opener, mkLips}, {Step::CoveredOpener, mkCheeks, {62, 360}}},
                    mkLips},
        PaletteCase{"CheeksOpenerBesideLips",
                    {{Step::Opener, mkLips}, {Step::CoveredOpener, mkCheeks, {20, 360}}},
                    mkCheeks},
        PaletteCase{"ShadowOpenerUnderLiner",
                    {{Step::Opener, mkLiner}, {Step::CoveredOpener, mkEyeShadow, {582, 336}}},
                    mkLiner},
        PaletteCase{"LinerOpenerUnderLashes",
                    {{Step::Opener, mkLashes}, {Step::CoveredOpener, mkLiner, {585, 370}}},
                    mkLashes}),
    [](const auto& info) { return std::string(info.param.name); });

struct LayerCase {
    const char* name;
    int kind;
    int swatch;
    std::string layer;
    TPoint at;
};
void PrintTo(const LayerCase& c, std::ostream* os) { *os << c.name; }

class MakeupLayers : public Makeup, public ::testing::WithParamInterface<LayerCase> {};

TEST_P(MakeupLayers, ASwatchPaintsItsLayerIntoTheScreenPicture) {
    const LayerCase& c = GetParam();
    Click(Opener(c.kind));
    Click(Swatch(c.kind, c.swatch));
    Click(kFace);
    Then([this, &c] {
        EXPECT_EQ(OpenPalette(), -1);
        EXPECT_TRUE(Shows(c.layer, c.at, true));
        EXPECT_TRUE(PictureAt(wndSimulaceVizazistka->Buffer->Pixels(), *TreePicture(c.layer), c.at, true));
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeupLayers,
    ::testing::Values(LayerCase{"Cheeks", mkCheeks, 4, Layer("tvare", "t", 4), {203, 270}},
                      LayerCase{"CheeksLastSelectsZero", mkCheeks, 7, Layer("tvare", "t", 0), {203, 270}},
                      LayerCase{"Lips", mkLips, 12, Layer("rty", "r", 12), {281, 286}},
                      LayerCase{"LipsLastSelectsZero", mkLips, 18, Layer("rty", "r", 0), {281, 286}},
                      LayerCase{"LinerFirstOffTheGrid", mkLiner, 1, Layer("linky", "l", 1), {228, 229}},
                      LayerCase{"LinerLastSelectsZero", mkLiner, 18, Layer("linky", "l", 0), {228, 229}},
                      LayerCase{"EyeShadow", mkEyeShadow, 9, Layer("stiny", "s", 9), EyeLayerAt}),
    [](const auto& info) { return std::string(info.param.name); });

struct EyeCase {
    const char* name;
    std::vector<std::pair<int, int>> swatches;  // kind, swatch
    std::string layer;                          // the eye layer on the face
};
void PrintTo(const EyeCase& c, std::ostream* os) { *os << c.name; }

class MakeupEyes : public Makeup, public ::testing::WithParamInterface<EyeCase> {};

TEST_P(MakeupEyes, TheEyeLayerIsDrawnWholeFromTheShadowAndTheLashes) {
    const EyeCase& c = GetParam();
    int open = -1;
    for (auto [kind, swatch] : c.swatches) {
        if (kind != open) Click(Opener(kind));
        open = kind;
        Click(Swatch(kind, swatch));
    }
    Then([this, &c] { EXPECT_TRUE(Shows(c.layer, EyeLayerAt, true)); });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeupEyes,
    ::testing::Values(EyeCase{"LashesOnWithNoShadowYet", {{mkLashes, 1}}, Layer("rasy", "r", 0)},
                      EyeCase{"LashesOff", {{mkLashes, 1}, {mkLashes, 2}}, Layer("stiny", "s", 0)},
                      EyeCase{"ShadowThenLashes", {{mkEyeShadow, 5}, {mkLashes, 1}}, Layer("rasy", "r", 5)},
                      EyeCase{"LashesThenShadow", {{mkLashes, 1}, {mkEyeShadow, 5}}, Layer("rasy", "r", 5)},
                      EyeCase{"LashesOffKeepTheShadow",
                              {{mkEyeShadow, 5}, {mkLashes, 1}, {mkLashes, 2}},
                              Layer("stiny", "s", 5)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
