// The town game "Čí to je": opened from the games menu, the thing in its box
// and carried, deliveries right and wrong, the result window with its pauses,
// the places left out of the game, and scrolling to the town's ends.
#include "games/TownGameThings.h"
#include "games/UCiToJe.h"
#include "games/UCiToJe2.h"
#include "games_test_support.h"
#include "shell/DetailCodes.h"

using namespace gametest;

namespace {

constexpr int kStartOffset = -1446;
constexpr TPoint kThingBox{569, 429};
constexpr TPoint kBoxPoint{595, 449};  // inside the box's hot area

TPoint SampleOf(Byte place) { return TownPlaceTable[place - 1].SamplePoint; }

// A town point's window point at a scroll offset.
TPoint WindowPoint(TPoint town, int offset) { return {town.X + offset + 6, town.Y + 6}; }

// The slider's left edge that brings a town x near the middle of the view.
int SliderLeftShowing(int townX) { return SliderLeftForOffset(std::clamp(320 - 6 - townX, -2892, 0)); }

// The screen shows the picture's opaque (non-magenta) pixels with its corner
// at (x, y), as far as they lie on the screen.
::testing::AssertionResult ShowsOpaquePicture(headless::Harness& h, const TBitmap& picture, int x, int y) {
    const Surface& screen = h.ScreenSurface();
    for (int j = 0; j < picture.Height(); ++j)
        for (int i = 0; i < picture.Width(); ++i) {
            const TColor want = picture.Pixels().Get(i, j);
            if (want == clFuchsia || !screen.Inside(x + i, y + j)) continue;
            if (screen.Get(x + i, y + j) != want)
                return ::testing::AssertionFailure() << "at (" << x + i << ", " << y + j << ")";
        }
    return ::testing::AssertionSuccess();
}

// The screen over a rectangle of the view is the game's frame with the town
// at the offset through its window: no plate or thing drawn there.
::testing::AssertionResult ShowsBareTown(headless::Harness& h, int offset, const TRect& r) {
    auto town = LoadPicture(kAppDir + "mesto.bmp");
    auto frame = LoadPicture(kAppDir + "hry/citoje/pozadi.bmp");
    const Surface& screen = h.ScreenSurface();
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            TColor want = frame->Pixels().Get(x, y);
            if (want == clFuchsia) want = town->Pixels().Get(x - offset - 6, y - 6);
            if (screen.Get(x, y) != want) return ::testing::AssertionFailure() << "at (" << x << ", " << y << ")";
        }
    return ::testing::AssertionSuccess();
}

std::unique_ptr<TBitmap> ThingPicture(Byte place, Byte variant, const char* kind = "A") {
    return LoadPicture(kAppDir + "hry/citoje/" + std::to_string(place) + kind + "/" + std::to_string(variant) +
                       ".bmp");
}

class TownGame : public ScreenTest {
public:
    using ProgramTest::CursorIs;
    using ShellTest::SoundStarts;

    // The game chosen from the menu, its thing then drawn anew until it
    // belongs to `place`; the game is up at the returned time.
    std::uint64_t StartWithThingOf(Byte place) {
        const std::uint64_t up = ChooseGame(kReady, 1);
        h().At(up - 10, [place] {
            while (wndCiToJe->ThingPlace != place) wndCiToJe->NewThing();
        });
        return up;
    }
    // Drags the slider from its start to `left`; done at the returned time.
    std::uint64_t DragSlider(std::uint64_t at, int left) {
        h().MouseDown(at, 314 + 5, 410);
        h().MoveTo(at + 10, left + 5, 410);
        h().MouseUp(at + 20, left + 5, 410);
        return at + 50;
    }
    std::size_t WrongSounds() const { return SoundStarts("sound\\spatne.wav").size(); }
    std::size_t RightSounds() const { return SoundStarts("sound\\spravne.wav").size(); }
};

// ---------------------------------------------------------------------------

