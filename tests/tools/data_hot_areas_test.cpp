// What the pictures draw as clickable lies where a click finds it: the
// labels of the exit question, of the message window's buttons and of both
// menus' entries inside their hot areas, the town's houses and names inside
// their places, nothing drawn on the town game's bar outside its buttons
// and its thing's box, the free-play screens' choosers, openers, swatches
// and tools on their areas, and the plumber's palette entries lit only
// inside their hot areas. The labels are black ink
// (with its antialiased edge: pixels near black).
#include "data_tree_support.h"

#include <span>

#include "games/menu_places.h"
#include "games/TownGameThings.h"
#include "simulations/MakeupKinds.h"
#include "simulations/ModelKinds.h"
#include "simulations/RoomPainterTables.h"
#include "shell/TownPlaceTable.h"
#include "platform/gfx/pixels.h"
#include "simulations/PlumberTables.h"

namespace {

// Near the ink's colour: its glyphs' cores and their darker edges, not the
// buttons' dark borders.
bool IsInk(TColor c, TColor ink) {
    constexpr int kNear = 80;
    return std::abs(GetRValue(c) - GetRValue(ink)) <= kNear && std::abs(GetGValue(c) - GetGValue(ink)) <= kNear &&
           std::abs(GetBValue(c) - GetBValue(ink)) <= kNear;
}

// The bounding rectangle, in screen pixels, of the picture's pixels of
// colour `ink` within `within` (picture pixels), the picture's corner at
// `at` on the screen; pixels on the screen inside `skip` are left out.
TRect InkOnScreen(const TBitmap& picture, TPoint at, TColor ink, TRect within,
                  std::span<const TRect> skip = {}) {
    within = gfx::Intersect(within, Rect(0, 0, picture.Width(), picture.Height()));
    TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = within.Top; y < within.Bottom; ++y)
        for (int x = within.Left; x < within.Right; ++x) {
            const int sx = at.X + x, sy = at.Y + y;
            if (!IsInk(picture.Pixels().Get(x, y), ink)) continue;
            bool skipped = false;
            for (const TRect& s : skip) skipped = skipped || s.Contains(sx, sy);
            if (skipped) continue;
            box = Rect(std::min(box.Left, sx), std::min(box.Top, sy), std::max(box.Right, sx + 1),
                       std::max(box.Bottom, sy + 1));
        }
    return box.Left > box.Right ? TRect{} : box;
}

::testing::AssertionResult InkInside(const TRect& ink, const TRect& area) {
    if (ink.IsEmpty()) return ::testing::AssertionFailure() << "no label drawn";
    if (gfx::Intersect(ink, area) == ink) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "ink x " << ink.Left << ".." << ink.Right - 1 << ", y " << ink.Top << ".."
                                         << ink.Bottom - 1 << " outside the area x " << area.Left << ".."
                                         << area.Right - 1 << ", y " << area.Top << ".." << area.Bottom - 1;
}

const TRect kWholePicture = Rect(0, 0, 10000, 10000);

// The screen's pixels that a picture drawn at `at` changes.
TRect ChangedBy(const TBitmap& screen, const TBitmap& picture, TPoint at) {
    TRect box{};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixels().Get(x, y) == screen.Pixels().Get(at.X + x, at.Y + y)) continue;
            const TRect p = Bounds(at.X + x, at.Y + y, 1, 1);
            box = box.IsEmpty() ? p
                                : Rect(std::min(box.Left, p.Left), std::min(box.Top, p.Top),
                                       std::max(box.Right, p.Right), std::max(box.Bottom, p.Bottom));
        }
    return box;
}

}  // namespace

