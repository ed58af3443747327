// The firefighter: opened from the simulations menu, fires lit at random and
// drawn from the fire strip, the held mouse spraying with its stream and
// looped water, the clock and its stop at the eighth burnt window, the end
// with a record or the question to play again, its two answers, and the
// water stopped on every way out, the focus lost among them.
#include "firefighter_test_support.h"
#include "platform/core/rtl.h"

using namespace firetest;

namespace {

class Firefighter : public FirefighterTest {};

// The screen shows window w's frame of the fire strip for its level.
::testing::AssertionResult ShowsFireOf(headless::Harness& h, int w) {
    const int frame = std::min(std::abs(F().FireLevel[w]) - 1, FireBurntLevel);
    const TPoint at = kFireWindowCorners[w - 1];
    return ScreenShows(h, *F().FireStrip, std::max(frame, 0) * kFireWindowWidth, 0, at.X, at.Y, kFireWindowWidth,
                       kFireWindowHeight)
           << " (window " << w << ", level " << F().FireLevel[w] << ")";
}

// The stream's frame of a window on the screen, where it is not transparent.
::testing::AssertionResult ShowsStreamFrame(headless::Harness& h, int w, int frame) {
    const TStreamPlace& r = kWaterStreamPlaces[w - 1];
    const Surface& water = F().WaterBitmaps[w]->Pixels();
    int opaque = 0;
    for (int y = 0; y < r.H; ++y)
        for (int x = 0; x < r.W; ++x) {
            const TColor c = water.Get(frame * r.W + x, y);
            if (c == clFuchsia) continue;
            ++opaque;
            if (h.ScreenSurface().Get(r.X + x, r.Y + y) != c)
                return ::testing::AssertionFailure() << "stream pixel at (" << r.X + x << ", " << r.Y + y << ")";
        }
    if (opaque == 0) return ::testing::AssertionFailure() << "the frame has no water";
    return ::testing::AssertionSuccess();
}

TEST_F(Firefighter, SimulationsMenuOpensANewGameEachTime) {
    const std::uint64_t up = OpenFirefighter(kReady, true);
    TwndSimulaceHasic* first = nullptr;
    h().At(up + 2500, [&] {
        first = wndSimulaceHasic;
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(h().ActiveForm(), first);
        EXPECT_EQ(first->Caption(), "Velamo - Simulace: Hasič");
        EXPECT_FALSE(wndSimulace->Showing());
        EXPECT_GE(first->GameSeconds, 2);
        EXPECT_TRUE(first->Timer->Enabled() && first->PridejTimer->Enabled() && first->Casomira->Enabled());
        ASSERT_NE(wndTabulka, nullptr);
        EXPECT_FALSE(wndTabulka->Showing());
    });
    h().Click(up + 2600, kSimulationsX, kBarY);
    h().At(up + 3000, [this] {
        // Freed with its table once it closed.
        EXPECT_EQ(wndSimulaceHasic, nullptr);
        EXPECT_EQ(wndTabulka, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndSimulace);
    });
    const std::uint64_t again = ChooseSimulation(up + 3100, 2);
    h().At(again + 100, [] {
        ASSERT_NE(wndSimulaceHasic, nullptr);
        EXPECT_LE(F().GameSeconds, 1);
        EXPECT_EQ(F().CountBurntWindows(), 0);
    });
    EndAt(again + 200);
    RunProgram();
}

TEST_F(Firefighter, EveryWindowShowsTheFrameOfItsLevel) {
    const std::uint64_t up = OpenFirefighter();
    const std::pair<int, int> lit[] = {{1, 1}, {5, 50}, {6, 97}, {12, 113}};
    h().At(up, [&] {
        for (auto [w, level] : lit) {
            F().FireLevel[w] = level;
            F().Burning.set(w);
        }
    });
    for (std::uint64_t t : {up + 100, up + 500}) {
        h().At(t, [this] {
            for (int w = 1; w <= 12; ++w) EXPECT_TRUE(ShowsFireOf(h(), w));
        });
    }
    h().At(up + 500, [] {
        // Out of reach from 98 on; burnt out at 115, drawn so into the clean picture.
        EXPECT_FALSE(F().Okna[6]->Visible());
        EXPECT_TRUE(F().Okna[5]->Visible());
        EXPECT_TRUE(F().Burnt[12]);
        EXPECT_FALSE(F().Burning[12]);
        EXPECT_EQ(F().CleanBuffer->Pixels().Get(kFireWindowCorners[11].X + 20, kFireWindowCorners[11].Y + 30),
                  F().FireStrip->Pixels().Get(115 * kFireWindowWidth + 20, 30));
    });
    EndAt(up + 600);
    RunProgram();
}

// What the next lighting draws from the generator with that seed.
struct Draw {
    int r;       // against 400
    int window;  // 1..12
};
Draw NextDraw(std::uint32_t seed, bool fourBurnt) {
    const std::uint32_t saved = RandSeed;
    RandSeed = seed;
    Draw d{Random(1000), 0};
    if (fourBurnt) d.r = Random(600);
    d.window = Random(12) + 1;
    RandSeed = saved;
    return d;
}

// A seed whose draw lights a window (r < 400) or does not.
std::uint32_t SeedWhere(bool lights, bool fourBurnt) {
    for (std::uint32_t seed = 1;; ++seed) {
        const Draw d = NextDraw(seed, fourBurnt);
        if ((d.r < 400) == lights && (!fourBurnt || d.window > 4)) return seed;
    }
}

TEST_F(Firefighter, FireStartsOnlyInAFreeWindowDrawn) {
    enum Pick { Free, Burning, Burnt };
    struct Case {
        const char* name;
        bool fourBurnt;  // windows 1..4 burnt out: the chance is 2 in 3
        bool chance;     // the draw against 400 lets a fire start
        Pick pick;
        bool lights;
    };
    const Case cases[] = {
        {"free window", false, true, Free, true},
        {"burning window", false, true, Burning, false},
        {"burnt window", false, true, Burnt, false},
        {"no chance", false, false, Free, false},
        {"four burnt, free window", true, true, Free, true},
        {"four burnt, no chance", true, false, Free, false},
    };
    const std::uint64_t up = OpenFirefighter();
    std::uint64_t t = up;
    for (const Case& c : cases) {
        h().At(t, [&c] {
            F().StartFireGame();
            F().PridejTimer->SetEnabled(false);
            if (c.fourBurnt) {
                for (int w = 1; w <= 4; ++w) {
                    F().Burnt.set(w);
                    F().FireLevel[w] = 120;
                }
            }
            RandSeed = SeedWhere(c.chance, c.fourBurnt);
            const int w = NextDraw(RandSeed, c.fourBurnt).window;
            const int before = c.pick == Free ? 0 : c.pick == Burning ? 30 : 120;
            F().FireLevel[w] = before;
            if (c.pick == Burning) F().Burning.set(w);
            if (c.pick == Burnt) F().Burnt.set(w);
            const auto levels = F().FireLevel;
            F().PridejTimerTimer(nullptr);
            for (int v = 1; v <= 12; ++v) {
                const bool lit = c.lights && v == w;
                EXPECT_EQ(F().FireLevel[v], lit ? 1 : levels[v]) << c.name << ", window " << v;
                if (lit) {
                    EXPECT_TRUE(F().Burning[v]) << c.name;
                }
            }
        });
        t += 100;
    }
    EndAt(t);
    RunProgram();
}

// Pressing a window and holding the button: the level under the spray, then
// after the release.
struct SprayCase {
    const char* name;
    int level;          // the window's level when pressed
    int heldLevel;      // 600 ms later (the spray ran for six ticks)
    bool heldBurning;
    bool growsAfter;    // the level rises again after the release
};
void PrintTo(const SprayCase& c, std::ostream* os) { *os << c.name; }

const SprayCase kSprays[] = {
    {"EmptyWindow", 0, 0, false, false},
    {"FireSprayedOutWhileHeld", 10, 0, false, false},
    {"FireDrivenBack", 60, -48, true, true},
};

class Spraying : public FirefighterTest, public ::testing::WithParamInterface<SprayCase> {};

TEST_P(Spraying, HeldButtonDrivesTheFireBackWithStreamAndWater) {
    const SprayCase& c = GetParam();
    const std::uint64_t up = OpenFirefighter();
    constexpr int w = 7;
    const TPoint at = WindowCentre(w);
    std::uint64_t pressAt = 0;
    h().MoveTo(up, at.X, at.Y);
    h().At(up + 15, [&] {
        F().FireLevel[w] = c.level;
        if (c.level) F().Burning.set(w);
        // The ticks counted afresh: six of them in the 600 ms held.
        F().Timer->SetEnabled(false);
        F().Timer->SetEnabled(true);
        pressAt = h().Now();
    });
    h().MouseDown(up + 20, at.X, at.Y);
    h().At(up + 620, [&] {
        EXPECT_TRUE(F().Spraying);
        EXPECT_EQ(F().SprayTarget, w);
        EXPECT_EQ(F().FireLevel[w], c.heldLevel);
        EXPECT_EQ(F().Burning[w], c.heldBurning);
        EXPECT_TRUE(WaterPlaying());
        // The stream loops on its frame n-4.
        const int n = F().WaterBitmaps[w]->Width() / kWaterStreamPlaces[w - 1].W;
        EXPECT_TRUE(ShowsStreamFrame(h(), w, n - 4));
    });
    h().MouseUp(up + 650, at.X, at.Y);
    int released = 0;
    h().At(up + 660, [&] {
        EXPECT_FALSE(WaterPlaying());
        EXPECT_TRUE(F().Releasing);
        released = F().FireLevel[w];
        EXPECT_GE(released, 0);
    });
    h().At(up + 1200, [&] {
        // The stream's last frames have gone by.
        EXPECT_FALSE(F().Spraying || F().Releasing);
        if (c.growsAfter) {
            EXPECT_GT(F().FireLevel[w], released);
        } else {
            EXPECT_EQ(F().FireLevel[w], 0);
            EXPECT_FALSE(F().Burning[w]);
        }
        EXPECT_TRUE(ShowsFireOf(h(), w));
    });
    EndAt(up + 1300);
    RunProgram();
    // One water sound, looped, asynchronous, without the default sound, from
    // the stream's fifth frame.
    const auto starts = SoundStarts("simul\\hasic\\voda.wav");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].text.find("flags=11 "), String::npos);
    EXPECT_NE(starts[0].text.find(" loop"), String::npos);
    EXPECT_EQ(starts[0].at - pressAt, 5u * 94u);
}