TEST_F(TownGame, EntryOneOpensTheGameWithAThingInItsBoxAndLeavingFreesItWithItsResultWindow) {
    const std::uint64_t up = ChooseGame(kReady, 1);
    h().At(up, [this] {
        ASSERT_NE(wndCiToJe, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndCiToJe);
        EXPECT_EQ(wndCiToJe->Caption(), "Velamo - Hry: Čí to je");
        EXPECT_FALSE(wndHry->Showing());
        ASSERT_NE(wndCiToJe2, nullptr);
        EXPECT_FALSE(wndCiToJe2->Showing());
        const Byte place = wndCiToJe->ThingPlace;
        ASSERT_GE(place, 1);
        EXPECT_GE(wndCiToJe->ThingVariant, 1);
        EXPECT_LE(wndCiToJe->ThingVariant, TownGameThingCount[place - 1]);
        EXPECT_TRUE(ShowsOpaquePicture(h(), *ThingPicture(place, wndCiToJe->ThingVariant), kThingBox.X, kThingBox.Y));
        EXPECT_TRUE(ShowsBareTown(h(), kStartOffset, Rect(6, 6, 634, 40)));
    });
    h().Click(up + 100, kHelpX, kBarY);
    h().Click(up + 700, kGamesX, kBarY);
    h().At(up + 1000, [] {
        EXPECT_EQ(wndCiToJe, nullptr);
        EXPECT_EQ(wndCiToJe2, nullptr);
        EXPECT_TRUE(wndHry->Showing());
    });
    // Chosen again: a new game with a result window of its own.
    ChooseGame(up + 1500, 1);
    h().At(up + 2600, [] {
        ASSERT_NE(wndCiToJe, nullptr);
        ASSERT_NE(wndCiToJe2, nullptr);
        EXPECT_EQ(wndCiToJe->WrongAnswers, 0);
        Application->Terminate();
    });
    RunProgram();
    EXPECT_EQ(Notices({"start", "sound\\help\\michacka.wav"}).size(), 1u);
}

// ---------------------------------------------------------------------------
// The edge cases, one scripted case each on a game whose thing belongs to
// place 23 ("kader", in the start view).

constexpr Byte kThingOf = 23;
const TPoint kRightPoint = WindowPoint(SampleOf(kThingOf), kStartOffset);
const TPoint kWrongPoint = WindowPoint(SampleOf(21), kStartOffset);

struct EdgeCase {
    std::string name;
    // Schedules the case's input and checks from `at`, the game being up.
    std::function<void(TownGame&, headless::Harness&, std::uint64_t at)> run;
};
void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

// A point under which the mask is black (a border), in the start view.
TPoint BlackPointInStartView() {
    auto mask = LoadPicture(kAppDir + "mesto_m.bmp");
    for (int x = 1446 + 100; x < 2073; ++x)
        if (mask->Pixels().Get(x, 200) == clBlack) return WindowPoint({x, 200}, kStartOffset);
    return {-1, -1};
}

// Moved onto `p` from a place (hand, plate), then clicked: the arrow, no
// place, and the click does nothing.
EdgeCase ArrowClick(const char* name, std::function<TPoint()> point) {
    return {name, [point](TownGame& t, headless::Harness& h, std::uint64_t at) {
                const TPoint p = point();
                ASSERT_GE(p.X, 0);
                h.MoveTo(at, kWrongPoint.X, kWrongPoint.Y);
                h.MoveTo(at + 100, p.X, p.Y);
                h.At(at + 110, [&t] {
                    EXPECT_EQ(wndCiToJe->HoverPlace, 0);
                    EXPECT_TRUE(t.CursorIs(1));
                });
                h.Click(at + 200, p.X, p.Y);
                h.At(at + 800, [&t, &h] {
                    EXPECT_EQ(t.WrongSounds(), 0u);
                    EXPECT_EQ(wndCiToJe->WrongAnswers, 0);
                    EXPECT_FALSE(wndCiToJe2->Showing());
                    EXPECT_EQ(wndDetailProfese, nullptr);
                    EXPECT_EQ(h.ActiveForm(), wndCiToJe);
                });
            }};
}

// A place left out of the game, scrolled into view by the slider: no hand,
// no plate, and a click there does nothing.
EdgeCase ClosedPlace(Byte place) {
    return {"ClosedPlace" + std::to_string(place), [place](TownGame& t, headless::Harness& h, std::uint64_t at) {
                const int left = SliderLeftShowing(SampleOf(place).X);
                const int offset = OffsetForSliderLeft(left);
                at = t.DragSlider(at, left);
                const TPoint p = WindowPoint(SampleOf(place), offset);
                h.MoveTo(at, p.X, p.Y);
                h.At(at + 10, [&t, &h, place, offset] {
                    EXPECT_EQ(wndCiToJe->ScrollOffset, offset);
                    EXPECT_EQ(wndCiToJe->HoverPlace, 0);
                    EXPECT_TRUE(t.CursorIs(1));
                    const TPoint plate = WindowPoint(TownPlaceTable[place - 1].NamePlatePoint, offset);
                    EXPECT_TRUE(ShowsBareTown(h, offset, Rect(plate.X, plate.Y, plate.X + 60, plate.Y + 20)));
                });
                h.Click(at + 100, p.X, p.Y);
                h.At(at + 400, [&t] {
                    EXPECT_EQ(t.WrongSounds(), 0u);
                    EXPECT_EQ(wndCiToJe->WrongAnswers, 0);
                });
            }};
}

