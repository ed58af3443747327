// The three round games that end through the message window with the right
// profession's name: the sound game (entry 6), "Kdo to je" A (entry 7) and
// "Kdo to je" B (entry 8). One table holds what differs; the cases each game
// alone has follow it.
#include <functional>

#include "games/GameCodeLists.h"
#include "games/UKdoPatriZvuk.h"
#include "games/UKdoToJe.h"
#include "games/UKdoToJe2.h"
#include "games_test_support.h"
#include "platform/media/sound.h"

using namespace gametest;

namespace {

// The game is up by kReady + 1000; the first answer is pressed here.
constexpr std::uint64_t kOpen = kReady + 1700;

struct RoundGame {
    const char* name;
    int entry;
    const char* caption;
    const char* background;
    TScreenFrame* (*screen)();
    // The hot areas that answer, with the list position each shows.
    std::vector<TXLabel*> (*areas)();
    int (*target)();
    int (*mistakes)();
    void (*newRound)();
    const TGameProfession* list;  // GameCodeList29 or GameCodeList43
    const char* areaPictures;     // + code + ".bmp": what an area shows
    const char* roundSound;       // + code + ".wav" at the round's start, or nullptr
    // The round's own picture of the right answer (+ code + ".bmp") and
    // where it lies, or nullptr; the picture that replaces it on a right
    // answer (+ code + solvedEnding), or nullptr.
    const char* ownPicture;
    TPoint ownAt;
    const char* solvedEnding;
    // The areas answer to the press of the mouse, not to the click.
    bool onPress;
    int limit;
    std::uint64_t wrongPause, rightPause;
    // The sound of a right answer (its flags: 3 asynchronous, 2 synchronous).
    std::string (*rightSound)(const std::string& code);
    const char* rightFlags;
    const char* messageId;
    const char* messagePicture;
    const char* messageSound;
    const char* help;
    const char* exampleCode;
    const char* exampleName;
};
void PrintTo(const RoundGame& g, std::ostream* os) { *os << g.name; }

template <class Labels>
std::vector<TXLabel*> Areas(const Labels& labels) {
    return std::vector<TXLabel*>(labels.begin(), labels.end());
}

std::string Common(const char* name) { return std::string("sound\\") + name + ".wav"; }

const RoundGame kGames[] = {
    {.name = "SoundGame",
     .entry = 6,
     .caption = "Velamo - Hry: Kdo sem patří",
     .background = "hry/kdopatri/pozadib.bmp",
     .screen = [] { return static_cast<TScreenFrame*>(wndKdoPatriZvuk); },
     .areas = [] { return Areas(wndKdoPatriZvuk->Cells); },
     .target = [] { return int(wndKdoPatriZvuk->TargetCode); },
     .mistakes = [] { return int(wndKdoPatriZvuk->Mistakes); },
     .newRound = [] { wndKdoPatriZvuk->NewRound(); },
     .list = GameCodeList29,
     .areaPictures = "hry/kdopatri/b_postav/",
     .roundSound = "hry\\kdopatri\\zvuky\\",
     .ownPicture = nullptr,
     .ownAt = {},
     .solvedEnding = nullptr,
     .onPress = true,
     .limit = 3,
     .wrongPause = 500,
     .rightPause = 1500,
     .rightSound = [](const std::string&) { return Common("spravne"); },
     .rightFlags = "flags=3 ",
     .messageId = "Letadlo",
     .messagePicture = "hry/kdopatri/hlaska.bmp",
     .messageSound = "hry\\kdopatri\\hlaska.wav",
     .help = "letadlo.wav",
     .exampleCode = "malpok",
     .exampleName = "malíř pokojů"},
    {.name = "KdoToJeA",
     .entry = 7,
     .caption = "Velamo - Hry: Kdo to je",
     .background = "hry/kdotoje/pozadia.bmp",
     .screen = [] { return static_cast<TScreenFrame*>(wndKdoToJe); },
     .areas = [] { return Areas(wndKdoToJe->NameSlots); },
     .target = [] { return int(wndKdoToJe->TargetCode); },
     .mistakes = [] { return int(wndKdoToJe->Mistakes); },
     .newRound = [] { wndKdoToJe->NewRound(); },
     .list = GameCodeList43,
     .areaPictures = "hry/kdotoje/a_nazvy/",
     .roundSound = nullptr,
     .ownPicture = "hry/kdotoje/a_postav/",
     .ownAt = {238, 35},
     .solvedEnding = nullptr,
     .onPress = false,
     .limit = 2,
     .wrongPause = 500,
     .rightPause = 1000,
     .rightSound = [](const std::string&) { return Common("spravne"); },
     .rightFlags = "flags=3 ",
     .messageId = "Sloup",
     .messagePicture = "hry/kdotoje/a_hlaska.bmp",
     .messageSound = "hry\\kdotoje\\a_hlaska.wav",
     .help = "sloup.wav",
     .exampleCode = "zoo",
     .exampleName = "ošetřovatel v ZOO"},
    {.name = "KdoToJeB",
     .entry = 8,
     .caption = "Velamo - Hry: Kdo to je",
     .background = "hry/kdotoje/pozadib.bmp",
     .screen = [] { return static_cast<TScreenFrame*>(wndKdoToJe2); },
     .areas = [] { return Areas(wndKdoToJe2->Cells); },
     .target = [] { return int(wndKdoToJe2->TargetCode); },
     .mistakes = [] { return int(wndKdoToJe2->Mistakes); },
     .newRound = [] { wndKdoToJe2->NewRound(); },
     .list = GameCodeList43,
     .areaPictures = "hry/kdotoje/b_postav/",
     .roundSound = nullptr,
     .ownPicture = "hry/kdotoje/b_vety/",
     .ownAt = {164, 316},
     .solvedEnding = "2.bmp",
     .onPress = false,
     .limit = 3,
     .wrongPause = 1000,
     .rightPause = 1000,
     .rightSound = [](const std::string& code) { return "hry\\kdotoje\\b_zvuky\\" + code + ".wav"; },
     .rightFlags = "flags=2 ",
     .messageId = "Zahradnik",
     .messagePicture = "hry/kdotoje/b_hlaska.bmp",
     .messageSound = "hry\\kdotoje\\b_hlaska.wav",
     .help = "zahrad.wav",
     .exampleCode = "zahrad",
     .exampleName = "zahradník"},
};

class RoundGameTest : public ScreenTest {
protected:
    virtual const RoundGame& G() const = 0;
    std::string Code(int position) const { return G().list[position - 1].Code; }
    std::string TargetCode() const { return Code(G().target()); }
    TXLabel* RightArea() const {
        for (TXLabel* a : G().areas())
            if (a->Tag == G().target()) return a;
        return nullptr;
    }
    TXLabel* WrongArea() const {
        for (TXLabel* a : G().areas())
            if (a->Tag != G().target()) return a;
        return nullptr;
    }
    // Moves onto an area well before clicking it at `t` ("Kdo to je" A
    // sleeps half a second when the pointer comes onto a plate), the area
    // picked just before the move; the game answers at the returned time
    // (the press, or the release that completes the click). Further clicks
    // follow `gap` apart, each 20 pixels right of the one before, so that
    // two quick ones are no double click.
    std::uint64_t Press(std::uint64_t t, std::function<TXLabel*()> pick, int times = 1, std::uint64_t gap = 0) {
        h().At(t - kSettle - 1, [this, t, pick, times, gap] {
            const TXLabel* area = pick();
            const TPoint c = {area->Left() + 20, area->Top() + area->Height() / 2};
            h().MoveTo(t - kSettle, c.X, c.Y);
            for (int k = 0; k < times; ++k) h().Click(t + std::uint64_t(k) * gap, c.X + 20 * k, c.Y);
        });
        return Acts(t);
    }
    std::uint64_t Acts(std::uint64_t t) const { return t + (G().onPress ? 0 : headless::Harness::kClickHoldMs); }
    std::uint64_t WrongGap() const { return G().wrongPause + 100; }
    // Wrong answers 1..count on one wrong area, each after the pause of the
    // one before; the times they are pressed.
    std::vector<std::uint64_t> PressWrong(std::uint64_t from, int count) {
        Press(from, [this] { return WrongArea(); }, count, WrongGap());
        std::vector<std::uint64_t> times;
        for (int k = 0; k < count; ++k) times.push_back(from + std::uint64_t(k) * WrongGap());
        return times;
    }
    static constexpr std::uint64_t kSettle = 600;
    // Deals rounds until the right answer is the game's example profession.
    void DealTheExample() {
        while (TargetCode() != G().exampleCode) G().newRound();
    }
};

class RoundGames : public RoundGameTest, public ::testing::WithParamInterface<RoundGame> {
protected:
    const RoundGame& G() const override { return GetParam(); }
};

TEST_P(RoundGames, MenuEntryOpensTheGameOnARoundOfDifferentProfessionsWithTheRightOneAmongThem) {
    ChooseGame(kReady, G().entry);
    h().Click(kOpen, kHelpX, kBarY);
    h().At(kOpen + 100, [&] {
        TScreenFrame* screen = G().screen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(h().ActiveForm(), screen);
        EXPECT_EQ(screen->Caption(), G().caption);
        EXPECT_EQ(G().mistakes(), 0);
        std::set<int> dealt;
        std::vector<TRect> drawn;
        for (TXLabel* area : G().areas()) {
            dealt.insert(area->Tag);
            auto picture = LoadPicture(kAppDir + G().areaPictures + Code(area->Tag) + ".bmp");
            EXPECT_TRUE(ScreenShows(h(), *picture, 0, 0, area->Left(), area->Top(), area->Width(), area->Height()))
                << Code(area->Tag);
            drawn.push_back(area->BoundsRect());
        }
        EXPECT_EQ(dealt.size(), G().areas().size());
        EXPECT_EQ(dealt.count(G().target()), 1u);
        // The right answer's own picture; the background everywhere else
        // above the bar.
        if (G().ownPicture) {
            auto own = LoadPicture(kAppDir + G().ownPicture + TargetCode() + ".bmp");
            EXPECT_TRUE(ScreenShows(h(), *own, 0, 0, G().ownAt.X, G().ownAt.Y, own->Width(), own->Height()));
            drawn.push_back(Bounds(G().ownAt.X, G().ownAt.Y, own->Width(), own->Height()));
        }
        auto background = LoadPicture(kAppDir + G().background);
        for (int y = 0; y < 421; ++y)
            for (int x = 0; x < 640; ++x) {
                bool inArea = false;
                for (const TRect& r : drawn) inArea = inArea || r.Contains(x, y);
                if (!inArea && h().Pixel(x, y) != background->Pixels().Get(x, y)) {
                    ADD_FAILURE() << "at (" << x << ", " << y << ")";
                    return;
                }
            }
        // The sound game's round starts with the right answer's sound, which
        // showing the screen does not cut.
        if (G().roundSound) {
            EXPECT_EQ(SoundStarts(G().roundSound + TargetCode() + ".wav").size(), 1u);
            EXPECT_TRUE(Notices({"sound stop ch0", G().roundSound}).empty());
        }
        EXPECT_EQ(Notices({"help start ch1", G().help}).size(), 1u);
        Application->Terminate();
    });
    RunProgram();
}

TEST_P(RoundGames, WrongAnswersUpToTheLimitEndTheRoundInTheMessageWithTheRightName) {
    h().At(kOpen - kSettle - 10, [&] { DealTheExample(); });
    ChooseGame(kReady, G().entry);
    const std::vector<std::uint64_t> presses = PressWrong(kOpen, G().limit);
    for (int k = 1; k < G().limit; ++k) {
        // The pause of answer k is over; the next is not pressed yet.
        h().At(presses[std::size_t(k)] - 2, [this, k] {
            EXPECT_EQ(G().mistakes(), k);
            EXPECT_FALSE(wndHlaska->Showing());
        });
    }
    const std::uint64_t last = Acts(presses.back());
    h().At(last + G().wrongPause - 10, [&] {
        EXPECT_EQ(G().mistakes(), G().limit);
        EXPECT_FALSE(wndHlaska->Showing());  // not before the pause is over
    });
    h().At(last + G().wrongPause + 10, [&] {
        EXPECT_EQ(SoundStarts(Common("spatne")).size(), std::size_t(G().limit));
        ASSERT_TRUE(MessageShown(G().messageId));
        EXPECT_TRUE(G().screen()->Showing());
        EXPECT_TRUE(wndHlaska->Text->Visible());
        EXPECT_EQ(wndHlaska->Text->Caption(), G().exampleName);
        // Again and end at their places, in their normal look.
        const std::pair<const T3BMPLabel*, const char*> buttons[] = {{wndHlaska->YesButton, "pok"},
                                                                      {wndHlaska->NoButton, "konec"}};
        EXPECT_EQ(buttons[0].first->BoundsRect(), Bounds(179, 268, 124, 29));
        EXPECT_EQ(buttons[1].first->BoundsRect(), Bounds(337, 268, 123, 29));
        for (const auto& [button, pictures] : buttons) {
            auto normal = LoadPicture(kAppDir + "hl_obr/hlasky/" + pictures + "1.bmp");
            EXPECT_TRUE(button->Visible());
            EXPECT_TRUE(ScreenShows(h(), *normal, 0, 0, button->Left(), button->Top(), button->Width(),
                                    button->Height()))
                << pictures;
        }
        auto message = LoadPicture(kAppDir + G().messagePicture);
        const int mx = (640 - message->Width()) / 2, my = (480 - message->Height()) / 2;
        EXPECT_EQ(h().Pixel(mx + message->Width() / 2, my + 20), message->Pixels().Get(message->Width() / 2, 20));
        EXPECT_EQ(SoundStarts(G().messageSound).size(), 1u);
        Application->Terminate();
    });
    RunProgram();
}

TEST_P(RoundGames, RightAnswerDealsTheNextRoundAfterItsSoundAndPause) {
    ChooseGame(kReady, G().entry);
    // One mistake first: only a new round clears it.
    PressWrong(kOpen, 1);
    const std::uint64_t right = kOpen + WrongGap() + kSettle;
    std::string target;
    h().At(right - 1, [&] { target = TargetCode(); });
    Press(right, [this] { return RightArea(); });
    h().At(Acts(right) + 1, [&] {
        const auto starts = Notices({"sound start ch0", G().rightFlags, G().rightSound(target)});
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].at, Acts(right));
        // The next round comes the pause after the sound has ended (a
        // synchronous sound) or started.
        const bool synchronous = std::string(G().rightFlags) == "flags=2 ";
        const std::uint64_t next = Acts(right) + (synchronous ? DurationOf(starts[0]) : 0) + G().rightPause;
        h().At(next - 10, [this, target] {
            EXPECT_EQ(G().mistakes(), 1);  // the same round
            if (G().solvedEnding) {        // the solved picture in the round's picture's place
                auto solved = LoadPicture(kAppDir + G().ownPicture + target + G().solvedEnding);
                EXPECT_TRUE(ScreenShows(h(), *solved, 0, 0, G().ownAt.X, G().ownAt.Y, solved->Width(),
                                        solved->Height()));
            }
        });
        h().At(next + 10, [this, next] {
            EXPECT_EQ(G().mistakes(), 0);
            if (G().roundSound) {  // the new round's sound
                const auto sounds = Notices({"sound start ch0", G().roundSound});
                ASSERT_EQ(sounds.size(), 2u);
                EXPECT_EQ(sounds[1].at, next);
                EXPECT_NE(sounds[1].text.find(G().roundSound + TargetCode() + ".wav"), std::string::npos);
            }
            Application->Terminate();
        });
    });
    RunProgram();
}

