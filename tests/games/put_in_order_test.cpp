// Put in order as a child plays it, in both modes: the deal from the mode's
// list with no thing 1..8 in its own slot, carrying with the pointer hidden
// and every way out of it, giving right and wrong, the fifth person and the
// new round, the third mistake and the message window's answers.
#include <map>

#include "games/GameCodeLists.h"
#include "games/UPoradek.h"
#include "games_test_support.h"

using namespace gametest;

namespace {

// The entry's click is released here: the first round is dealt.
constexpr std::uint64_t kOpen = kReady + 550;
constexpr std::uint64_t kPlay = kOpen + 600;
constexpr TPoint kEmptyPlace{320, 380};  // on the form, outside every label

class PutInOrder : public ScreenTest {
protected:
    // Entry 2 (tools) or 3 (caps).
    void Open(int mode) { ChooseGame(kReady, 2 + mode); }
    TwndPoradek& w() { return *wndPoradek; }
    TPoint SlotCentre(int k) { return {51 + 60 * (k - 1) + 28, 283 + 28}; }
    TPoint PersonCentre(int i) { return {39 + 110 * (i - 1) + 60, 62 + 97}; }
    int SlotOf(int thing) {
        for (int k = 1; k <= 9; ++k)
            if (w().SlotItem[k] == thing) return k;
        return 0;
    }
    void ClickAt(std::uint64_t at, TPoint p) { h().Click(at, p.X, p.Y); }
    // Picks up thing `thing` at `at` (its slot found then).
    void PickUp(std::uint64_t at, int thing) {
        h().At(at, [this, at, thing] { ClickAt(at + 10, SlotCentre(SlotOf(thing))); });
    }
    void Give(std::uint64_t at, int person) { ClickAt(at, PersonCentre(person)); }
    // The carried picture's opaque pixels on the screen with the pointer at p.
    bool CarriedShownAt(TPoint p) {
        const TBitmap& carried = *w().ItemBitmaps[std::size_t(w().CarriedItem)][2];
        for (int y = 0; y < carried.Height(); ++y)
            for (int x = 0; x < carried.Width(); ++x) {
                const TColor c = carried.Pixels().Get(x, y);
                if (c != clFuchsia && h().Pixel(p.X - 28 + x, p.Y - 28 + y) != c) return false;
            }
        return true;
    }
    bool ScreenIsBuffer() { return ScreenShows(h(), *w().Buffer, 0, 0, 0, 0, 640, 480); }
    bool PointerBalanced() { return h().ShowCursorCount() == 0 && h().PointerVisible(); }
};

struct ModeCase {
    const char* name;
    int mode;
    std::span<const char* const> codes;
    const char* persons;
    const char* things;
    const char* help;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

const ModeCase kModes[] = {
    {"Tools", 0, PoradekToolCodes, "post_n", "nastr", "polda"},
    {"Caps", 1, PoradekCapCodes, "post_c", "cepice", "popel"},
};

class PutInOrderModes : public PutInOrder, public ::testing::WithParamInterface<ModeCase> {};

// Which code of the mode's list a picture was loaded from.
class CodeFinder {
public:
    CodeFinder(const ModeCase& c, const char* folder) {
        for (const char* code : c.codes)
            pixels_[code] = LoadPicture(kAppDir + "hry/poradek/" + folder + "/" + code + "1.bmp")->Pixels().pixels;
    }
    std::string operator()(const TBitmap& b) const {
        for (const auto& [code, pixels] : pixels_)
            if (pixels == b.Pixels().pixels) return code;
        return "?";
    }

private:
    std::map<std::string, std::vector<std::uint8_t>> pixels_;
};

TEST_P(PutInOrderModes, EntryDealsNineProfessionsOfTheModesListAndNoThingOneToEightInItsOwnSlot) {
    const ModeCase& c = GetParam();
    Open(c.mode);
    h().At(kPlay, [this, &c] {
        ASSERT_NE(wndPoradek, nullptr);
        EXPECT_EQ(w().Mode, c.mode);
        EXPECT_EQ(w().HelpFile, c.help);
        EXPECT_EQ(w().Caption(), "Velamo - Hry: Dej to do pořádku");
        EXPECT_EQ(h().ActiveForm(), wndPoradek);
        EXPECT_FALSE(wndHry->Showing());
        EXPECT_TRUE(ScreenIsBuffer());

        const CodeFinder thingCode(c, c.things), personCode(c, c.persons);
        std::set<std::string> seen;
        bool lastSlotHeldItsOwn = false;
        for (int round = 0; round < 100; ++round) {
            if (round > 0) w().NewRound();
            std::set<std::string> inRound;
            std::set<int> things;
            for (int i = 1; i <= 9; ++i) {
                const std::string code = thingCode(*w().ItemBitmaps[i][1]);
                ASSERT_NE(code, "?") << "thing " << i << " is from no code of the list";
                inRound.insert(code);
                if (i <= 5) {
                    EXPECT_EQ(personCode(*w().PersonBitmaps[i][1]), code) << "person " << i;
                }
                things.insert(w().SlotItem[i]);
                if (i <= 8) {
                    EXPECT_NE(w().SlotItem[i], i) << "slot " << i;
                }
            }
            lastSlotHeldItsOwn = lastSlotHeldItsOwn || w().SlotItem[9] == 9;
            EXPECT_EQ(inRound.size(), 9u);                             // nine different professions
            EXPECT_EQ(things, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));  // each thing in one slot
            seen.insert(inRound.begin(), inRound.end());
        }
        EXPECT_EQ(seen.size(), c.codes.size());
        EXPECT_TRUE(lastSlotHeldItsOwn);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Entries, PutInOrderModes, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PutInOrder, ThingFollowsThePointerHiddenAndADropPutsItBackWithThePointer) {
    Open(0);
    Give(kPlay, 1);  // nothing carried: nothing happens
    PickUp(kPlay + 600, 1);
    h().MoveTo(kPlay + 800, 300, 200);  // over a person's label
    h().At(kPlay + 810, [this] {
        EXPECT_TRUE(w().Carrying);
        EXPECT_EQ(w().CarriedItem, 1);
        EXPECT_EQ(h().ShowCursorCount(), -1);
        EXPECT_FALSE(h().PointerVisible());
        EXPECT_TRUE(CarriedShownAt({300, 200}));
        EXPECT_EQ(w().CarrySnapshot->Pixels().pixels, w().Buffer->Pixels().pixels);  // Buffer untouched
    });
    h().MoveTo(kPlay + 900, 330, 390);  // over the form
    h().At(kPlay + 910, [this] { EXPECT_TRUE(CarriedShownAt({330, 390})); });
    h().MoveTo(kPlay + 920, kGamesX, kBarY);  // over a bar button that leaves
    h().At(kPlay + 930, [this] { EXPECT_TRUE(CarriedShownAt({kGamesX, kBarY})); });
    ClickAt(kPlay + 1000, kEmptyPlace);
    h().At(kPlay + 1100, [this] {
        EXPECT_FALSE(w().Carrying);
        EXPECT_TRUE(PointerBalanced());
        EXPECT_TRUE(ScreenIsBuffer());
        EXPECT_EQ(w().SlotLabels[SlotOf(1)]->Cursor(), 2);  // still there to take
    });
    PickUp(kPlay + 1700, 1);
    h().At(kPlay + 1800, [this] { EXPECT_TRUE(w().Carrying); });
    EndAt(kPlay + 1810);
    RunProgram();
    EXPECT_TRUE(SoundStarts("sound\\spravne.wav").empty());
    EXPECT_TRUE(SoundStarts("sound\\spatne.wav").empty());
}

// After every carried move the window shows the screen as it stands with the
// carried thing over it at the pointer and nothing else: the thing's last
// place shows the screen again, whether the move overlaps it or jumps away,
// runs over persons, slots or the bar's buttons (whose hover pictures the
// carried frame covers), or pushes the thing past the window's edges; also
// after a wrong give has repainted the screen without the thing.
TEST_F(PutInOrder, EveryCarriedMoveShowsTheScreenAndTheThingAtThePointerOnly) {
    struct Move {
        TPoint to;
        bool thingFollows;  // not over the help button
    };
    const Move moves[] = {
        {{300, 200}, true},           {{305, 203}, true},           {{290, 230}, true},
        {{330, 390}, true},           {{kMenuX, kBarY}, true},      {{kMenuX + 4, kBarY - 2}, true},
        {{kGamesX, kBarY}, true},     {{kSimulationsX, kBarY}, true}, {{kExitX, kBarY + 3}, true},
        {{5, 4}, true},               {{636, 476}, true},           {{kHelpX, kBarY}, false},
        {{100, 300}, true},           {{51 + 60 * 4 + 28, 283 + 28}, true}, {{600, 20}, true},
    };
    auto expectCarriedFrame = [this](TPoint p, const char* when) {
        ASSERT_TRUE(w().Carrying) << when;
        TBitmap expected;
        expected.Assign(w().Buffer);
        expected.Canvas()->Draw(p.X - 28, p.Y - 28, w().ItemBitmaps[std::size_t(w().CarriedItem)][2].get());
        EXPECT_TRUE(ScreenShows(h(), expected, 0, 0, 0, 0, 640, 480)) << when << " at " << p.X << ", " << p.Y;
    };
    Open(0);
    PickUp(kPlay, 3);
    std::uint64_t t = kPlay + 200;
    for (const Move& m : moves) {
        h().MoveTo(t, m.to.X, m.to.Y);
        if (m.thingFollows) h().At(t + 10, [=] { expectCarriedFrame(m.to, "moved"); });
        t += 50;
    }
    Give(t, 1);  // wrong: the screen repainted after the pause
    const TPoint after{200, 150};
    h().MoveTo(t + 700, after.X, after.Y);
    h().At(t + 710, [=] { expectCarriedFrame(after, "after the wrong give"); });
    h().MoveTo(t + 760, after.X + 30, after.Y + 10);
    h().At(t + 770, [=] { expectCarriedFrame({after.X + 30, after.Y + 10}, "after the wrong give"); });
    EndAt(t + 780);
    RunProgram();
}

TEST_F(PutInOrder, WrongPersonKeepsTheThingCarriedAndTheRightOneIsServed) {
    Open(0);
    PickUp(kPlay, 2);
    Give(kPlay + 600, 3);
    h().At(kPlay + 700, [this] {
        EXPECT_EQ(w().Mistakes, 1);
        EXPECT_TRUE(w().Carrying);
        EXPECT_FALSE(h().PointerVisible());
    });
    auto slot = std::make_shared<int>(0);
    h().At(kPlay + 1190, [this, slot] { *slot = SlotOf(2); });
    Give(kPlay + 1200, 2);
    h().At(kPlay + 1300, [this, slot] {
        EXPECT_FALSE(w().Carrying);
        EXPECT_TRUE(PointerBalanced());
        EXPECT_FALSE(w().PersonLabels[2]->Enabled());
        EXPECT_EQ(w().SlotLabels[*slot]->Cursor(), 1);
        EXPECT_TRUE(ScreenIsBuffer());
        const TPoint p = w().SlotPoints[*slot];
        EXPECT_TRUE(ScreenShows(h(), *w().EmptySlotBitmap, 0, 0, p.X, p.Y, 56, 56));
        // The served picture over the person's place.
        const TBitmap& served = *w().PersonBitmaps[2][2];
        const TControl* person = w().PersonLabels[2];
        for (int y = 0; y < served.Height(); ++y)
            for (int x = 0; x < served.Width(); ++x) {
                if (served.Pixels().Get(x, y) == clFuchsia) continue;
                ASSERT_EQ(h().Pixel(person->Left() + x, person->Top() + y), served.Pixels().Get(x, y));
            }
    });
    // The given-away slot and the served person take nothing more.
    h().At(kPlay + 1390, [this, slot] { ClickAt(kPlay + 1400, SlotCentre(*slot)); });
    h().At(kPlay + 1500, [this] { EXPECT_FALSE(w().Carrying); });
    EndAt(kPlay + 1510);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 1u);
    EXPECT_EQ(SoundStarts("sound\\spravne.wav").size(), 1u);
}

TEST_F(PutInOrder, FifthPersonServedStartsANewRoundASecondLater) {
    Open(1);
    std::uint64_t t = kPlay;
    for (int person = 1; person <= 5; ++person, t += 600) {
        PickUp(t, person);
        Give(t + 300, person);
    }
    Give(kPlay + 100, 1);
    // The fifth is given at t - 300 (released 50 ms later).
    const std::uint64_t served = t - 300 + 50;
    h().At(served + 900, [this] {
        EXPECT_TRUE(w().AllServed());
        EXPECT_TRUE(PointerBalanced());
    });
    h().At(served + 1100, [this] {
        EXPECT_FALSE(w().AllServed());
        for (int i = 1; i <= 5; ++i) EXPECT_TRUE(w().PersonLabels[i]->Enabled()) << i;
        for (int k = 1; k <= 9; ++k) EXPECT_EQ(w().SlotLabels[k]->Cursor(), 2) << k;
        EXPECT_EQ(w().Mistakes, 0);
        EXPECT_TRUE(ScreenIsBuffer());
    });
    EndAt(served + 1110);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spravne.wav").size(), 5u);
}

TEST_F(PutInOrder, ThirdMistakeOfTheRoundShowsTheMessageAfterItsPauseWithThePointerBack) {
    Open(0);
    PickUp(kPlay, 1);
    Give(kPlay + 600, 2);   // 1
    Give(kPlay + 1200, 3);  // 2
    Give(kPlay + 1800, 1);  // right
    PickUp(kPlay + 2400, 2);
    h().At(kPlay + 2900, [this] { EXPECT_FALSE(MessageShown("Poradek")); });
    Give(kPlay + 3000, 4);  // 3: the message after 500 ms
    h().At(kPlay + 3400, [this] {
        EXPECT_FALSE(MessageShown("Poradek"));
        EXPECT_FALSE(h().PointerVisible());
    });
    h().At(kPlay + 3600, [this] {
        ASSERT_TRUE(MessageShown("Poradek"));
        EXPECT_TRUE(PointerBalanced());
        EXPECT_FALSE(w().Carrying);
        auto picture = LoadPicture(kAppDir + "hry/poradek/hlaska.bmp");
        EXPECT_EQ(wndHlaska->MessageBitmap->Pixels().pixels, picture->Pixels().pixels);
    });
    EndAt(kPlay + 3610);
    RunProgram();
    EXPECT_EQ(SoundStarts("hry\\poradek\\hlaska.wav").size(), 1u);
}

// Presses judged during the pauses of earlier ones: the message once.
TEST_F(PutInOrder, MistakesJudgedDuringThePausesShowTheMessageOnce) {
    Open(0);
    PickUp(kPlay, 1);
    for (int k = 0; k < 4; ++k) Give(kPlay + 600 + std::uint64_t(k) * 100, 2 + k);
    h().At(kPlay + 2000, [this] {
        EXPECT_TRUE(MessageShown("Poradek"));
        EXPECT_TRUE(PointerBalanced());
    });
    EndAt(kPlay + 2010);
    RunProgram();
    EXPECT_EQ(SoundStarts("sound\\spatne.wav").size(), 4u);
    EXPECT_EQ(SoundStarts("hry\\poradek\\hlaska.wav").size(), 1u);
}

TEST_F(PutInOrder, ThingTakenUpWhileTheNextRoundWaitsIsPutDownByIt) {
    Open(0);
    std::uint64_t t = kPlay;
    for (int person = 1; person <= 5; ++person, t += 600) {
        PickUp(t, person);
        Give(t + 300, person);
    }
    PickUp(t, 6);  // a thing of nobody, during the second before the new round
    h().At(t + 100, [this] { EXPECT_TRUE(w().Carrying); });
    // The fifth was given at t - 300: the new round comes at t + 750.
    h().At(t + 800, [this] {
        EXPECT_FALSE(w().AllServed());
        EXPECT_FALSE(w().Carrying);
        EXPECT_TRUE(PointerBalanced());
    });
    EndAt(t + 810);
    RunProgram();
}

// Every way out of carrying shows the pointer again.
struct WayOut {
    const char* name;
    std::function<void(PutInOrder&, headless::Harness&, std::uint64_t)> leave;
    bool screenStays;
};
void PrintTo(const WayOut& c, std::ostream* os) { *os << c.name; }

const WayOut kWaysOut[] = {
    {"Drop", [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.Click(at, kEmptyPlace.X, kEmptyPlace.Y); },
     true},
    {"RightPerson",
     [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.Click(at, 39 + 60, 62 + 97); }, true},
    // The exit question, answered no: back on the screen, nothing carried.
    {"ExitQuestion",
     [](PutInOrder&, headless::Harness& h, std::uint64_t at) {
         h.Click(at, kExitX, kBarY);
         h.At(at + 200, [&h] {
             EXPECT_TRUE(wndKonec->Showing());
             EXPECT_EQ(h.ShowCursorCount(), 0);
         });
         h.Click(at + 400, 458, 286);
     },
     true},
    {"MenuButton", [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.Click(at, kMenuX, kBarY); }, false},
    {"GamesButton", [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.Click(at, kGamesX, kBarY); },
     false},
    {"SimulationsButton",
     [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.Click(at, kSimulationsX, kBarY); }, false},
    {"Deactivation",
     [](PutInOrder&, headless::Harness& h, std::uint64_t at) {
         h.FocusLost(at);
         h.FocusGained(at + 500);
     },
     true},
    {"ScreenClosed", [](PutInOrder&, headless::Harness& h, std::uint64_t at) { h.At(at, [] { wndPoradek->Close(); }); },
     false},
};

class PutInOrderWaysOut : public PutInOrder, public ::testing::WithParamInterface<WayOut> {};

TEST_P(PutInOrderWaysOut, ShowThePointerAgain) {
    const WayOut& c = GetParam();
    Open(0);
    PickUp(kPlay, 1);
    h().At(kPlay + 300, [this] { EXPECT_EQ(h().ShowCursorCount(), -1); });
    c.leave(*this, h(), kPlay + 500);
    h().At(kPlay + 3000, [this, &c] {
        EXPECT_TRUE(PointerBalanced());
        if (c.screenStays) {
            ASSERT_NE(wndPoradek, nullptr);
            EXPECT_FALSE(w().Carrying);
            EXPECT_EQ(h().ActiveForm(), wndPoradek);
        } else {
            EXPECT_EQ(wndPoradek, nullptr);
        }
    });
    EndAt(kPlay + 3010);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Carrying, PutInOrderWaysOut, ::testing::ValuesIn(kWaysOut),
                         [](const auto& info) { return std::string(info.param.name); });

// The message window at the third mistake: yes deals a new round below it
// and hides, no leaves for the games menu.
class PutInOrderMessage : public PutInOrder, public ::testing::WithParamInterface<bool> {};

TEST_P(PutInOrderMessage, YesDealsANewRoundAndNoLeavesForTheGamesMenu) {
    const bool yes = GetParam();
    Open(1);
    PickUp(kPlay, 1);
    for (int k = 0; k < 3; ++k) Give(kPlay + 600 + std::uint64_t(k) * 600, 2 + k);
    const std::uint64_t shown = kPlay + 600 + 2 * 600 + 50 + 500 + 10;
    h().At(shown, [this] { ASSERT_TRUE(MessageShown("Poradek")); });
    h().Click(shown + 100, yes ? 241 : 398, 282);
    const std::uint64_t answered = shown + 100 + 50 + 100 + 10;
    h().At(answered, [this, yes] {
        EXPECT_FALSE(wndHlaska->Showing());
        if (yes) {
            ASSERT_NE(wndPoradek, nullptr);
            EXPECT_EQ(h().ActiveForm(), wndPoradek);
            EXPECT_EQ(w().Mode, 1);
            EXPECT_EQ(w().Mistakes, 0);
            for (int i = 1; i <= 5; ++i) EXPECT_TRUE(w().PersonLabels[i]->Enabled()) << i;
            EXPECT_TRUE(ScreenIsBuffer());
        } else {
            EXPECT_EQ(wndPoradek, nullptr);
            EXPECT_TRUE(wndHry->Showing());
            EXPECT_EQ(h().ActiveForm(), wndHry);
        }
        EXPECT_TRUE(PointerBalanced());
    });
    EndAt(answered + 10);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Buttons, PutInOrderMessage, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Yes" : "No"); });

}  // namespace