// The right place clicked, the thing carried or not: the delivery for 2 s,
// then the place with the right-answer sound for 3 s, then the next thing.
EdgeCase RightDelivery(const char* name, bool carried) {
    return {name, [carried](TownGame& t, headless::Harness& h, std::uint64_t at) {
                if (carried) h.Click(at - 300, kBoxPoint.X, kBoxPoint.Y);
                auto variant = std::make_shared<Byte>(0);
                h.MoveTo(at - 100, kRightPoint.X, kRightPoint.Y);
                h.At(at - 50, [&t, variant, carried] {
                    EXPECT_EQ(wndCiToJe->Carrying, carried);
                    EXPECT_EQ(wndCiToJe->HoverPlace, kThingOf);
                    EXPECT_TRUE(t.CursorIs(2));
                    *variant = wndCiToJe->ThingVariant;
                });
                h.MouseDown(at, kRightPoint.X, kRightPoint.Y);
                h.MouseUp(at + 50, kRightPoint.X, kRightPoint.Y);
                std::shared_ptr<TBitmap> result = LoadPicture(kAppDir + "hry/citoje/pozadi2.bmp");
                std::shared_ptr<TBitmap> place =
                    LoadPicture(kAppDir + "hry/citoje/" + std::to_string(kThingOf) + ".bmp");
                for (std::uint64_t when : {at + 10, at + 1990})
                    h.At(when, [&t, &h, variant] {
                        ASSERT_TRUE(wndCiToJe2->Showing());
                        EXPECT_EQ(h.ActiveForm(), wndCiToJe2);
                        EXPECT_TRUE(ScreenShows(h, *ThingPicture(kThingOf, *variant, "B"), 0, 0, 145, 20, 100, 120));
                        EXPECT_EQ(t.RightSounds(), 0u);
                    });
                for (std::uint64_t when : {at + 2010, at + 4990})
                    h.At(when, [&t, &h, result, place] {
                        ASSERT_TRUE(wndCiToJe2->Showing());
                        EXPECT_TRUE(ScreenShows(h, *place, 0, 0, 145, 20, place->Width(), place->Height()));
                        EXPECT_TRUE(ScreenShows(h, *result, 0, 300, 0, 300, 640, 180));
                        EXPECT_EQ(t.RightSounds(), 1u);
                    });
                h.At(at + 5010, [&t, &h, at] {
                    EXPECT_FALSE(wndCiToJe2->Showing());
                    EXPECT_EQ(h.ActiveForm(), wndCiToJe);
                    EXPECT_FALSE(wndCiToJe->Carrying);
                    EXPECT_TRUE(ShowsOpaquePicture(h, *ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant),
                                                   kThingBox.X, kThingBox.Y));
                    const auto right = t.SoundStarts("sound\\spravne.wav");
                    ASSERT_EQ(right.size(), 1u);
                    EXPECT_EQ(right[0].at, at + 2000);
                    EXPECT_EQ(t.WrongSounds(), 0u);
                });
            }};
}

// Holds the pointer on a strip after the slider was dragged to `left`.
EdgeCase StripEnd(const char* name, int left, int stripX, int wantOffset) {
    return {name, [=](TownGame& t, headless::Harness& h, std::uint64_t at) {
                at = t.DragSlider(at, left);
                h.MoveTo(at, stripX, 200);
                h.At(at + 3010, [&h, wantOffset] {
                    EXPECT_TRUE(wndCiToJe->ScrollTimer->Enabled());
                    EXPECT_EQ(wndCiToJe->ScrollOffset, wantOffset);
                    EXPECT_EQ(wndCiToJe->Slider->Left(), SliderLeftForOffset(wantOffset));
                    EXPECT_TRUE(ShowsBareTown(h, wantOffset, Rect(20, 20, 620, 60)));
                });
                h.MoveTo(at + 3100, 320, 412);
                h.At(at + 3300, [wantOffset] {
                    EXPECT_FALSE(wndCiToJe->ScrollTimer->Enabled());
                    EXPECT_EQ(wndCiToJe->ScrollOffset, wantOffset);
                });
            }};
}

