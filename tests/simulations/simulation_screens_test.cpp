// Sequences across the simulation screens: the exit question over each of
// them answered no, a simulation left mid-game and chosen again, and the
// message window's answers for each simulation's ids after the program was
// switched away from and back.
#include "firefighter_test_support.h"
#include "plumber_test_support.h"
#include "simulations/USimulaceMalir.h"
#include "simulations/USimulaceModelka.h"
#include "simulations/USimulaceVizazistka.h"

using namespace plumbertest;

namespace {

constexpr TPoint kExitNo = {458, 286};
const TPoint kMenuInstal = HotAreaCentre(kSimulationsMenuPlaces[0]);
const TPoint kMenuHasic = HotAreaCentre(kSimulationsMenuPlaces[1]);
const TPoint kMenuModel = HotAreaCentre(kSimulationsMenuPlaces[2]);
const TPoint kMenuMalir = HotAreaCentre(kSimulationsMenuPlaces[3]);
const TPoint kMenuVizaz = HotAreaCentre(kSimulationsMenuPlaces[4]);

struct ScreenCase {
    const char* name;
    // Opens the screen from the town; the screen is up by the returned time.
    std::uint64_t (*open)(headless::Harness&, std::uint64_t);
    TScreenFrame* (*screen)();
};
void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.name; }

std::uint64_t OpenMenu(headless::Harness& h, std::uint64_t at) {
    h.Click(at, kSimulationsX, kBarY);
    return at + 500;
}
std::uint64_t OpenEntry(headless::Harness& h, std::uint64_t at, TPoint entry) {
    h.Click(OpenMenu(h, at), entry.X, entry.Y);
    return at + 1000;
}

const ScreenCase kScreens[] = {
    {"SimulationsMenu", OpenMenu, [] { return static_cast<TScreenFrame*>(wndSimulace); }},
    {"PlumberA", [](headless::Harness& h, std::uint64_t at) { return OpenEntry(h, at, kMenuInstal); },
     [] { return static_cast<TScreenFrame*>(wndSimulaceInstalater1); }},
    {"PlumberB",
     [](headless::Harness& h, std::uint64_t at) {
         const std::uint64_t a = OpenEntry(h, at, kMenuInstal);
         h.Click(a, kPartSwitch.X, kPartSwitch.Y);
         return a + 500;
     },
     [] { return static_cast<TScreenFrame*>(wndSimulaceInstalater2); }},
    {"Firefighter", [](headless::Harness& h, std::uint64_t at) { return OpenEntry(h, at, kMenuHasic); },
     [] { return static_cast<TScreenFrame*>(wndSimulaceHasic); }},
    {"Model", [](headless::Harness& h, std::uint64_t at) { return OpenEntry(h, at, kMenuModel); },
     [] { return static_cast<TScreenFrame*>(wndSimulaceModelka); }},
    {"RoomPainter", [](headless::Harness& h, std::uint64_t at) { return OpenEntry(h, at, kMenuMalir); },
     [] { return static_cast<TScreenFrame*>(wndSimulaceMalir); }},
    {"MakeupArtist", [](headless::Harness& h, std::uint64_t at) { return OpenEntry(h, at, kMenuVizaz); },
     [] { return static_cast<TScreenFrame*>(wndSimulaceVizazistka); }},
};