TEST(DataHotAreas, ExitQuestionsYesAndNoLabelsLieInTheirAreas) {
    auto exit = LoadPicture("hl_obr\\exit.bmp");
    // Centred on the screen; the question's line at the top is no label.
    const TPoint at{(640 - exit->Width()) / 2, (480 - exit->Height()) / 2};
    const int below = 30, half = exit->Width() / 2;
    EXPECT_TRUE(InkInside(InkOnScreen(*exit, at, clBlack, Rect(0, below, half, exit->Height())),
                          Bounds(165, 274, 34, 28)))
        << "Ano";
    EXPECT_TRUE(InkInside(InkOnScreen(*exit, at, clBlack, Rect(half, below, exit->Width(), exit->Height())),
                          Bounds(442, 269, 32, 35)))
        << "Ne";
}

TEST(DataHotAreas, MessageWindowButtonsAreTheirAreasWithTheirLabelsInside) {
    struct Button {
        const char* name;
        TRect area;
    };
    const Button buttons[] = {{"ano", Bounds(203, 268, 76, 29)},   {"ne", Bounds(360, 268, 76, 29)},
                              {"pok", Bounds(179, 268, 124, 29)},  {"konec", Bounds(337, 268, 123, 29)},
                              {"ok", Bounds(286, 268, 69, 29)}};
    for (const Button& b : buttons)
        for (const char* state : {"1", "3"}) {
            auto p = LoadPicture(std::string("hl_obr\\hlasky\\") + b.name + state + ".bmp");
            EXPECT_EQ(p->Width(), b.area.Width()) << b.name << state;
            EXPECT_EQ(p->Height(), b.area.Height()) << b.name << state;
            EXPECT_TRUE(InkInside(InkOnScreen(*p, {b.area.Left, b.area.Top}, clBlack, kWholePicture), b.area))
                << b.name << state;
        }
}

struct MenuCase {
    const char* name;
    const char* folder;
    std::span<const TMenuEntry> entries;
};
void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

class DataMenuEntries : public ::testing::TestWithParam<MenuCase> {};

TEST_P(DataMenuEntries, LabelsAndHoverLooksLieInTheEntriesHotAreas) {
    const MenuCase& c = GetParam();
    auto menu = LoadPicture(std::string(c.folder) + "pozadi.bmp");
    for (const TMenuEntry& e : c.entries) {
        SCOPED_TRACE(e.Name);
        auto normal = LoadPicture(std::string(c.folder) + e.Name + "1.bmp");
        auto hover = LoadPicture(std::string(c.folder) + e.Name + "2.bmp");
        ASSERT_EQ(hover->Width(), normal->Width());
        ASSERT_EQ(hover->Height(), normal->Height());
        const TRect picture = Bounds(e.Position.X, e.Position.Y, normal->Width(), normal->Height());
        // The menu shows the entry as its normal picture.
        int differing = 0;
        for (int y = 0; y < normal->Height(); ++y)
            for (int x = 0; x < normal->Width(); ++x)
                differing += normal->Pixels().Get(x, y) != menu->Pixels().Get(picture.Left + x, picture.Top + y);
        EXPECT_EQ(differing, 0) << "the menu differs from the normal picture";
        // The label, as the menu shows it; other entries' areas may reach
        // into the picture.
        std::vector<TRect> others;
        for (const TMenuEntry& o : c.entries)
            if (o.Tag != e.Tag) others.push_back(o.HotArea);
        EXPECT_TRUE(InkInside(InkOnScreen(*menu, {0, 0}, clBlack, picture, others), e.HotArea));
        // Hovering lights only what lies in the area.
        EXPECT_TRUE(InkInside(ChangedBy(*menu, *hover, e.Position), e.HotArea)) << "hover look";
    }
}