// A drag that would put the slider beyond an end moves nothing.
EdgeCase SliderBeyond(const char* name, int left) {
    return {name, [=](TownGame& t, headless::Harness& h, std::uint64_t at) {
                t.DragSlider(at, left);
                h.At(at + 100, [&h] {
                    EXPECT_EQ(wndCiToJe->Slider->Left(), 314);
                    EXPECT_EQ(wndCiToJe->ScrollOffset, kStartOffset);
                    EXPECT_TRUE(ShowsBareTown(h, kStartOffset, Rect(20, 20, 620, 60)));
                });
            }};
}

std::vector<EdgeCase> EdgeCases() {
    std::vector<EdgeCase> cases = {
        ArrowClick("ArrowOnABlackBorder", BlackPointInStartView),
        ArrowClick("ArrowAboveTheTown", [] { return TPoint{320, 2}; }),
        ArrowClick("ArrowBelowTheTown", [] { return TPoint{100, 412}; }),
    };
    for (Byte place : TownGameClosedPlaces) cases.push_back(ClosedPlace(place));

    cases.push_back({"ThreeWrongDeliveriesOpenTheThingsPageWithBackAndPrintAndANewThing",
                     [](TownGame& t, headless::Harness& h, std::uint64_t at) {
                         h.Click(at, kBoxPoint.X, kBoxPoint.Y);  // carried, to see the new thing put back
                         for (int k = 1; k <= 3; ++k) {
                             h.Click(at + 700 * std::uint64_t(k), kWrongPoint.X, kWrongPoint.Y);
                             if (k < 3)
                                 h.At(at + 700 * std::uint64_t(k) + 300, [&t, k] {
                                     EXPECT_EQ(wndCiToJe->WrongAnswers, k);
                                     EXPECT_EQ(t.WrongSounds(), std::size_t(k));
                                     EXPECT_EQ(wndDetailProfese, nullptr);
                                 });
                         }
                         h.At(at + 2100 + 400, [&h] {
                             ASSERT_NE(wndDetailProfese, nullptr);
                             EXPECT_EQ(h.ActiveForm(), wndDetailProfese);
                             EXPECT_EQ(String(CurrentDetailCode.Chars, CurrentDetailCode.Length),
                                       DetailCodeFor(kThingOf));
                             EXPECT_TRUE(wndDetailProfese->BarButton(TBarButton::Back)->Visible());
                             EXPECT_TRUE(wndDetailProfese->BarButton(TBarButton::Print)->Visible());
                             for (TBarButton b : {TBarButton::Exit, TBarButton::Games, TBarButton::Menu,
                                                  TBarButton::Simulations})
                                 EXPECT_FALSE(wndDetailProfese->BarButton(b)->Visible());
                             // The next thing is there before the child comes back.
                             EXPECT_EQ(wndCiToJe->WrongAnswers, 0);
                             EXPECT_FALSE(wndCiToJe->Carrying);
                         });
                         h.Click(at + 3000, kBackX, kBarY);
                         h.At(at + 3500, [&h, at] {
                             EXPECT_EQ(wndDetailProfese, nullptr);
                             EXPECT_EQ(h.ActiveForm(), wndCiToJe);
                             EXPECT_TRUE(ShowsOpaquePicture(
                                 h, *ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant), kThingBox.X,
                                 kThingBox.Y));
                             // The count starts afresh with the new thing: one
                             // more wrong click is the first.
                             const TPoint wrong = wndCiToJe->ThingPlace == 21
                                                      ? WindowPoint(SampleOf(17), kStartOffset)
                                                      : kWrongPoint;
                             h.Click(at + 3600, wrong.X, wrong.Y);
                             h.At(at + 3900, [] {
                                 EXPECT_EQ(wndCiToJe->WrongAnswers, 1);
                                 EXPECT_EQ(wndDetailProfese, nullptr);
                             });
                         });
                     }});

    cases.push_back(RightDelivery("RightPlaceNotCarried", false));
    cases.push_back(RightDelivery("RightPlaceCarried", true));

    cases.push_back(StripEnd("RightStripStopsAtTheRightEnd", 314, 637, 628 - TownWidth));
    cases.push_back(StripEnd("LeftStripStopsAtTheLeftEnd", 314, 2, 0));
    cases.push_back(StripEnd("RightStripAtTheRightEnd", 614, 637, 628 - TownWidth));
    cases.push_back(StripEnd("LeftStripAtTheLeftEnd", 14, 2, 0));
    cases.push_back(SliderBeyond("SliderBeyondTheRightEnd", 615));
    cases.push_back(SliderBeyond("SliderBeyondTheLeftEnd", 13));

    cases.push_back({"CarriedBelowTheTownOverThePlateShownBefore",
                     [](TownGame&, headless::Harness& h, std::uint64_t at) {
                         h.Click(at, kBoxPoint.X, kBoxPoint.Y);
                         h.MoveTo(at + 100, kRightPoint.X, kRightPoint.Y);
                         h.MoveTo(at + 200, 300, 452);  // onto the bar, below the town
                         h.At(at + 210, [&h] {
                             ASSERT_TRUE(wndCiToJe->Carrying);
                             EXPECT_EQ(wndCiToJe->HoverPlace, 0);
                             auto thing = ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant);
                             EXPECT_TRUE(
                                 ShowsOpaquePicture(h, *thing, 300 - thing->Width() / 2, 452 - thing->Height() / 2));
                             // The plate of the place left stays as it was drawn.
                             const TPoint plate = WindowPoint(TownPlaceTable[kThingOf - 1].NamePlatePoint, kStartOffset);
                             EXPECT_TRUE(ShowsOpaquePicture(h, *wndCiToJe->NamePlate[kThingOf], plate.X, plate.Y));
                         });
                     }});

    cases.push_back({"CarriedThingFollowsOverItsBoxTheBarAndTheTown",
                     [](TownGame&, headless::Harness& h, std::uint64_t at) {
                         h.Click(at, kBoxPoint.X, kBoxPoint.Y);
                         // Picked up: under the pointer at once, before it moves.
                         h.At(at + 100, [&h] {
                             ASSERT_TRUE(wndCiToJe->Carrying);
                             auto thing = ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant);
                             EXPECT_TRUE(ShowsOpaquePicture(h, *thing, kBoxPoint.X - thing->Width() / 2,
                                                            kBoxPoint.Y - thing->Height() / 2));
                         });
                         struct Stop {
                             TPoint p;
                             bool boxFree;  // the box lies apart from the carried thing
                         };
                         const Stop stops[] = {{{600, 452}, false}, {{470, 450}, true}, {{150, 450}, true},
                                               {{30, 440}, true},   {{320, 200}, true}, {{100, 412}, true}};
                         std::uint64_t t = at + 200;
                         for (const Stop& s : stops) {
                             h.MoveTo(t, s.p.X, s.p.Y);
                             h.At(t + 10, [&h, s] {
                                 ASSERT_TRUE(wndCiToJe->Carrying);
                                 auto thing = ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant);
                                 EXPECT_TRUE(ShowsOpaquePicture(h, *thing, s.p.X - thing->Width() / 2,
                                                                s.p.Y - thing->Height() / 2))
                                     << s.p.X << ", " << s.p.Y;
                                 if (s.boxFree) {
                                     EXPECT_TRUE(ShowsOpaquePicture(h, *thing, kThingBox.X, kThingBox.Y));
                                 }
                             });
                             t += 100;
                         }
                         // Put back: only in its box.
                         h.Click(t, kBoxPoint.X, kBoxPoint.Y);
                         h.At(t + 200, [&h] {
                             EXPECT_FALSE(wndCiToJe->Carrying);
                             auto thing = ThingPicture(wndCiToJe->ThingPlace, wndCiToJe->ThingVariant);
                             EXPECT_TRUE(ShowsOpaquePicture(h, *thing, kThingBox.X, kThingBox.Y));
                             // Where it was carried last over the town.
                             EXPECT_TRUE(ShowsBareTown(h, kStartOffset, Rect(100 - 28, 392, 100 + 28, 405)));
                         });
                     }});
    // After every carried move the screen is what drawing the whole screen
    // anew shows then: the thing's last place, the plate left and the bar's
    // hover pictures are all drawn over. Below the town the plate shown
    // before stays, so the whole drawing there is made with that plate.
    cases.push_back({"CarriedMovesShowWhatAWholeRedrawShows", [](TownGame&, headless::Harness& h, std::uint64_t at) {
                         h.Click(at, kBoxPoint.X, kBoxPoint.Y);
                         struct Stop {
                             TPoint p;
                             bool below;  // below the town: the plate shown before stays
                         };
                         const Stop stops[] = {
                             {kRightPoint, false},
                             {{kRightPoint.X + 3, kRightPoint.Y + 2}, false},
                             {{1760 + kStartOffset + 6, 246 + 6}, false},
                             {{1824 + kStartOffset + 6, 195 + 6}, false},
                             {{1648 + kStartOffset + 6, 259 + 6}, false},
                             {{320, 200}, false},
                             {{300, 452}, true},
                             {{150, 450}, true},
                             {{154, 447}, true},
                             {{470, 450}, true},
                             {{600, 452}, true},
                             {{1476 + kStartOffset + 6, 246 + 6}, false},
                             {{1700 + kStartOffset + 6, 330 + 6}, false},
                             {{8, 30}, false},
                             {{630, 380}, false},
                         };
                         auto plateBefore = std::make_shared<Byte>(0);
                         h.At(at + 100, [plateBefore] { *plateBefore = wndCiToJe->HoverPlace; });
                         std::uint64_t t = at + 200;
                         for (const Stop& s : stops) {
                             h.MoveTo(t, s.p.X, s.p.Y);
                             h.At(t + 10, [&h, s, plateBefore] {
                                 ASSERT_TRUE(wndCiToJe->Carrying);
                                 const std::vector<std::uint8_t> moved = h.ScreenSurface().pixels;
                                 const Byte hit = wndCiToJe->HoverPlace;
                                 if (s.below) wndCiToJe->HoverPlace = *plateBefore;
                                 wndCiToJe->RedrawTown();
                                 Application->ProcessMessages();
                                 wndCiToJe->HoverPlace = hit;
                                 *plateBefore = hit;
                                 EXPECT_TRUE(moved == h.ScreenSurface().pixels) << "at " << s.p.X << ", " << s.p.Y;
                             });
                             t += 100;
                         }
                     }});
    return cases;
}