INSTANTIATE_TEST_SUITE_P(Windows, Spraying, ::testing::ValuesIn(kSprays),
                         [](const auto& info) { return std::string(info.param.name); });

// The clock as the screen draws it: the text centred over the clean picture.
std::unique_ptr<TBitmap> ClockPicture(const String& text) {
    auto b = std::make_unique<TBitmap>();
    b->Assign(F().CleanBuffer.get());
    TCanvas* c = b->Canvas();
    c->Font.Assign(F().Buffer->Canvas()->Font);
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(595 - c->TextWidth(text) / 2, 448 - c->TextHeight(text) / 2, text);
    return b;
}

TEST_F(Firefighter, ClockShowsMinutesAndSeconds) {
    // The screen is made at kReady + 550 (the menu entry's click).
    const std::uint64_t made = kReady + 550;
    OpenFirefighter();
    for (const std::pair<int, const char*>& shown : {std::pair{9, "0:09"}, std::pair{60, "1:00"}}) {
        h().At(made + shown.first * 1000 + 200, [this, seconds = shown.first, text = shown.second] {
            EXPECT_EQ(F().GameSeconds, seconds);
            EXPECT_TRUE(ScreenShows(h(), *ClockPicture(text), 555, 420, 555, 420, 80, 60)) << text;
        });
    }
    EndAt(made + 60300);
    RunProgram();
}

