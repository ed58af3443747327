// The model: the choosers' cycles, garments that take each other off, and
// presses on the body by region, off it and on its outline.
#include "free_play_test_support.h"
#include "simulations/USimulaceModelka.h"

using namespace freeplaytest;

namespace {

std::string Garment(const char* folder, Byte tag, int item) {
    const TGarmentKind& k = GarmentKindTable[tag - 1];
    return std::string("simul/modelka/") + folder + "/" + k.Folder + "/" + k.Prefix + std::to_string(item) + ".bmp";
}
TPoint ChooserPoint(Byte tag) { return Centre(GarmentKindTable[tag - 1].Chooser); }
// The chooser shows the kind's preview of that item, where no chooser made
// later lies over it.
::testing::AssertionResult PreviewShows(headless::Harness& h, Byte tag, int item) {
    auto preview = LoadPicture(kAppDir + Garment("vyber", tag, item));
    const TRect& r = GarmentKindTable[tag - 1].Chooser;
    for (int y = 0; y < preview->Height(); ++y)
        for (int x = 0; x < preview->Width(); ++x) {
            bool covered = false;
            for (Byte later = Byte(tag + 1); later <= GarmentKindCount; ++later)
                covered = covered || GarmentKindTable[later - 1].Chooser.Contains(r.Left + x, r.Top + y);
            if (!covered && h.Pixel(r.Left + x, r.Top + y) != preview->Pixels().Get(x, y))
                return ::testing::AssertionFailure() << "at (" << r.Left + x << ", " << r.Top + y << ")";
        }
    return ::testing::AssertionSuccess();
}
// A point of the mask on the screen.
TPoint OnScreen(TPoint mask) { return {BodyMaskOrigin.X + mask.X, BodyMaskOrigin.Y + mask.Y}; }

// What is worn, as a set of tags.
std::set<int> Worn() {
    std::set<int> worn;
    for (int tag = 1; tag <= GarmentKindCount; ++tag)
        if (wndSimulaceModelka->Wardrobe.GarmentWorn[std::size_t(tag)]) worn.insert(tag);
    return worn;
}

class Model : public FreePlayTest {
protected:
    Model() { OpenSimulation(kModelItem); }
};

TEST_F(Model, OpensWithNothingWornAndTheBackgroundAsLoaded) {
    Then([this] {
        ASSERT_NE(wndSimulaceModelka, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndSimulaceModelka);
        EXPECT_TRUE(Worn().empty());
        for (const TGarmentKind& k : GarmentKindTable)
            EXPECT_EQ(wndSimulaceModelka->Wardrobe.GarmentIndex[k.Tag], k.Items - 1) << k.Folder;
        // The background with the help button: no garment, no preview drawn.
        EXPECT_TRUE(PictureAt(h().ScreenSurface(), *wndSimulaceModelka->CleanBuffer, {0, 0}));
    });
    Run();
}

struct CycleCase {
    const char* name;
    int clicks;
    int worn;     // the item on the feet
    int preview;  // the item the chooser shows
};
void PrintTo(const CycleCase& c, std::ostream* os) { *os << c.name; }

class ModelShoes : public Model, public ::testing::WithParamInterface<CycleCase> {};

// Presses alternate between the left and the right button: a chooser takes
// either.
TEST_P(ModelShoes, EachPressPutsOnTheNextPairAndThePreviewShowsTheOneAfter) {
    const CycleCase& c = GetParam();
    for (int i = 0; i < c.clicks; ++i) Click(ChooserPoint(gShoes), i % 2 ? mbRight : mbLeft);
    Then([this, &c] {
        EXPECT_EQ(Worn(), std::set<int>{gShoes});
        EXPECT_TRUE(Shows(Garment("oblec", gShoes, c.worn), GarmentKindTable[0].WornAt));
        EXPECT_TRUE(PreviewShows(h(), gShoes, c.preview));
        // Every other chooser shows its first item.
        for (Byte tag = 2; tag <= GarmentKindCount; ++tag)
            EXPECT_TRUE(PreviewShows(h(), tag, 1)) << int(tag);
    });
    Run();
}

// The fifteenth press puts on the last pair and brings the preview back to
// the first; the sixteenth puts the first on again.
INSTANTIATE_TEST_SUITE_P(Table, ModelShoes,
                         ::testing::Values(CycleCase{"First", 1, 1, 2}, CycleCase{"Fourteenth", 14, 14, 15},
                                           CycleCase{"Fifteenth", 15, 15, 1}, CycleCase{"Sixteenth", 16, 1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RivalCase {
    const char* name;
    std::vector<Byte> chosen;
    std::set<int> worn;
    std::vector<Byte> shown;   // drawn whole (their first item)
    std::vector<Byte> hidden;  // worn but not drawn
};
void PrintTo(const RivalCase& c, std::ostream* os) { *os << c.name; }

class ModelRivals : public Model, public ::testing::WithParamInterface<RivalCase> {};

TEST_P(ModelRivals, GarmentsThatCannotBeWornTogetherTakeEachOtherOff) {
    const RivalCase& c = GetParam();
    for (Byte tag : c.chosen) Click(ChooserPoint(tag));
    Then([this, &c] {
        EXPECT_EQ(Worn(), c.worn);
        for (Byte tag : c.shown) {
            const TGarmentKind& k = GarmentKindTable[tag - 1];
            EXPECT_TRUE(Shows(Garment("oblec", tag, 1), k.WornAt, k.WornTransparent)) << k.Folder;
        }
        for (Byte tag : c.hidden) {
            const TGarmentKind& k = GarmentKindTable[tag - 1];
            EXPECT_FALSE(Shows(Garment("oblec", tag, 1), k.WornAt, k.WornTransparent)) << k.Folder;
        }
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModelRivals,
    ::testing::Values(RivalCase{"DressTakesOffTheRest", {gTrousers, gShirt, gDress}, {gDress}, {gDress}, {}},
                      RivalCase{"DressTakesOffSkirtAndTShirt", {gSkirt, gTShirt, gDress}, {gDress}, {gDress}, {}},
                      RivalCase{"ShoesStayUnderTheDress", {gShoes, gDress}, {gShoes, gDress}, {gDress}, {gShoes}},
                      RivalCase{"ShoesChosenUnderTheDress", {gDress, gShoes}, {gShoes, gDress}, {gDress}, {gShoes}},
                      RivalCase{"TrousersTakeOffTheDress", {gDress, gTrousers}, {gTrousers}, {gTrousers}, {}},
                      RivalCase{"ShirtTakesOffTheDress", {gDress, gShirt}, {gShirt}, {gShirt}, {}},
                      RivalCase{"SkirtTakesOffTheDressAndTheShoesShow",
                                {gShoes, gDress, gSkirt},
                                {gShoes, gSkirt},
                                {gShoes, gSkirt},
                                {}},
                      RivalCase{"TShirtTakesOffTheDress", {gDress, gTShirt}, {gTShirt}, {gTShirt}, {}},
                      RivalCase{"SkirtTakesOffTrousers", {gTrousers, gSkirt}, {gSkirt}, {gSkirt}, {}},
                      RivalCase{"TrousersTakeOffTheSkirt", {gSkirt, gTrousers}, {gTrousers}, {gTrousers}, {}},
                      RivalCase{"TShirtTakesOffTheShirt", {gShirt, gTShirt}, {gTShirt}, {gTShirt}, {}},
                      RivalCase{"ShirtTakesOffTheTShirt", {gTShirt, gShirt}, {gShirt}, {gShirt}, {}},
                      RivalCase{"TopBottomAndShoesTogether",
                                {gShirt, gSkirt, gShoes},
                                {gShirt, gSkirt, gShoes},
                                {gShirt, gSkirt, gShoes},
                                {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BodyCase {
    const char* name;
    TPoint at;  // on the screen
    int cursor;
    std::set<int> worn;  // after the press, from shoes, trousers and shirt
};
void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }

class ModelBody : public Model, public ::testing::WithParamInterface<BodyCase> {};

TEST_P(ModelBody, APressOnTheBodyTakesOffWhatCoversThatPart) {
    const BodyCase& c = GetParam();
    for (Byte tag : {gShoes, gTrousers, gShirt}) Click(ChooserPoint(tag));
    Move(c.at);
    Then([this, &c] { EXPECT_TRUE(CursorIs(c.cursor)); });
    PressHere(c.at);
    Then([&c] { EXPECT_EQ(Worn(), c.worn); });
    Run();
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModelBody,
    ::testing::Values(BodyCase{"UpperBody", OnScreen(BodyMaskMarkers[0]), 2, {gShoes, gTrousers}},
                      BodyCase{"UpperBodyAwayFromItsMarker", OnScreen({80, 10}), 2, {gShoes, gTrousers}},
                      BodyCase{"Legs", OnScreen({70, 200}), 2, {gShoes, gShirt}},
                      BodyCase{"Feet", OnScreen({80, 285}), 2, {gTrousers, gShirt}},
                      BodyCase{"OffTheBody", {150, 100}, 1, {gShoes, gTrousers, gShirt}},
                      BodyCase{"OnTheOutlineBetweenRegions", OnScreen({30, 84}), 1, {gShoes, gTrousers, gShirt}},
                      BodyCase{"BesideTheMask", OnScreen({120, 40}), 1, {gShoes, gTrousers, gShirt}}),
    [](const auto& info) { return std::string(info.param.name); });

// The dress covers the upper body and the legs: either takes it off.
TEST_F(Model, APressOnTheLegsTakesTheDressOffAndTheShoesShowAgain) {
    for (Byte tag : {gShoes, gDress}) Click(ChooserPoint(tag));
    Click(OnScreen(BodyMaskMarkers[1]));
    Then([this] {
        EXPECT_EQ(Worn(), std::set<int>{gShoes});
        EXPECT_TRUE(Shows(Garment("oblec", gShoes, 1), GarmentKindTable[0].WornAt));
    });
    Run();
}

// A region of the body that holds no marker: a press there takes nothing
// off but still redraws (the choosers' previews appear); a press off the
// body does nothing at all.
TEST_F(Model, APressOnARegionWithoutAMarkerOnlyRedraws) {
    const TPoint island = OnScreen({75, 40});
    Then([] {
        // A black line splits the upper body; its right part holds no marker.
        TBitmap* mask = wndSimulaceModelka->BodyMask.get();
        for (int y = 0; y < mask->Height(); ++y) mask->Pixels().Set(60, y, clBlack);
    });
    Click({150, 100});
    Then([this] {
        EXPECT_TRUE(PictureAt(h().ScreenSurface(), *wndSimulaceModelka->CleanBuffer, {0, 0}));
    });
    Click(island);
    Then([this] {
        EXPECT_TRUE(Worn().empty());
        for (const TGarmentKind& k : GarmentKindTable)
            EXPECT_TRUE(PreviewShows(h(), k.Tag, 1)) << k.Folder;
    });
    Run();
}

}  // namespace