class TownGameEdges : public TownGame, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(TownGameEdges, Case) {
    const std::uint64_t up = StartWithThingOf(kThingOf);
    // Off the place the menu's entry left the pointer on: no plate.
    const TPoint black = BlackPointInStartView();
    h().MoveTo(up + 100, black.X, black.Y);
    GetParam().run(*this, h(), up + 500);
    EndAt(up + 8000);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Table, TownGameEdges, ::testing::ValuesIn(EdgeCases()),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The result window's pauses: the bar cannot be reached under the window, and
// a game left meanwhile gets nothing more.

TEST_F(TownGame, BarPointUnderTheResultWindowDoesNothing) {
    const std::uint64_t up = StartWithThingOf(kThingOf);
    const std::uint64_t at = up + 500;
    h().Click(at, kRightPoint.X, kRightPoint.Y);
    h().Click(at + 1000, kGamesX, kBarY);
    h().At(at + 1500, [this] {
        EXPECT_TRUE(wndCiToJe2->Showing());
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndCiToJe2);
    });
    h().At(at + 5100, [this] {
        EXPECT_EQ(h().ActiveForm(), wndCiToJe);
        Application->Terminate();
    });
    RunProgram();
}

struct LeaveCase {
    const char* name;
    std::uint64_t leaveAfter;  // after the right click
    std::size_t rightSounds;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

class TownGameLeftDuringResult : public TownGame, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(TownGameLeftDuringResult, NothingRunsOnTheGameAfterwards) {
    const LeaveCase c = GetParam();
    const std::uint64_t up = StartWithThingOf(kThingOf);
    const std::uint64_t at = up + 500;
    h().Click(at, kRightPoint.X, kRightPoint.Y);
    // The bar's games operation, as its button would run it.
    h().At(at + c.leaveAfter, [] { wndCiToJe->BarButton(TBarButton::Games)->Click(); });
    h().At(at + c.leaveAfter + 10, [this] {
        ASSERT_NE(wndCiToJe, nullptr);  // still in its handler
        EXPECT_TRUE(wndCiToJe->Closed());
        EXPECT_EQ(h().ActiveForm(), wndHry);
    });
    h().At(at + 5200, [this, c] {
        EXPECT_EQ(wndCiToJe, nullptr);
        EXPECT_EQ(wndCiToJe2, nullptr);
        EXPECT_TRUE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
        EXPECT_EQ(RightSounds(), c.rightSounds);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Pauses, TownGameLeftDuringResult,
                         ::testing::Values(LeaveCase{"DuringTheDelivery", 1000, 0},
                                           LeaveCase{"DuringThePlace", 3000, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