TEST_F(Firefighter, ClockStopsAtTheEighthBurntWindowAndTheTableGetsThatTime) {
    const std::uint64_t up = OpenFirefighter();
    h().At(up, [] {
        F().GameSeconds = 100;
        for (int w = 1; w <= 7; ++w) {
            F().FireLevel[w] = 120;
            F().Burnt.set(w);
            F().Okna[w]->Hide();
        }
        F().FireLevel[8] = 113;
        F().Burning.set(8);
        F().FireLevel[9] = 40;
        F().Burning.set(9);
    });
    int stoppedAt = 0;
    h().At(up + 400, [&] {
        EXPECT_EQ(F().CountBurntWindows(), 8);
        EXPECT_FALSE(F().Casomira->Enabled());
        stoppedAt = F().GameSeconds;
        EXPECT_TRUE(stoppedAt == 100 || stoppedAt == 101);
        // The rest of the house is ablaze, nothing can be sprayed, and a fire
        // that burnt on keeps its level.
        for (int w = 9; w <= 12; ++w) EXPECT_TRUE(F().Burning[w]) << w;
        EXPECT_GT(F().FireLevel[9], 40);
        EXPECT_LT(F().FireLevel[10], 10);
        for (int w = 1; w <= 12; ++w) EXPECT_FALSE(F().Okna[w]->Visible()) << w;
    });
    h().At(up + 5000, [&] { EXPECT_EQ(F().GameSeconds, stoppedAt); });
    // Windows lit at the stop reach 118 some 11 s later: the end.
    h().At(up + 12500, [&] {
        ASSERT_TRUE(T().Showing());
        EXPECT_EQ(T().Rows[1].Cas->Caption(), FormatTime(stoppedAt));
        EXPECT_FALSE(F().Timer->Enabled() || F().PridejTimer->Enabled());
    });
    EndAt(up + 12600);
    RunProgram();
}

