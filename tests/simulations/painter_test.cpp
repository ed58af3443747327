// The room painter: the paint at start, colours taken from the palette and
// presses that take none, the move from the palette onto a wall, the brush
// and the roller's cycle, the right button, and the furnished view.
#include "free_play_test_support.h"
#include "simulations/USimulaceMalir.h"

using namespace freeplaytest;

namespace {

constexpr TPoint kLeftWall = {100, 150}, kCeiling = {230, 40}, kRightWall = {550, 160}, kFrontWall = {300, 150};
const TPoint kBrush = Centre(RoomToolAreas[0]);
const TPoint kRoller = Centre(RoomToolAreas[1]);
const TPoint kFurnished = Centre(FurnishedButtonArea);

TPoint Marker(int paint) { return PaintColourTable[paint - 1].Marker; }
TColor Paint(int paint) { return PaintColourTable[paint - 1].Colour; }
std::string Swatch(int paint) { return "simul/malpok/barvy/" + std::to_string(paint) + ".bmp"; }

TwndSimulaceMalir& Painter() { return *wndSimulaceMalir; }
TColor SurfacePaint(int surface, TPoint at) { return Painter().SurfaceBitmaps[std::size_t(surface)]->Pixels().Get(at.X, at.Y); }

// The first magenta point of the palette mask on the way from one marker to
// another: the border between their fields.
TPoint BorderBetween(int a, int b) {
    const auto mask = LoadPicture(kAppDir + "simul/malpok/barvy.bmp");
    for (int i = 0; i <= 100; ++i) {
        const TPoint p{Marker(a).X + (Marker(b).X - Marker(a).X) * i / 100,
                       Marker(a).Y + (Marker(b).Y - Marker(a).Y) * i / 100};
        if (mask->Pixels().Get(p.X, p.Y) == clFuchsia) return p;
    }
    ADD_FAILURE() << "no border between fields " << a << " and " << b;
    return {};
}

class PainterScreen : public FreePlayTest {
protected:
    PainterScreen() { OpenSimulation(kPainterItem); }
};

TEST_F(PainterScreen, StartsWithWhitePaintAndItsSwatch) {
    Then([this] {
        EXPECT_EQ(h().ActiveForm(), wndSimulaceMalir);
        EXPECT_EQ(Painter().CurrentColour, clWhite);
        EXPECT_TRUE(Shows(Swatch(31), PaintSwatchAt, true));
        // No surface, tool or pattern drawn: the room as the background has it.
        auto background = TreePicture("simul/malpok/pozadi.bmp");
        EXPECT_TRUE(ScreenShows(h(), *background, 0, 0, 0, 0, 640, 200));
    });
    Click(kLeftWall);
    Then([this] {
        EXPECT_EQ(SurfacePaint(1, kLeftWall), clWhite);
        EXPECT_EQ(h().Pixel(kLeftWall.X, kLeftWall.Y), clWhite);
        EXPECT_NE(h().Pixel(kRightWall.X, kRightWall.Y), clWhite) << "only the wall pressed";
    });
    Run();
}

struct PickCase {
    const char* name;
    std::function<TPoint()> at;
    TMouseButton button;
    int cursor;
    TColor colour;  // the paint after the press, from paint 6 taken before
    int swatch;     // the swatch shown
};
void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }

class PainterPicks : public PainterScreen, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PainterPicks, APressOnAFieldTakesItsPaintAndNothingElseDoes) {
    const PickCase& c = GetParam();
    Click(Marker(6));
    const TPoint at = c.at();
    Move(at);
    Then([this, &c] { EXPECT_TRUE(CursorIs(c.cursor)); });
    PressHere(at, c.button);
    Then([this, &c] {
        EXPECT_EQ(Painter().CurrentColour, c.colour);
        EXPECT_TRUE(Shows(Swatch(c.swatch), PaintSwatchAt, true));
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, PainterPicks,
    ::testing::Values(PickCase{"FirstField", [] { return Marker(1); }, mbLeft, 2, Paint(1), 1},
                      PickCase{"RightButton", [] { return Marker(17); }, mbRight, 2, Paint(17), 17},
                      PickCase{"AwayFromTheMarker", [] { return TPoint{Marker(30).X + 6, Marker(30).Y - 5}; }, mbLeft,
                               2, Paint(30), 30},
                      PickCase{"WhiteField", [] { return Marker(31); }, mbLeft, 2, clWhite, 31},
                      PickCase{"MagentaBorder", [] { return BorderBetween(1, 4); }, mbLeft, 1, Paint(6), 6},
                      PickCase{"OutsideThePalette", [] { return TPoint{400, 300}; }, mbLeft, 1, Paint(6), 6}),
    [](const auto& info) { return std::string(info.param.name); });

// A field of the mask that holds no marker: the press takes no paint, the
// next press there (without a move) does nothing.
TEST_F(PainterScreen, AFieldWithoutAMarkerTakesNoPaint) {
    const TPoint field = {400, 330};
    Then([field] {
        TBitmap* mask = Painter().PaletteMask.get();
        for (int y = field.Y - 5; y <= field.Y + 5; ++y)
            for (int x = field.X - 5; x <= field.X + 5; ++x) mask->Pixels().Set(x, y, RGBColor(90, 90, 90));
    });
    Click(Marker(6));
    Click(field);
    Then([this] {
        EXPECT_EQ(Painter().PaletteState, 0);
        EXPECT_EQ(Painter().CurrentColour, Paint(6));
        EXPECT_TRUE(Shows(Swatch(6), PaintSwatchAt, true));
    });
    Run();
}

// From the palette straight onto a wall, the palette's state stays: the
// press first looks for a field under the wall's point, finds none, and
// paints the wall in the paint taken before.
TEST_F(PainterScreen, FromThePaletteStraightOntoAWallPaintsInThePaintTaken) {
    Click(Marker(6));
    Move(Marker(1));
    Move(kCeiling);
    Then([] { EXPECT_EQ(Painter().PaletteState, 255); });
    PressHere(kCeiling, mbRight);
    Then([this] {
        EXPECT_EQ(Painter().PaletteState, 0);
        EXPECT_EQ(Painter().CurrentColour, Paint(6));
        EXPECT_EQ(SurfacePaint(2, kCeiling), Paint(6));
        EXPECT_EQ(h().Pixel(kCeiling.X, kCeiling.Y), Paint(6));
    });
    Run();
}

// Each surface takes the paint whole from its seeds, the front wall from
// all four; painting it again in the same paint changes nothing.
TEST_F(PainterScreen, EachSurfaceIsPaintedWhole) {
    const TPoint walls[] = {kLeftWall, kCeiling, kRightWall, kFrontWall};
    Click(Marker(9));
    for (TPoint w : walls) Click(w);
    TBitmap painted[4];
    Then([&] {
        for (int n = 1; n <= 4; ++n) {
            const Surface& s = Painter().SurfaceBitmaps[std::size_t(n)]->Pixels();
            int other = 0;
            for (int y = 0; y < s.height; ++y)
                for (int x = 0; x < s.width; ++x) other += s.Get(x, y) != clFuchsia && s.Get(x, y) != Paint(9);
            EXPECT_EQ(other, 0) << "surface " << n;
            EXPECT_EQ(h().Pixel(walls[n - 1].X, walls[n - 1].Y), Paint(9));
            painted[n - 1].Assign(Painter().SurfaceBitmaps[std::size_t(n)].get());
        }
    });
    Click(kFrontWall);
    Then([&] {
        EXPECT_TRUE(PictureAt(Painter().SurfaceBitmaps[4]->Pixels(), painted[3], {0, 0}));
    });
    Run();
}

enum Tool { B, R };
struct ToolCase {
    const char* name;
    std::vector<Tool> presses;
    int pattern;
    int preview;  // the roller's preview shown, 0 for none yet
    Tool shown;   // the tool picture shown
};
void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

class PainterTools : public PainterScreen, public ::testing::WithParamInterface<ToolCase> {};

// Presses alternate between the left and the right button: the tools take
// either.
TEST_P(PainterTools, TheRollerGoesThroughTenPatternsAndTheBrushTakesThemAway) {
    const ToolCase& c = GetParam();
    Click(Marker(2));
    Click(kLeftWall);
    for (std::size_t i = 0; i < c.presses.size(); ++i)
        PressHere(c.presses[i] == B ? kBrush : kRoller, i % 2 ? mbRight : mbLeft);
    Then([this, &c] {
        EXPECT_EQ(Painter().Pattern, c.pattern);
        EXPECT_TRUE(Shows(c.shown == B ? "simul/malpok/stetka.bmp" : "simul/malpok/valecek.bmp", ToolPictureAt, true));
        if (c.preview) {
            EXPECT_TRUE(Shows("simul/malpok/valecky/" + std::to_string(c.preview) + ".bmp", RollerPreviewAt, true));
        }
        if (c.pattern) {
            EXPECT_TRUE(Shows("simul/malpok/vzory/" + std::to_string(c.pattern) + ".bmp", PatternAt, true));
        } else {
            // Every surface as painted, without a pattern over it.
            for (int n = 1; n <= 4; ++n)
                EXPECT_TRUE(PictureAt(h().ScreenSurface(), *Painter().SurfaceBitmaps[std::size_t(n)], {0, 0}, true)) << n;
        }
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, PainterTools,
    ::testing::Values(ToolCase{"FirstRoller", {R}, 1, 2, R}, ToolCase{"NinthRoller", std::vector<Tool>(9, R), 9, 10, R},
                      ToolCase{"TenthRoller", std::vector<Tool>(10, R), 10, 1, R},
                      ToolCase{"EleventhRollerBringsTheFirstBack", std::vector<Tool>(11, R), 1, 2, R},
                      ToolCase{"BrushLeavesThePreview", {R, R, B}, 0, 3, B},
                      ToolCase{"RollerAfterTheBrushStartsAgain", {R, R, B, R}, 1, 2, R},
                      ToolCase{"BrushAtStart", {B}, 0, 0, B}),
    [](const auto& info) { return std::string(info.param.name); });

// The pattern lies over every wall and keeps its look over a wall painted
// anew.
TEST_F(PainterScreen, ThePatternStaysOverAWallPaintedAnew) {
    PressHere(kRoller);
    Click(Marker(23));
    Click(kRightWall);
    Then([this] {
        EXPECT_EQ(SurfacePaint(3, kRightWall), Paint(23));
        EXPECT_TRUE(Shows("simul/malpok/vzory/1.bmp", PatternAt, true));
    });
    Run();
}

TEST_F(PainterScreen, TheFurnishedViewIsForLookingOnlyAndGivesTheRoomBack) {
    PressHere(kRoller);
    Click(Marker(12));
    Click(kFrontWall);
    TBitmap before;
    Then([&] { before.Assign(Painter().Buffer); });
    Click(kFurnished);
    Then([this] {
        EXPECT_TRUE(Painter().FurnishedView);
        EXPECT_TRUE(Shows("simul/malpok/obyvak.bmp", FurnishedAt, true));
        EXPECT_FALSE(Painter().BrushLabel->Enabled());
    });
    TBitmap furnished;
    Then([&] { furnished.Assign(Painter().Buffer); });
    // A wall, the palette and both tools, with either button.
    Click(kLeftWall);
    Click(Marker(3), mbRight);
    Click(kRoller);
    PressHere(kBrush, mbRight);
    Then([&] {
        EXPECT_EQ(Painter().CurrentColour, Paint(12));
        EXPECT_EQ(Painter().Pattern, 1);
        EXPECT_NE(SurfacePaint(1, kLeftWall), Paint(12));
        EXPECT_TRUE(PictureAt(Painter().Buffer->Pixels(), furnished, {0, 0}));
    });
    Click(kFurnished);
    Then([&] {
        EXPECT_FALSE(Painter().FurnishedView);
        // The room as it was, with the button's look under the pointer.
        TBitmap expected;
        expected.Assign(&before);
        expected.Canvas()->Draw(FurnishedButtonArea.Left, FurnishedButtonArea.Top, Painter().FurnishedButton->HoverBitmap.get());
        EXPECT_TRUE(PictureAt(Painter().Buffer->Pixels(), expected, {0, 0}));
        EXPECT_TRUE(Painter().BrushLabel->Enabled());
    });
    PressHere(kRoller);
    Then([] { EXPECT_EQ(Painter().Pattern, 2); });
    Run();
}

}  // namespace
