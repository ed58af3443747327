// The program started in-process on the headless backend: single instance,
// the video module check, the display switch, the application's exception
// handler, the splash and failures of start-up itself.
#include "shell/UKonec.h"
#include "shell/UPodklad.h"
#include "shell/Velamo.h"
#include "shell_test_support.h"

using namespace shelltest;

namespace {

const String kFileError = "Nelze načíst vyžadovaný soubor. Aplikace bude ukončena.";
const String kDisplayRefused =
    "Grafická karta neumožňuje okamžité přepnutí rozlišení monitoru.\n\rBude uchováno aktuální rozlišení";

const sys::DisplayMode kDesktop{1024, 768, 32, 60};
const sys::DisplayMode kProgramMode{640, 480, 16, 60};

std::vector<String> ChangeList() {
    std::vector<String> out;
    for (const sys::DisplayChange& c : sys::DisplayChanges()) out.push_back(sys::DescribeMode(c.mode));
    return out;
}

class ShellStartup : public ShellTest {
protected:
    ShellStartup() { sys::ConfigureDisplay({{640, 480, 8, 60}, kProgramMode}, kDesktop); }

    // Runs the program; the time it ended at.
    std::uint64_t RunProgram() {
        exitCode_ = VelamoMain();
        return h().Now();
    }
    int exitCode_ = -1;
};

TEST_F(ShellStartup, SecondInstanceEndsAtOnceWithoutWindowOrMessage) {
    CreateMutexA(nullptr, FALSE, "Velamo2005");  // the first instance
    EXPECT_EQ(RunProgram(), 0u);
    EXPECT_EQ(exitCode_, 0);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_TRUE(h().MessageBoxes().empty());
    EXPECT_TRUE(sys::DisplayChanges().empty());
}

TEST_F(ShellStartup, MissingVideoModuleStopsBeforeAnythingIsShown) {
    TempFolder system;
    system.Write("avifil32.so", "present");  // only one of the two
    sys::SetModuleFolderForTests(system.Path(""));
    RunProgram();
    EXPECT_EQ(exitCode_, 1);
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text,
              "Aplikace vyžaduje přítomnost knihoven \"AVIFIL32.DLL\" a \"MSVFW32.DLL\".");
    EXPECT_EQ(h().MessageBoxes()[0].caption, "Velamo");
    EXPECT_EQ(h().MessageBoxes()[0].flags, UINT(MB_ICONSTOP));
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_TRUE(sys::DisplayChanges().empty());
}

TEST_F(ShellStartup, RefusedDisplayModeIsReportedOnceInTheRun) {
    sys::ConfigureDisplay({{640, 480, 8, 60}}, kDesktop);
    for (std::uint64_t t : {12000, 14000}) {
        h().FocusLost(t);
        h().FocusGained(t + 1000);
    }
    h().At(16000, [] { Application->Terminate(); });
    RunProgram();
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text, kDisplayRefused);
    EXPECT_EQ(h().MessageBoxes()[0].caption, "Velamo");
    EXPECT_EQ(h().MessageBoxes()[0].flags, UINT(MB_ICONINFORMATION));
    EXPECT_LT(h().MessageBoxes()[0].at, 100u);
    EXPECT_EQ(sys::CurrentDisplayMode(), kDesktop);
}

TEST_F(ShellStartup, ActivationSwitchesAndDeactivationRestoresEachTime) {
    for (std::uint64_t t : {12000, 14000}) {
        h().FocusLost(t);
        h().FocusGained(t + 1000);
    }
    h().At(16000, [] { Application->Terminate(); });
    RunProgram();
    EXPECT_EQ(ChangeList(), (std::vector<String>{"640x480x16", "1024x768x32", "640x480x16", "1024x768x32",
                                                 "640x480x16", "1024x768x32"}));
    EXPECT_TRUE(h().MessageBoxes().empty());
}

// A form of the running program whose timer (every 100 ms) or click runs
// `failure` the first time.
struct FailingForm {
    void Install(std::function<void()> failure) {
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        auto run = [this, failure](TObject*) {
            ++runs;
            if (runs == 1) failure();
            ++runsCompleted;
        };
        timer = new TTimer(form);
        timer->SetInterval(100);
        timer->OnTimer = run;
        form->OnClick = run;
    }
    TForm* form = nullptr;
    TTimer* timer = nullptr;
    int runs = 0;
    int runsCompleted = 0;
};

struct FileFailureCase {
    const char* name;
    bool byClick;  // else by a timer
    std::function<void()> failure;
};

void PrintTo(const FileFailureCase& c, std::ostream* os) { *os << c.name; }

class ShellFileFailure : public ShellStartup, public ::testing::WithParamInterface<FileFailureCase> {};