struct EndCase {
    const char* name;
    std::vector<std::string> table;  // the file's rows
    int seconds;
    int recordRow;  // 0: no record, the message window asks instead
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> TenRowsDownTo50() {
    std::vector<std::string> rows;
    for (int i = 0; i < 10; ++i) rows.push_back("Hráč " + std::to_string(i + 1) + "|" + std::to_string(95 - 5 * i));
    return rows;
}

const EndCase kEnds[] = {
    {"EmptyTableTakesOneSecond", {}, 1, 1},
    {"NoTimeIsNoRecord", {}, 0, 0},
    {"EqualToTheTenthIsNoRecord", TenRowsDownTo50(), 50, 0},
    {"AboveTheTenthIsTheTenth", TenRowsDownTo50(), 51, 10},
    {"LongestIsFirst", TenRowsDownTo50(), 500, 1},
};

class GameEnd : public FirefighterTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(GameEnd, RecordGoesIntoTheTableOtherwiseTheQuestion) {
    const EndCase& c = GetParam();
    if (!c.table.empty()) WriteTableFile(TableFileOf(c.table));
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, c.seconds);
    h().At(up + 200, [&] {
        EXPECT_FALSE(F().Timer->Enabled() || F().PridejTimer->Enabled());
        if (c.recordRow) {
            ASSERT_TRUE(T().Showing());
            EXPECT_EQ(h().ActiveForm(), wndTabulka);
            EXPECT_EQ(T().NewRow, c.recordRow);
            EXPECT_TRUE(T().Jmeno->Visible());
            EXPECT_EQ(T().Jmeno->Top(), T().Rows[c.recordRow].Jmeno->Top() - 1);
            EXPECT_EQ(T().Rows[c.recordRow].Cas->Caption(), FormatTime(c.seconds));
            EXPECT_FALSE(MessageShown("Hasic"));
        } else {
            EXPECT_TRUE(MessageShown("Hasic"));
            EXPECT_FALSE(T().Showing());
            // The firefighter's picture dimmed under the question.
            EXPECT_EQ(wndHlaska->Buffer->Pixels().Get(5, 5), Dimmed(F().Buffer->Pixels().Get(5, 5)));
        }
    });
    EndAt(up + 300);
    RunProgram();
    EXPECT_EQ(SoundStarts("simul\\hasic\\hlaska.wav").size(), c.recordRow ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Results, GameEnd, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

struct AnswerCase {
    const char* name;
    bool record;  // "Tabulka" after the table's back button; "Hasic" else
    bool yes;
};
void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

const AnswerCase kAnswers[] = {
    {"HasicYes", false, true},
    {"HasicNo", false, false},
    {"TabulkaYes", true, true},
    {"TabulkaNo", true, false},
};

class MessageAnswer : public FirefighterTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MessageAnswer, YesPlaysAgainNoShowsTheSimulationsMenu) {
    const AnswerCase& c = GetParam();
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, c.record ? 30 : 0);
    if (c.record) h().Click(up + 300, kBackX, kBarY);
    h().At(up + 600, [&] { ASSERT_TRUE(MessageShown(c.record ? "Tabulka" : "Hasic")); });
    const TPoint button = c.yes ? kYes : kNo;
    h().Click(up + 700, button.X, button.Y);
    h().At(up + 1100, [&] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (c.yes) {
            ASSERT_NE(wndSimulaceHasic, nullptr);
            EXPECT_EQ(h().ActiveForm(), wndSimulaceHasic);
            EXPECT_FALSE(T().Showing());
            EXPECT_LE(F().GameSeconds, 1);
            EXPECT_TRUE(F().Timer->Enabled() && F().Casomira->Enabled());
            for (int w = 1; w <= 12; ++w) {
                EXPECT_TRUE(F().Okna[w]->Visible()) << w;
                EXPECT_LT(F().FireLevel[w], 10) << w;
            }
        } else {
            EXPECT_EQ(wndSimulaceHasic, nullptr);
            EXPECT_EQ(wndTabulka, nullptr);
            EXPECT_EQ(h().ActiveForm(), wndSimulace);
        }
    });
    EndAt(up + 1200);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Answers, MessageAnswer, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