class ExitAnsweredNo : public ScreenTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ExitAnsweredNo, LeavesTheScreenAsItWasAndGoingOn) {
    const ScreenCase& c = GetParam();
    const std::uint64_t up = c.open(h(), kReady);
    TScreenFrame* screen = nullptr;
    h().At(up, [&] {
        screen = c.screen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(h().ActiveForm(), screen);
    });
    h().Click(up + 100, kExitX, kBarY);
    h().At(up + 600, [this] {
        EXPECT_TRUE(wndKonec->Showing());
        EXPECT_EQ(h().ActiveForm(), wndKonec);
    });
    h().Click(up + 700, kExitNo.X, kExitNo.Y);
    // Away from what shows a hover look on the window (entries, the part switch).
    h().MoveTo(up + 2900, 530, 470);
    h().At(up + 3000, [&] {
        EXPECT_FALSE(wndKonec->Showing());
        EXPECT_EQ(c.screen(), screen);
        EXPECT_EQ(h().ActiveForm(), screen);
        EXPECT_TRUE(ScreenShows(h(), *screen->Buffer, 0, 0, 0, 0, 640, 480));
        if (screen == wndSimulaceHasic) {
            EXPECT_TRUE(wndSimulaceHasic->Timer->Enabled() && wndSimulaceHasic->Casomira->Enabled());
            EXPECT_GE(wndSimulaceHasic->GameSeconds, 3) << "the clock went on";
        }
    });
    // The screen still takes its bar.
    h().Click(up + 3100, kSimulationsX, kBarY);
    h().At(up + 3600, [&] { EXPECT_EQ(h().ActiveForm(), wndSimulace); });
    EndAt(up + 3700);
    RunProgram();
    EXPECT_TRUE(h().MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Screens, ExitAnsweredNo, ::testing::ValuesIn(kScreens),
                         [](const auto& info) { return std::string(info.param.name); });

class ChosenAgain : public PlumberTest {};

TEST_F(ChosenAgain, PlumberLeftMidGameStartsAfreshEachWay) {
    UseLevels("3,3,2,4,1,1,0,1,1,1\r\n");
    OpenPartA();
    LayPieces({{5, {{6, 6}}}, {6, {{7, 6}}}}, PaletteA, CellCentreA);
    TwndSimulaceInstalater1* first = nullptr;
    Then([&] {
        first = wndSimulaceInstalater1;
        EXPECT_EQ(first->Board.Stock[5], 0);
    });
    // Left through the bar, chosen again from the menu.
    Click({kSimulationsX, kBarY});
    Click(kMenuInstal);
    Then([&] {
        TwndSimulaceInstalater1* again = wndSimulaceInstalater1;
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(h().ActiveForm(), again);
        EXPECT_EQ(again->Board.Stock[5], 1);
        EXPECT_FALSE(again->Board.Cell(6, 6).Occupied);
        EXPECT_EQ(again->SelectedPiece, 0);
    });
    // Part B left mid-game through the part switch and back.
    Click(kPartSwitch);
    LayPieces({{17, {{4, 4}}}}, PaletteB, CellCentreB);
    Click(kPartSwitch);
    Click(kPartSwitch);
    Then([&] {
        ASSERT_NE(wndSimulaceInstalater2, nullptr);
        EXPECT_EQ(wndSimulaceInstalater2->Board.Cell(4, 4).Pieces, 0u);
        EXPECT_EQ(wndSimulaceInstalater2->SelectedPiece, 0);
    });
    Run();
}

// The message window's answer for a simulation's id, given after the
// program lost the focus and got it back while the message was shown.
struct SwitchedAwayCase {
    const char* name;
    const char* id;
    bool yes;
};
void PrintTo(const SwitchedAwayCase& c, std::ostream* os) { *os << c.name; }

const SwitchedAwayCase kSwitchedAway[] = {
    {"Instal1VseOk", "Instal1Vse", true}, {"Instal1KOYes", "Instal1KO", true}, {"Instal1KONo", "Instal1KO", false},
    {"Instal2KOYes", "Instal2KO", true},  {"Instal2KONo", "Instal2KO", false}, {"HasicYes", "Hasic", true},
    {"HasicNo", "Hasic", false},          {"TabulkaYes", "Tabulka", true},     {"TabulkaNo", "Tabulka", false},
};

class SwitchedAway : public firetest::FirefighterTest, public ::testing::WithParamInterface<SwitchedAwayCase> {};

TEST_P(SwitchedAway, TheAnswerStillReachesTheAskingScreen) {
    const SwitchedAwayCase& c = GetParam();
    const String id = c.id;
    const bool plumberA = id.rfind("Instal1", 0) == 0, plumberB = id.rfind("Instal2", 0) == 0;
    std::uint64_t t = kReady;
    TScreenFrame* asking = nullptr;
    if (plumberA || plumberB) {
        t = OpenEntry(h(), t, kMenuInstal);
        if (plumberB) {
            h().Click(t, kPartSwitch.X, kPartSwitch.Y);
            t += 500;
        }
        // The valve: A with its stock left, or an empty board's check.
        h().At(t, [&, plumberA] {
            TPlumberScreen* s = plumberA ? static_cast<TPlumberScreen*>(wndSimulaceInstalater1)
                                         : static_cast<TPlumberScreen*>(wndSimulaceInstalater2);
            asking = s;
            if (plumberA && id != "Instal1Vse")
                for (int kind = 1; kind <= 6; ++kind) wndSimulaceInstalater1->Board.Stock[std::size_t(kind)] = 0;
            int col = 0, row = 0;
            for (col = 1; col <= 11; ++col)
                for (row = 1; row <= 8; ++row)
                    if (plumberA ? col <= 8 && row <= 6 && wndSimulaceInstalater1->Board.Grid[col][row].IsValve
                                 : wndSimulaceInstalater2->Board.Cell(col, row).IsValve) {
                        const TPoint p = plumberA ? CellCentreA(col, row) : CellCentreB(col, row);
                        h().MoveTo(h().Now() + 10, p.X, p.Y);
                        h().Click(h().Now() + 100, p.X, p.Y);
                        return;
                    }
        });
        t += 3000;
    } else {
        t = OpenFirefighter(t);
        h().At(t, [&] { asking = wndSimulaceHasic; });
        EndGameAt(t, id == "Tabulka" ? 30 : 0);
        if (id == "Tabulka") h().Click(t + 300, kBackX, kBarY);
        t += 600;
    }
    h().At(t, [&] { ASSERT_TRUE(MessageShown(c.id)); });
    h().FocusLost(t + 100);
    h().FocusGained(t + 600);
    const TPoint button = id == "Instal1Vse" ? kOk : c.yes ? kYes : kNo;
    h().Click(t + 700, button.X, button.Y);
    h().At(t + 1200, [&] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (c.yes) {
            EXPECT_EQ(h().ActiveForm(), asking);
            EXPECT_TRUE(ScreenShows(h(), *asking->Buffer, 0, 0, 0, 0, 640, 480));
            if (auto* plumber = dynamic_cast<TPlumberScreen*>(asking)) {
                EXPECT_FALSE(plumber->Busy);
            }
        } else {
            EXPECT_EQ(h().ActiveForm(), wndSimulace);
            EXPECT_EQ(wndSimulaceInstalater1, nullptr);
            EXPECT_EQ(wndSimulaceInstalater2, nullptr);
            EXPECT_EQ(wndSimulaceHasic, nullptr);
            EXPECT_EQ(wndTabulka, nullptr);
        }
    });
    EndAt(t + 1300);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Ids, SwitchedAway, ::testing::ValuesIn(kSwitchedAway),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
