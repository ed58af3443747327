// The profession detail page: which profession a number opens, the two
// button sets, back, print through the print library, the exit snapshot and
// deactivation.
#include "town_test_support.h"

using namespace towntest;

namespace {

String CodeShown() { return String(CurrentDetailCode.Chars, CurrentDetailCode.Length); }

constexpr std::uint64_t kOpen = kReady;
constexpr std::uint64_t kShown = kOpen + 200;  // the first page is in

struct NumberCase {
    Byte number;
    const char* code;  // "" when nothing is shown
};
void PrintTo(const NumberCase& c, std::ostream* os) { *os << int(c.number); }


class DetailNumber : public ProgramTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(DetailNumber, OpensThePictureAndSectionOfItsProfession) {
    const NumberCase c = GetParam();
    OpenPageAt(kOpen, c.number);
    h().At(kShown, [&] {
        ASSERT_NE(wndDetailProfese, nullptr);
        if (!*c.code) {
            EXPECT_FALSE(wndDetailProfese->Showing());
            EXPECT_EQ(h().ActiveForm(), wndVelamo);
            EXPECT_EQ(wndDetailProfese->lbNazev->Caption(), "lbNazev");
        } else {
            EXPECT_TRUE(wndDetailProfese->Showing());
            EXPECT_EQ(CodeShown(), c.code);
            EXPECT_EQ(wndDetailProfese->lbNazev->Caption(), SectionName(c.code));
            EXPECT_FALSE(wndDetailProfese->Pages.empty());
            // The picture beside the text, where no control lies.
            auto picture = LoadPicture(kAppDir + "detaily/" + c.code + ".bmp");
            EXPECT_TRUE(ScreenShows(h(), *picture, 20, 20, 20, 20, 360, 380));
        }
        Application->Terminate();
    });
    RunProgram();
    const std::string spoken = std::string("detaily\\zvuky\\") + c.code + ".wav";
    EXPECT_EQ(SoundStarts(spoken).size(), *c.code ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Numbers, DetailNumber,
                         ::testing::Values(NumberCase{4, "traktor"}, NumberCase{43, "namor"}, NumberCase{0, ""},
                                           NumberCase{44, ""}),
                         [](const auto& info) { return std::to_string(info.param.number); });

class DetailButtons : public ProgramTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DetailButtons, TheTownsFullBarOrTheGamesBackAndPrintOverTheBarPicture) {
    const bool withNavigation = GetParam();
    OpenPageAt(kOpen, 4, withNavigation);
    h().At(kShown, [&] {
        TwndDetailProfese* page = wndDetailProfese;
        for (TBarButton b : {TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu})
            EXPECT_EQ(page->BarButton(b)->Visible(), withNavigation);
        EXPECT_EQ(page->BarButton(TBarButton::Back)->Visible(), !withNavigation);
        EXPECT_TRUE(page->BarButton(TBarButton::Print)->Visible());
        auto bar = LoadPicture(kAppDir + (withNavigation ? "detaily/traktor.bmp" : "detaily/lista.bmp"));
        EXPECT_TRUE(ScreenShows(h(), *bar, 0, withNavigation ? 421 : 0, 0, 421, 640, 59));
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Sets, DetailButtons, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "FromTheTown" : "FromAGame"; });

class DetailBack : public ProgramTest, public ::testing::WithParamInterface<bool> {};
class DetailBackDuringThePause : public ProgramTest {};

TEST_P(DetailBack, ClosesThePageAndStartsTheGamesNextRoundOnlyWhenAskedTo) {
    const bool returnToGame = GetParam();
    int rounds = 0;
    SetReturnAction("KdoPatriObr", [&] { ++rounds; });
    OpenPageAt(kOpen, 4, false);
    h().At(kOpen + 1, [&] {
        if (returnToGame) wndDetailProfese->ReturnTo = "KdoPatriObr";
    });
    h().Click(kShown, 597, 450);
    h().At(kShown + 300, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);  // freed
        EXPECT_EQ(h().ActiveForm(), wndVelamo);
        Application->Terminate();
    });
    RunProgram();
    SetReturnAction("KdoPatriObr", nullptr);
    EXPECT_EQ(rounds, returnToGame ? 1 : 0);
}

