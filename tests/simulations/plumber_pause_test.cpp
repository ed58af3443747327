// Both plumber parts during the second's pause after the valve has opened:
// every button of the bar, the part switch and the wrench used then, and the
// plumber chosen again from the menu before the pause is over. A screen left
// shows no message and is freed once the check has returned; a screen that
// stays shows its message when the pause is over.
#include "platform/print/printer.h"
#include "plumber_test_support.h"

using namespace plumbertest;

namespace {

// Part A's one piece, laid away from the washbasin: the check fails.
const char* const kLevel = "3,3,2,4,0,0,0,0,1,0\r\n";
const TPoint kValveA = CellCentreA(3, 3);
// The pause starts after the valve's strip.
constexpr std::uint64_t kPauseStart = 50 + 19 * 50;
constexpr TPoint kExitNo = {458, 286};
const TPoint kMenuInstal = HotAreaCentre(kSimulationsMenuPlaces[0]);

enum class Part { A, B };
void PrintTo(Part p, std::ostream* os) { *os << (p == Part::A ? "part A" : "part B"); }

TPlumberScreen* Screen(Part p) {
    return p == Part::A ? static_cast<TPlumberScreen*>(wndSimulaceInstalater1)
                        : static_cast<TPlumberScreen*>(wndSimulaceInstalater2);
}

struct PauseCase {
    const char* name;
    // Clicked in the pause, each this many ms after the one before.
    std::vector<std::pair<TPoint, std::uint64_t>> clicks;
    // The form active afterwards; nullptr: the message window over the
    // screen, which stayed.
    TForm* (*shown)(Part);
    // The print dialog is answered by cancelling it.
    bool printDialog = false;
};
void PrintTo(const PauseCase& c, std::ostream* os) { *os << c.name; }

TForm* Stays(Part) { return nullptr; }

const PauseCase kPauses[] = {
    {"Games", {{{kGamesX, kBarY}, 300}}, [](Part) -> TForm* { return wndHry; }},
    {"Simulations", {{{kSimulationsX, kBarY}, 300}}, [](Part) -> TForm* { return wndSimulace; }},
    {"Town", {{{kMenuX, kBarY}, 300}}, [](Part) -> TForm* { return wndVelamo; }},
    {"PartSwitch", {{kPartSwitch, 300}}, [](Part p) -> TForm* { return Screen(p == Part::A ? Part::B : Part::A); }},
    {"ChosenAgainFromTheMenu", {{{kSimulationsX, kBarY}, 200}, {kMenuInstal, 500}},
     [](Part) -> TForm* { return wndSimulaceInstalater1; }},
    {"ExitQuestionAnsweredNo", {{{kExitX, kBarY}, 200}, {kExitNo, 400}}, Stays},
    {"Help", {{{kHelpX, kBarY}, 300}}, Stays},
    {"PrintCancelled", {{{kPrintX, kBarY}, 300}}, Stays, true},
    {"Wrench", {{{602, 387}, 300}}, Stays},
};

class PlumberPause : public PlumberTest, public ::testing::WithParamInterface<std::tuple<Part, PauseCase>> {
protected:
    ~PlumberPause() override { print::ClearPrintDialogAnswers(); }
};

TEST_P(PlumberPause, LeavesWithoutTheMessageOrStaysAndShowsIt) {
    const Part part = std::get<0>(GetParam());
    const PauseCase& c = std::get<1>(GetParam());
    if (part == Part::A) {
        UseLevels(kLevel);
        OpenPartA();
        LayPieces({{5, {{7, 6}}}}, PaletteA, CellCentreA);
    } else {
        OpenPartBWithLayout(kLayoutB);
    }
    TPlumberScreen* asking = nullptr;
    Then([&] {
        asking = Screen(part);
        ASSERT_NE(asking, nullptr);
        if (c.printDialog) print::QueuePrintDialogCancel();
    });
    const TPoint valve = part == Part::A ? kValveA : CellCentreB(kLayoutB.ValveColumn, kLayoutB.ValveRow);
    Move(valve);
    Click(valve);
    Next(kPauseStart);
    for (const auto& [at, gap] : c.clicks) Click(at, gap);
    Then([&] {
        TForm* shown = c.shown(part);
        if (shown) {
            EXPECT_FALSE(wndHlaska->Showing());
            EXPECT_EQ(h().ActiveForm(), shown);
            EXPECT_NE(Screen(part), asking) << "the screen left is freed";
            if (TPlumberScreen* again = Screen(part)) {
                EXPECT_FALSE(again->Busy) << "a new screen starts afresh";
            }
        } else {
            EXPECT_TRUE(MessageShown(part == Part::A ? "Instal1KO" : "Instal2KO"));
            EXPECT_EQ(wndHlaska->Asker, Screen(part));
            EXPECT_EQ(Screen(part), asking);
            EXPECT_EQ(h().ActiveForm(), wndHlaska);
            EXPECT_FALSE(wndKonec->Showing());
        }
    }, 3000);
    Run();
    EXPECT_EQ(SoundStarts("hl_ko.wav").size(), c.shown(part) ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Bar, PlumberPause, ::testing::Combine(::testing::Values(Part::A, Part::B),
                                                              ::testing::ValuesIn(kPauses)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == Part::A ? "A_" : "B_") +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