INSTANTIATE_TEST_SUITE_P(Both, DataMenuEntries,
                         ::testing::Values(MenuCase{"Games", "hry\\hl_obr\\", kGamesMenuPlaces},
                                           MenuCase{"Simulations", "simul\\vyber\\", kSimulationsMenuPlaces}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataHotAreas, TownGameDrawsOnItsBarOnlyItsButtonsAndTheThingsBox) {
    const TRect box = Bounds(563, 426, 65, 46);
    const std::vector<TRect> areas = {Bounds(10, 421, 49, 54),  Bounds(117, 421, 72, 59), Bounds(200, 421, 67, 59),
                                      Bounds(275, 421, 71, 59), Bounds(435, 421, 73, 59), box};
    auto frame = LoadPicture("hry\\citoje\\pozadi.bmp");
    // The bar is plain where nothing is drawn on it: each row one colour, as
    // at its left edge.
    int outside = 0;
    for (int y = 421; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (frame->Pixels().Get(x, y) == frame->Pixels().Get(0, y)) continue;
            bool inArea = false;
            for (const TRect& a : areas) inArea = inArea || a.Contains(x, y);
            outside += !inArea;
        }
    EXPECT_EQ(outside, 0) << "pixels drawn on the bar outside its hot areas";
    // The things, drawn at (569, 429), lie in the box.
    for (int n = 1; n <= 43; ++n)
        for (int k = 1; k <= TownGameThingCount[n - 1]; ++k) {
            auto thing = LoadPicture("hry\\citoje\\" + std::to_string(n) + "A\\" + std::to_string(k) + ".bmp");
            EXPECT_LE(569 + thing->Width(), box.Right) << n << "A\\" << k;
            EXPECT_LE(429 + thing->Height(), box.Bottom) << n << "A\\" << k;
        }
}

TEST(DataHotAreas, TownDrawsItsHousesAndNamesInsideThePlaces) {
    // Where the mask is black, the town shows only its plain rows (sky and
    // grass, one colour a row) and the places' outlines around the regions:
    // a house or name that reached over a region's edge would show there.
    auto town = LoadPicture("mesto.bmp");
    auto mask = LoadPicture("mesto_m.bmp");
    const Surface& t = town->Pixels();
    const Surface& m = mask->Pixels();
    auto inRegion = [&](int x, int y) { return m.Inside(x, y) && m.Get(x, y) != clBlack; };
    std::set<TColor> outline;
    int stray = 0;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            if (m.Get(x, y) != clBlack || t.Get(x, y) == t.Get(0, y)) continue;
            if (inRegion(x - 1, y) || inRegion(x + 1, y) || inRegion(x, y - 1) || inRegion(x, y + 1))
                outline.insert(t.Get(x, y));
            else
                ++stray;
        }
    EXPECT_EQ(stray, 0) << "pixels drawn outside every place";
    EXPECT_EQ(outline.size(), 1u) << "drawing over the places' outlines";
}

TEST(DataHotAreas, ModelsGarmentsLeaveTheChoosersFree) {
    // The previews are drawn over the garments: a garment that reached into
    // a chooser would be cut there.
    for (const TGarmentKind& k : GarmentKindTable) {
        auto worn = LoadPicture(std::string("simul\\modelka\\oblec\\") + k.Folder + "\\" + k.Prefix + "1.bmp");
        for (const TGarmentKind& other : GarmentKindTable) {
            int inside = 0;
            for (int y = 0; y < worn->Height(); ++y)
                for (int x = 0; x < worn->Width(); ++x)
                    inside += (!k.WornTransparent || worn->Pixels().Get(x, y) != clFuchsia) &&
                              other.Chooser.Contains(k.WornAt.X + x, k.WornAt.Y + y);
            EXPECT_EQ(inside, 0) << k.Folder << " reaches into the chooser of " << other.Folder;
        }
    }
}