TEST_F(DetailBackDuringThePause, ClosedDuringItsFirstPagesPauseThePageLivesUntilItIsDone) {
    OpenPageAt(kOpen, 4, false);
    h().Click(kOpen + 20, 597, 450);  // released at +70, inside the pause
    h().At(kOpen + 300, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndVelamo);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Opened, DetailBack, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "ByThePictureGame" : "ByTheTownGame"; });

// The data tree with the print library replaced by a test library (or left
// out when `library` is empty).
class DetailPrint : public ProgramTest {
protected:
    void UseLibrary(const std::string& library) {
        tree_ = std::make_unique<TreeCopy>(std::set<std::string>{"Tisk.so"});
        if (!library.empty())
            fs::copy_file(std::string(VELAMO_DETAIL_TESTLIB_DIR) + "/" + library, tree_->Folder().Path("Tisk.so"));
        InvalidatePathCache();
        UseAppFolder(tree_->Dir());
    }
    std::vector<String> LibraryNotices() const {
        std::vector<String> out;
        for (const String& n : const_cast<DetailPrint*>(this)->h().NoticeTexts())
            if (n.rfind("test print library", 0) == 0 || n.rfind("message box", 0) == 0) out.push_back(n);
        return out;
    }
    void PrintTwice() {
        OpenPageAt(kOpen, 4);
        h().Click(kShown, 392, 449);
        h().Click(kShown + 700, 392, 449);
        h().At(kShown + 1000, [] {
            EXPECT_TRUE(wndDetailProfese && wndDetailProfese->Showing());
            EXPECT_EQ(h_active(), wndDetailProfese);
            Application->Terminate();
        });
        RunProgram();
    }
    static TForm* h_active() { return Screen->ActiveForm(); }
    std::unique_ptr<TreeCopy> tree_;
};

TEST_F(DetailPrint, WithoutTheLibraryTheMessageAndThePageUnchanged) {
    UseLibrary("");
    PrintTwice();
    const String box = "message box: Velamo: Nebyla nalezena tisková knihovna \"Tisk.dll\".";
    EXPECT_EQ(LibraryNotices(), (std::vector<String>{box, box}));
    ASSERT_EQ(h().MessageBoxes().size(), 2u);
    EXPECT_EQ(h().MessageBoxes()[0].flags, UINT(MB_ICONERROR));
}

TEST_F(DetailPrint, EachPrintLoadsCallsAndUnloadsTheLibrary) {
    UseLibrary("TiskPrints.so");
    PrintTwice();
    const std::vector<String> once = {"test print library loaded", "test print library Profese traktor",
                                      "test print library unloaded"};
    std::vector<String> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(LibraryNotices(), twice);
}

struct LibraryCase {
    const char* library;
    std::vector<String> notices;
};
void PrintTo(const LibraryCase& c, std::ostream* os) { *os << c.library; }


class DetailPrintFailure : public DetailPrint, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(DetailPrintFailure, AFailingPrintOrAMissingExportStillUnloadsWithoutAMessage) {
    UseLibrary(GetParam().library);
    PrintTwice();
    std::vector<String> twice = GetParam().notices;
    twice.insert(twice.end(), GetParam().notices.begin(), GetParam().notices.end());
    EXPECT_EQ(LibraryNotices(), twice);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, DetailPrintFailure,
    ::testing::Values(LibraryCase{"TiskThrows.so",
                                  {"test print library loaded", "test print library Profese traktor",
                                   "test print library unloaded"}},
                      LibraryCase{"TiskNoExport.so", {"test print library loaded", "test print library unloaded"}}),
    [](const auto& info) { return std::string(info.param.library).substr(4, 6); });

class DetailExit : public ProgramTest {};