TEST_P(RoundGames, AnswerDuringAPauseIsJudgedAtOnce) {
    ChooseGame(kReady, G().entry);
    Press(kOpen, [this] { return WrongArea(); }, 2, 100);
    h().At(Acts(kOpen + 100) + 10, [&] {
        EXPECT_EQ(G().mistakes(), 2);
        EXPECT_EQ(SoundStarts(Common("spatne")).size(), 2u);
        Application->Terminate();
    });
    RunProgram();
}

// Wrong answers pressed faster than their pauses: the one that made the
// limit still brings the message, once, though the count passed the limit.
TEST_P(RoundGames, QuickWrongAnswersPastTheLimitStillEndTheRoundInTheMessage) {
    ChooseGame(kReady, G().entry);
    const int presses = G().limit + 1;
    Press(kOpen, [this] { return WrongArea(); }, presses, 100);
    const std::uint64_t last = Acts(kOpen + std::uint64_t(presses - 1) * 100);
    h().At(last + 10, [this, presses] { EXPECT_EQ(G().mistakes(), presses); });
    h().At(last + G().wrongPause + 10, [this] {
        EXPECT_TRUE(MessageShown(G().messageId));
        EXPECT_EQ(wndHlaska->Text->Caption(), G().list[G().target() - 1].DisplayName);
        EXPECT_EQ(SoundStarts(G().messageSound).size(), 1u);
        Application->Terminate();
    });
    RunProgram();
}