TEST(DataHotAreas, MakeupOpenersLabelsAndSwatchesLieInTheirAreas) {
    auto face = LoadPicture("simul\\vizaz\\pozadi.bmp");
    const TColor label = RGBColor(120, 40, 80);
    for (int kind = 0; kind < 5; ++kind) {
        const TMakeupKind& k = MakeupKindTable[kind];
        SCOPED_TRACE(k.Palette);
        // The opener's name, looked for around it above the bar, other
        // openers left out.
        std::vector<TRect> others;
        for (const TMakeupKind& o : MakeupKindTable)
            if (&o != &k) others.push_back(o.Opener);
        const TRect around =
            Rect(k.Opener.Left - 12, k.Opener.Top - 12, k.Opener.Right + 12, std::min(int(k.Opener.Bottom) + 12, 417));
        EXPECT_TRUE(InkInside(InkOnScreen(*face, {0, 0}, label, around, others), k.Opener));
        // Inside the palette's frame, what differs from its face is a swatch.
        auto palette = LoadPicture(std::string("simul\\vizaz\\palety\\") + k.Palette + ".bmp");
        const int size = kind == 3 ? LashesSwatchSize : SwatchSize;
        const TColor plain = palette->Pixels().Get(1, 1);
        int stray = 0;
        for (int y = 1; y < palette->Height() - 1; ++y)
            for (int x = 1; x < palette->Width() - 1; ++x) {
                if (palette->Pixels().Get(x, y) == plain) continue;
                bool onSwatch = false;
                for (int i = 1; i <= k.Swatches; ++i) {
                    const TPoint p = MakeupSwatch(kind, i).Place;
                    onSwatch = onSwatch || Bounds(p.X, p.Y, size, size).Contains(x, y);
                }
                stray += !onSwatch;
            }
        EXPECT_EQ(stray, 0) << "colour drawn off the swatches";
    }
}

TEST(DataHotAreas, PaintersFieldsAndToolsLieInTheirAreas) {
    auto room = LoadPicture("simul\\malpok\\pozadi.bmp");
    auto fields = LoadPicture("simul\\malpok\\barvy.bmp");
    // Each paint's field shows where the mask has it, and only there.
    int differing = 0;
    for (int y = 268; y < 421; ++y)
        for (int x = 0; x < 400; ++x) {
            const TColor f = fields->Pixels().Get(x, y), r = room->Pixels().Get(x, y);
            bool paint = false;
            for (const TPaintColour& c : PaintColourTable) paint = paint || r == c.Colour;
            differing += f != clFuchsia ? f != r : paint;
        }
    EXPECT_EQ(differing, 0);
    // The brush and the roller, each drawn within its tool's area.
    const char* tools[2] = {"simul\\malpok\\stetka.bmp", "simul\\malpok\\valecek.bmp"};
    for (int t = 0; t < 2; ++t) {
        auto tool = LoadPicture(tools[t]);
        const TRect& area = RoomToolAreas[t];
        const TPoint at{(area.Left + area.Right - tool->Width()) / 2, (area.Top + area.Bottom - tool->Height()) / 2};
        int missing = 0;
        for (int y = 0; y < tool->Height(); ++y)
            for (int x = 0; x < tool->Width(); ++x) {
                const TColor c = tool->Pixels().Get(x, y);
                if (c == clFuchsia) continue;
                missing += !area.Contains(at.X + x, at.Y + y) || room->Pixels().Get(at.X + x, at.Y + y) != c;
            }
        EXPECT_EQ(missing, 0) << tools[t];
    }
}

TEST(DataHotAreas, PlumberPaletteEntriesLightUpOnlyInsideTheirHotAreas) {
    auto a = LoadPicture("simul\\instal\\pozadiA.bmp");
    for (const TPlumberAPaletteEntry& e : PlumberAPaletteTable) {
        auto lit = LoadPicture(std::string("simul\\instal\\A_verze\\") + e.Highlight + ".bmp");
        EXPECT_TRUE(InkInside(ChangedBy(*a, *lit, {e.Label.Left, e.Label.Top}), e.Label)) << e.Highlight;
    }
    // Part B: the picture of an entry's group with that entry chosen.
    auto b = LoadPicture("simul\\instal\\pozadiB.bmp");
    for (const TPlumberBPaletteGroup& g : PlumberBPaletteTable)
        for (int tag = g.FirstTag; tag <= g.LastTag; ++tag) {
            const char* name = g.Pictures[tag - g.FirstTag];
            auto lit = LoadPicture(std::string("simul\\instal\\B_verze\\") + name + ".bmp");
            EXPECT_TRUE(InkInside(ChangedBy(*b, *lit, g.Origin), g.Labels[tag - g.FirstTag])) << name;
        }
}