TEST_F(DetailExit, SnapshotShowsThePictureTheNameAndTheTextPageOnScreen) {
    OpenPageAt(kOpen, 4);
    Surface before;
    h().At(kShown, [&] { before = h().ScreenSurface(); });
    h().Click(kShown + 10, 470, 450);
    h().At(kShown + 400, [&] {
        ASSERT_TRUE(wndKonec->Showing());
        EXPECT_TRUE(wndDetailProfese->Showing());
        auto picture = LoadPicture(kAppDir + "detaily/traktor.bmp");
        auto question = LoadPicture(kAppDir + "hl_obr/exit.bmp");
        const TRect q = Bounds((640 - question->Width()) / 2, (480 - question->Height()) / 2, question->Width(),
                               question->Height());
        const Surface& snap = wndKonec->Buffer->Pixels();
        const TRect name = Bounds(416, 24, 217, 25), text = Bounds(407, 52, 224, 334);
        int drawnByControls = 0;
        for (int y = 0; y < 421; ++y)
            for (int x = 0; x < 640; ++x) {
                if (q.Contains(x, y) && question->Pixels().Get(x - q.Left, y - q.Top) != clFuchsia) continue;
                const bool fromScreen = name.Contains(x, y) || text.Contains(x, y);
                const TColor want = Dimmed(fromScreen ? before.Get(x, y) : picture->Pixels().Get(x, y));
                ASSERT_EQ(snap.Get(x, y), want) << x << ", " << y;
                if (fromScreen && before.Get(x, y) != picture->Pixels().Get(x, y)) ++drawnByControls;
            }
        // The name and the text page really are there, not only the picture.
        EXPECT_GT(drawnByControls, 200);
        Application->Terminate();
    });
    RunProgram();
    // The page's deactivation stops its description before the question's
    // sound starts, so that sound is heard.
    EXPECT_EQ(SoundStarts("sound\\exit.wav").size(), 1u);
    EXPECT_TRUE(Notices({"sound stop ch0", "exit.wav"}).empty());
    EXPECT_EQ(Notices({"sound stop ch0", "zvuky\\traktor.wav"}).size(), 1u);
}

class DetailDeactivate : public ProgramTest {};

TEST_F(DetailDeactivate, LeavingThePageStopsTheSpokenDescription) {
    OpenPageAt(kOpen, 4);
    h().Click(kShown, 150, 450);  // menu: the town, then the page closes
    h().At(kShown + 300, [&] {
        EXPECT_EQ(wndDetailProfese, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndVelamo);
        Application->Terminate();
    });
    RunProgram();
    auto stops = Notices({"sound stop ch0", "detaily\\zvuky\\traktor.wav"});
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_GE(stops[0].at, kShown);
}

TEST_F(DetailDeactivate, OpeningOverAScreenThatStopsSoundsKeepsTheDescriptionAndShowsItsFirstPage) {
    // A game below stops every sound when it is deactivated.
    TTestScreen* game = nullptr;
    h().At(kOpen - 100, [&] {
        game = new TTestScreen(nullptr);
        game->OnDeactivate = [](TObject*) { PlaySoundFile(""); };
        game->Show();
    });
    OpenPageAt(kOpen, 4, false);
    h().At(kOpen + 1, [&] {
        // Shown, with its first text page in, during the first page's pause.
        ASSERT_TRUE(wndDetailProfese->Showing());
        EXPECT_EQ(wndDetailProfese->Popis->Text().find("Popis"), String::npos);
        EXPECT_NE(wndDetailProfese->Popis->Text().find(wndDetailProfese->Pages[0].Text.substr(0, 10)),
                  String::npos);
    });
    h().At(kShown, [] { Application->Terminate(); });
    RunProgram();
    EXPECT_EQ(SoundStarts("detaily\\zvuky\\traktor.wav").size(), 1u);
    EXPECT_TRUE(Notices({"sound stop ch0", "traktor.wav"}).empty());
}

}  // namespace

namespace {

class DetailPicture : public ProgramTest {};

TEST_F(DetailPicture, AClickOnThePicturePlaysTheAnimationOnThePage) {
    OpenPageAt(kOpen, 4);
    Surface before;
    h().At(kShown, [&] { before = h().ScreenSurface(); });
    h().Click(kShown + 10, 200, 200);
    bool changed = false;
    h().At(kShown + 500, [&] {
        // A frame of the animation is on the page's window at the script's place.
        const Surface& now = h().ScreenSurface();
        for (int y = 170; y < 260 && !changed; ++y)
            for (int x = 136; x < 256 && !changed; ++x) changed = now.Get(x, y) != before.Get(x, y);
    });
    EndAt(kShown + 3000);
    RunProgram();
    EXPECT_TRUE(changed);
    EXPECT_EQ(SoundStarts("wavfil.wav").size(), 1u);  // the animation's sound, copied there
}

TEST_F(DetailPicture, TheTextTakesNoFocusItGoesOnToTheHiddenField) {
    OpenPageAt(kOpen, 4);
    h().Click(kShown, 500, 200);
    h().At(kShown + 200, [] {
        EXPECT_EQ(wndDetailProfese->ActiveControl(), wndDetailProfese->edKurzor);
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