struct WayOut {
    const char* name;
    std::function<void(headless::Harness&, std::uint64_t)> take;
};
void PrintTo(const WayOut& c, std::ostream* os) { *os << c.name; }

// The bar cannot be clicked while the button is held on a window; its
// operations are started as their buttons start them.
const WayOut kWaysOut[] = {
    {"Release", [](headless::Harness& h, std::uint64_t t) { h.MouseUp(t, WindowCentre(7).X, WindowCentre(7).Y); }},
    {"Deactivation", [](headless::Harness& h, std::uint64_t t) { h.FocusLost(t); }},
    {"GamesButton", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] { F().BarButton(TBarButton::Games)->Click(); });
     }},
    {"SimulationsButton", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] { F().BarButton(TBarButton::Simulations)->Click(); });
     }},
    {"MenuButton", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] { F().BarButton(TBarButton::Menu)->Click(); });
     }},
    {"ExitQuestion", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] { F().BarButton(TBarButton::Exit)->Click(); });
     }},
    {"Close", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] {
             F().Close();
             // No tick runs on a closed screen.
             EXPECT_FALSE(F().Timer->Enabled() || F().PridejTimer->Enabled() || F().Casomira->Enabled());
         });
     }},
    {"GameEnd", [](headless::Harness& h, std::uint64_t t) {
         h.At(t, [] {
             for (int w = 1; w <= 12; ++w) F().FireLevel[w] = FireEndLevel;
         });
     }},
};