TEST_P(ShellFileFailure, ShowsTheStopMessageAndEndsWithTheDisplayRestored) {
    const FileFailureCase& c = GetParam();
    FailingForm failing;
    h().At(12000, [&] {
        failing.Install(c.failure);
        if (c.byClick) {
            failing.timer->SetEnabled(false);
            failing.form->Show();
        }
    });
    if (c.byClick) h().Click(12100, 300, 300);
    const std::uint64_t end = RunProgram();
    EXPECT_EQ(end, c.byClick ? 12100u + headless::Harness::kClickHoldMs : 12100u);
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text, kFileError);
    EXPECT_EQ(h().MessageBoxes()[0].caption, "Velamo");
    EXPECT_EQ(h().MessageBoxes()[0].flags, UINT(MB_ICONSTOP));
    EXPECT_EQ(failing.runsCompleted, 0);
    EXPECT_EQ(sys::CurrentDisplayMode(), kDesktop);
    EXPECT_EQ(ChangeList().back(), "1024x768x32");
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, ShellFileFailure,
    ::testing::Values(
        FileFailureCase{"TimerPictureLoad", false, [] { TBitmap().LoadFromFile(AppDir + "hl_obr\\missing.bmp"); }},
        FileFailureCase{"TimerTextInMessage", false,
                        [] { throw Exception("while reading: Cannot open file x.dat"); }},
        FileFailureCase{"ClickPictureLoad", true, [] { TBitmap().LoadFromFile(AppDir + "missing.bmp"); }}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(ShellStartup, OtherExceptionsOnlyLeaveTheirHandler) {
    FailingForm failing;
    h().At(12000, [&] { failing.Install([] { StrToInt("zwei"); }); });
    h().At(12500, [] { Application->Terminate(); });
    RunProgram();
    EXPECT_TRUE(h().MessageBoxes().empty());
    EXPECT_GE(failing.runs, 4);  // the program and the timer went on
    EXPECT_EQ(failing.runsCompleted, failing.runs - 1);
}

TEST_F(ShellStartup, MissingSplashPictureStopsTheProgramWithTheDisplayRestored) {
    TempFolder tree;
    for (const char* f : {"hl_obr/ano.bmp", "hl_obr/ne.bmp"}) tree.CopyFromTree(f);
    UseAppFolder(tree.Dir());
    RunProgram();
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    EXPECT_EQ(h().MessageBoxes()[0].text, kFileError);
    EXPECT_EQ(ChangeList(), (std::vector<String>{"640x480x16", "1024x768x32"}));
    EXPECT_TRUE(wndKonec == nullptr || !wndKonec->Visible());
}

TEST_F(ShellStartup, SplashShowsUntilItsEleventhTick) {
    auto splash = LoadPicture(kAppDir + "hl_obr/splash.bmp");
    bool shownBefore = false, hiddenAfter = false, pictureShown = false;
    h().At(5000, [&] { pictureShown = ScreenShows(h(), *splash, 0, 0, 0, 0, 640, 480); });
    h().At(10990, [&] { shownBefore = wndKonec->Visible(); });
    h().At(11001, [&] { hiddenAfter = !wndKonec->Visible() && !wndKonec->Timer->Enabled(); });
    h().At(11500, [] { Application->Terminate(); });
    RunProgram();
    EXPECT_TRUE(pictureShown);
    EXPECT_TRUE(shownBefore);
    EXPECT_TRUE(hiddenAfter);
    EXPECT_TRUE(SoundStarts("").empty());
}

// At 100 ms the start-up still pauses in the splash's show, and the focus
// step finds it gone; at 3000 ms the message loop runs.
class ShellSplashClick : public ShellStartup, public ::testing::WithParamInterface<std::uint64_t> {};

TEST_P(ShellSplashClick, HidesItAtOnceWithoutAnimationOrSound) {
    const std::uint64_t at = GetParam();
    h().Click(at, 320, 240);
    bool hidden = false;
    h().At(at + headless::Harness::kClickHoldMs + 1, [&] { hidden = !wndKonec->Visible(); });
    h().At(6000, [] { Application->Terminate(); });
    RunProgram();
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(wndKonec->Timer->Enabled());
    EXPECT_FALSE(wndKonec->SplashMode);
    EXPECT_TRUE(SoundStarts("").empty());
    EXPECT_NE(Screen->ActiveForm(), wndKonec);
}

INSTANTIATE_TEST_SUITE_P(Times, ShellSplashClick, ::testing::Values(100, 3000));

TEST_F(ShellStartup, RunningProgramHasItsTitleCursorsAndBlackBackdrop) {
    bool black = false, cursorsLoaded = false, title = false;
    h().At(12000, [&] {
        // The backdrop lies under every screen: black, disabled, filling the display.
        auto forms = h().VisibleForms();
        black = !forms.empty() && forms.front() == wndPodklad && wndPodklad->Color() == clBlack &&
                !wndPodklad->Enabled() && wndPodklad->Width() == 640 && wndPodklad->Height() == 480;
        cursorsLoaded = Screen->Cursors(1)->hasImage && Screen->Cursors(2)->hasImage && Screen->Cursors(3)->hasImage;
        title = Application->Title() == "Velamo";
        Application->Terminate();
    });
    RunProgram();
    EXPECT_TRUE(black);
    EXPECT_TRUE(cursorsLoaded);
    EXPECT_TRUE(title);
}

}  // namespace