TEST_P(RoundGames, MessagesAgainDealsANewRoundBelowAndEndLeavesForTheGamesMenu) {
    ChooseGame(kReady, G().entry);
    const std::uint64_t shown = Acts(PressWrong(kOpen, G().limit).back()) + G().wrongPause + 100;
    h().Click(shown, 241, 282);  // again
    h().At(shown + 300, [&] {
        EXPECT_FALSE(wndHlaska->Showing());
        ASSERT_NE(G().screen(), nullptr);
        EXPECT_EQ(h().ActiveForm(), G().screen());
        EXPECT_EQ(G().mistakes(), 0);
        // The message's sound stopped before the new round began.
        EXPECT_EQ(Notices({"sound stop ch0", G().messageSound}).size(), 1u);
    });
    const std::uint64_t shownAgain = Acts(PressWrong(shown + 400 + kSettle, G().limit).back()) + G().wrongPause + 100;
    h().Click(shownAgain, 398, 282);  // end
    h().At(shownAgain + 300, [&] {
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_EQ(G().screen(), nullptr);
        EXPECT_TRUE(wndHry->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
        Application->Terminate();
    });
    RunProgram();
}

// A bar button pressed during the pause after the answer that reaches the
// limit: the screen leaves at once, lives until the answer's handler has
// returned, and the message is never shown over the closed screen.
TEST_P(RoundGames, GamesButtonDuringTheAnswersPauseLeavesAndNothingRunsOnTheClosedScreen) {
    ChooseGame(kReady, G().entry);
    const std::uint64_t last = Acts(PressWrong(kOpen, G().limit).back());
    h().Click(last + 100, kGamesX, kBarY);
    h().At(last + 200, [&] {
        ASSERT_NE(G().screen(), nullptr);  // its handler still pauses
        EXPECT_TRUE(G().screen()->Closed());
        EXPECT_EQ(h().ActiveForm(), wndHry);
    });
    h().At(last + G().wrongPause + 300, [&] {
        EXPECT_EQ(G().screen(), nullptr);
        EXPECT_FALSE(wndHlaska->Showing());
        EXPECT_TRUE(SoundStarts(G().messageSound).empty());
        EXPECT_EQ(h().ActiveForm(), wndHry);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Games, RoundGames, ::testing::ValuesIn(kGames),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The sound game alone.

class SoundGame : public RoundGameTest {
protected:
    const RoundGame& G() const override { return kGames[0]; }
};

class SoundGameButtons : public SoundGame, public ::testing::WithParamInterface<TMouseButton> {};

TEST_P(SoundGameButtons, EveryMouseButtonJudgesACellOnItsPress) {
    const TMouseButton button = GetParam();
    ChooseGame(kReady, 6);
    const std::uint64_t right = kOpen + 600;
    h().At(kOpen - 1, [&] {
        const TXLabel* wrong = WrongArea();
        h().MouseDown(kOpen, wrong->Left() + 10, wrong->Top() + 10, button);
        h().MouseUp(kOpen + 50, wrong->Left() + 10, wrong->Top() + 10, button);
        const TXLabel* answer = RightArea();
        h().MouseDown(right, answer->Left() + 10, answer->Top() + 10, button);
        h().MouseUp(right + 50, answer->Left() + 10, answer->Top() + 10, button);
    });
    h().At(kOpen + 1, [&] {
        EXPECT_EQ(G().mistakes(), 1);  // on the press, not the release
        EXPECT_EQ(SoundStarts(Common("spatne")).size(), 1u);
    });
    h().At(right + 1, [&] {
        const auto starts = SoundStarts(Common("spravne"));
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].at, right);
    });
    h().At(right + 1510, [&] {
        EXPECT_EQ(G().mistakes(), 0);  // the next round
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Buttons, SoundGameButtons, ::testing::Values(mbLeft, mbRight, mbMiddle),
                         [](const auto& info) {
                             const TMouseButton b = info.param;
                             return std::string(b == mbLeft ? "Left" : b == mbRight ? "Right" : "Middle");
                         });

TEST_F(SoundGame, EitherReplayAreaPlaysTheRoundsSoundAgainFromItsStart) {
    ChooseGame(kReady, 6);
    std::string sound;
    h().At(kOpen - 1, [&] { sound = G().roundSound + TargetCode() + ".wav"; });
    h().Click(kOpen, 225, 383);
    h().Click(kOpen + 100, 417, 383);
    h().At(kOpen + 200, [&] {
        const auto starts = SoundStarts(sound);
        ASSERT_EQ(starts.size(), 3u);  // the round's start, then each area
        EXPECT_EQ(starts[1].at, kOpen + 50);
        EXPECT_EQ(starts[2].at, kOpen + 150);
        Application->Terminate();
    });
    RunProgram();
}

// ---------------------------------------------------------------------------
// "Kdo to je" A alone: the plates' sounds when the pointer rests on them.

class KdoToJeA : public RoundGameTest {
protected:
    const RoundGame& G() const override { return kGames[1]; }
    std::vector<headless::TimedNotice> PlateSounds() const { return Notices({"sound start ch0", "a_zvuky"}); }
};

struct HoverCase {
    const char* name;
    int slot;
    TPoint after;  // where the pointer is 200 ms after it came onto the slot
    bool plays;
};
void PrintTo(const HoverCase& c, std::ostream* os) { *os << c.name; }

class KdoToJeAHover : public KdoToJeA, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(KdoToJeAHover, ThePlatesSoundPlaysOnceWhenThePointerIsStillThereAfterHalfASecond) {
    const HoverCase& c = GetParam();
    ChooseGame(kReady, 7);
    int tag = 0;
    h().At(kOpen - 1, [&] {
        const TXLabel* slot = wndKdoToJe->NameSlots[c.slot];
        tag = slot->Tag;
        h().MoveTo(kOpen, slot->Left() + 50, slot->Top() + 10);
    });
    h().MoveTo(kOpen + 200, c.after.X, c.after.Y);
    h().At(kOpen + 2000, [&] {
        const auto plays = PlateSounds();
        ASSERT_EQ(plays.size(), c.plays ? 1u : 0u);
        if (c.plays) {
            EXPECT_EQ(plays[0].at, kOpen + 500);
            EXPECT_NE(plays[0].text.find("a_zvuky\\" + Code(tag) + ".wav"), std::string::npos);
        }
        Application->Terminate();
    });
    RunProgram();
}

// Slot 2 lies at (323, 315), slot 3 at (150, 335), both 115x20.
INSTANTIATE_TEST_SUITE_P(Cases, KdoToJeAHover,
                         ::testing::Values(HoverCase{"Stays", 2, {380, 325}, true},
                                           HoverCase{"LeavesWithinHalfASecond", 2, {100, 250}, false},
                                           HoverCase{"OnThePixelPastTheRightEdge", 2, {438, 320}, true},
                                           HoverCase{"BeyondTheRightEdge", 2, {439, 320}, false},
                                           HoverCase{"OnThePixelPastTheBottomEdge", 3, {160, 355}, true},
                                           HoverCase{"BeyondTheBottomEdge", 3, {160, 356}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KdoToJeA, ClickDuringTheHoverSleepIsJudgedOnceWhenTheSleepIsOver) {
    ChooseGame(kReady, 7);
    h().At(kOpen - 1, [&] {
        const TXLabel* slot = WrongArea();
        h().MoveTo(kOpen, slot->Left() + 50, slot->Top() + 10);
        h().Click(kOpen + 100, slot->Left() + 50, slot->Top() + 10);
    });
    h().At(kOpen + 2000, [&] {
        const auto wrong = SoundStarts(Common("spatne"));
        ASSERT_EQ(wrong.size(), 1u);
        EXPECT_EQ(wrong[0].at, kOpen + 500);
        ASSERT_EQ(PlateSounds().size(), 1u);  // the plate's sound first, then the answer's
        EXPECT_EQ(PlateSounds()[0].at, kOpen + 500);
        EXPECT_EQ(G().mistakes(), 1);
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(KdoToJeA, ClickOnThePersonDoesNothing) {
    ChooseGame(kReady, 7);
    h().Click(kOpen, 283, 110);
    h().At(kOpen + 1000, [&] {
        EXPECT_EQ(G().mistakes(), 0);
        EXPECT_TRUE(SoundStarts(Common("spatne")).empty());
        EXPECT_TRUE(SoundStarts(Common("spravne")).empty());
        Application->Terminate();
    });
    RunProgram();
}

// ---------------------------------------------------------------------------
// "Kdo to je" B alone.

class KdoToJeB : public RoundGameTest {
protected:
    const RoundGame& G() const override { return kGames[2]; }
};

TEST_F(KdoToJeB, ClickDuringTheRightAnswersSoundIsJudgedOnceWhenTheSoundHasEnded) {
    ChooseGame(kReady, 8);
    std::string target;
    h().At(kOpen - 1, [&] {
        target = TargetCode();
        const TXLabel* right = RightArea();
        const TXLabel* wrong = WrongArea();
        h().Click(kOpen, right->Left() + 20, right->Top() + 20);
        h().Click(kOpen + 100, wrong->Left() + 20, wrong->Top() + 20);  // while the sound plays
    });
    h().At(kOpen + 60, [&] {
        const auto sound = SoundStarts(G().rightSound(target));
        ASSERT_EQ(sound.size(), 1u);
        const std::uint64_t end = sound[0].at + DurationOf(sound[0]);
        ASSERT_GT(end, kOpen + 150);
        h().At(end + 10, [this, end] {
            const auto wrong = SoundStarts(Common("spatne"));
            ASSERT_EQ(wrong.size(), 1u);
            EXPECT_EQ(wrong[0].at, end);
            EXPECT_EQ(G().mistakes(), 1);
        });
        h().At(end + 3000, [this] {
            EXPECT_EQ(SoundStarts(Common("spatne")).size(), 1u);
            EXPECT_EQ(G().mistakes(), 0);  // the next round came
            Application->Terminate();
        });
    });
    RunProgram();
}

}  // namespace