class WaterStops : public FirefighterTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(WaterStops, OnEveryWayOut) {
    const std::uint64_t up = OpenFirefighter();
    const TPoint at = WindowCentre(7);
    h().MoveTo(up, at.X, at.Y);
    h().MouseDown(up + 10, at.X, at.Y);
    h().At(up + 700, [this] { ASSERT_TRUE(WaterPlaying()); });
    GetParam().take(h(), up + 800);
    h().At(up + 1000, [this] { EXPECT_FALSE(WaterPlaying()); });
    // Nothing starts it again.
    h().At(up + 2000, [this] { EXPECT_FALSE(WaterPlaying()); });
    EndAt(up + 2100);
    RunProgram();
    EXPECT_EQ(SoundStarts("voda.wav").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Ways, WaterStops, ::testing::ValuesIn(kWaysOut),
                         [](const auto& info) { return std::string(info.param.name); });

// Losing the input focus while the child sprays, at any moment of the
// stream: the water stops, and nothing starts it again: not the stream's
// next frames, not the focus coming back, not the release that follows, not
// the screen shown next.
struct FocusCase {
    const char* name;
    std::uint64_t lostAfter;  // ms after the press; the water is heard from 5 * 94
    bool releasedWhileAway;   // the button comes up before the focus comes back
};
void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

const FocusCase kFocus[] = {
    {"BeforeTheWaterIsHeard", 100, false},
    {"BeforeTheWaterIsHeardReleasedAway", 100, true},
    {"WhileTheWaterLoops", 800, false},
    {"WhileTheWaterLoopsReleasedAway", 800, true},
};

class FocusLostWhileSpraying : public FirefighterTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusLostWhileSpraying, StopsTheWaterForGood) {
    const FocusCase& c = GetParam();
    const std::uint64_t up = OpenFirefighter();
    constexpr int w = 6;
    const TPoint at = WindowCentre(w);
    h().At(up, [] {
        F().FireLevel[w] = 60;
        F().Burning.set(w);
    });
    h().MoveTo(up + 10, at.X, at.Y);
    h().MouseDown(up + 20, at.X, at.Y);
    const std::uint64_t lost = up + 20 + c.lostAfter;
    h().FocusLost(lost);
    h().At(lost + 10, [this] { EXPECT_FALSE(WaterPlaying()); });
    // Long after the stream would have reached its loop.
    h().At(lost + 1000, [this] {
        EXPECT_FALSE(WaterPlaying());
        EXPECT_FALSE(F().Spraying) << "the spray ends with the focus";
        EXPECT_GE(F().FireLevel[w], 0) << "the fire is no longer under the spray";
    });
    if (c.releasedWhileAway) h().MouseUp(lost + 1100, at.X, at.Y);
    h().FocusGained(lost + 1200);
    if (!c.releasedWhileAway) h().MouseUp(lost + 1300, at.X, at.Y);
    h().At(lost + 2000, [this] {
        EXPECT_FALSE(WaterPlaying());
        EXPECT_FALSE(F().Spraying || F().Releasing);
    });
    // Another screen: nothing of the firefighter is heard there.
    h().Click(lost + 2100, kSimulationsX, kBarY);
    h().At(lost + 3000, [this] {
        EXPECT_EQ(h().ActiveForm(), wndSimulace);
        EXPECT_FALSE(WaterPlaying());
    });
    EndAt(lost + 3100);
    RunProgram();
    for (const headless::TimedNotice& n : SoundStarts("voda.wav")) EXPECT_LT(n.at, lost) << n.text;
}

INSTANTIATE_TEST_SUITE_P(Moments, FocusLostWhileSpraying, ::testing::ValuesIn(kFocus),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
