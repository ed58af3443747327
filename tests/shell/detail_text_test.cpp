// The detail page's timed text pages, on a text file of the test's own: the
// split into pages, the timer, the arrows, the page slider and the name.
#include "town_test_support.h"

using namespace towntest;

namespace {

std::vector<std::string> PagesEvery1000(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("@" + std::to_string(i * 1000));
        lines.push_back("Strana " + std::to_string(i));
    }
    return lines;
}

std::vector<std::string> FixtureText() {
    std::vector<std::string> lines = {"[traktor]", "Traktorista", "@0", "A", "B", "@4000", "C",
                                      "[namor]", "Námořník", "@0", "Jediná strana",
                                      "[hornik]", "Horník",
                                      "[muzikant]", "Muzikant", "@0", "M",
                                      "[vojak]", "Voják", "X", "@abc", "Y", "@2000", "Z"};
    lines.push_back("[hajny]");
    lines.push_back("Hajný");
    for (const std::string& l : PagesEvery1000(10)) lines.push_back(l);
    lines.push_back("[dvrubec]");
    lines.push_back("Dřevorubec");
    for (const std::string& l : PagesEvery1000(7)) lines.push_back(l);
    return lines;
}

constexpr std::uint64_t kOpen = kReady;
constexpr int kArrowX = 396;
constexpr int kUpY = 54;
constexpr int kDownY = 386;

class DetailText : public ProgramTest {
protected:
    DetailText() : tree_({"profese.dat"}) {
        tree_.Folder().Write("profese.dat", ScrambledTextFile(FixtureText()));
        UseAppFolder(tree_.Dir());
    }
    static TwndDetailProfese* Page() { return wndDetailProfese; }
    static String Shown() { return Page()->Popis->Text(); }
    // Presses an arrow (any press acts) and lets its page's pause pass.
    void Press(std::uint64_t at, int y) {
        h().MouseDown(at, kArrowX, y);
        h().MouseUp(at + 20, kArrowX, y);
    }
    // Drags the page slider from its top `from` so that its top would be `to`.
    void DragSlider(std::uint64_t at, int from, int to) {
        h().MouseDown(at, 396, from + 5);
        h().MoveTo(at + 10, 396, to + 5);
        h().MouseUp(at + 200, 396, to + 5);
    }
    TreeCopy tree_;
};

TEST_F(DetailText, TwoPagesTurnWithTheSpeechEachAfterItsPause) {
    OpenPageAt(kOpen, 4);
    h().At(kOpen + 99, [] {
        ASSERT_EQ(Page()->Pages.size(), 2u);
        EXPECT_EQ(Page()->Pages[0].StartTime, 0);
        EXPECT_EQ(Page()->Pages[0].Text, "A\r\nB");
        EXPECT_EQ(Page()->Pages[1].StartTime, 4000);
        EXPECT_EQ(Page()->Pages[1].Text, "C");
        EXPECT_EQ(Shown(), "AB\r\n");  // the line end is no break in rich text
        EXPECT_FALSE(Page()->Timer->Enabled());
    });
    h().At(kOpen + 101, [] {
        EXPECT_TRUE(Page()->Timer->Enabled());
        EXPECT_EQ(Page()->Timer->Interval(), 4000);
        EXPECT_EQ(Page()->Slider->Top(), 64);
    });
    h().At(kOpen + 4150, [] {
        EXPECT_EQ(Page()->PageIndex, 1);  // turned at 4100, shown after its pause
        EXPECT_EQ(Shown(), "AB\r\n");
    });
    h().At(kOpen + 4201, [] {
        EXPECT_EQ(Shown(), "C\r\n");
        EXPECT_FALSE(Page()->Timer->Enabled());
        EXPECT_EQ(Page()->Slider->Top(), 364);
    });
    EndAt(kOpen + 9000);
    RunProgram();
    EXPECT_EQ(Page()->PageIndex, 1);
    EXPECT_EQ(Page()->lbNazev->Caption(), "Traktorista");
    auto spoken = SoundStarts("detaily\\zvuky\\traktor.wav");
    ASSERT_EQ(spoken.size(), 1u);
    EXPECT_EQ(spoken[0].at, kOpen);
}

TEST_F(DetailText, OnePageShowsWithTheSliderAtTheTopAndNoTimer) {
    OpenPageAt(kOpen, 43);
    h().At(kOpen + 200, [] {
        EXPECT_EQ(Shown(), "Jediná strana\r\n");
        EXPECT_EQ(Page()->Slider->Top(), 64);
        EXPECT_FALSE(Page()->Timer->Enabled());
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(DetailText, TenPagesSliderTopsAndTheDragToTop94) {
    OpenPageAt(kOpen, 1);
    const std::vector<int> tops = {64, 92, 122, 152, 182, 212, 242, 272, 302, 364};
    std::vector<int> seen;
    h().At(kOpen + 200, [&] { seen.push_back(Page()->Slider->Top()); });
    for (int i = 1; i < 10; ++i) {
        const std::uint64_t at = kOpen + 200 + std::uint64_t(i) * 300;
        Press(at, kDownY);
        h().At(at + 250, [&] { seen.push_back(Page()->Slider->Top()); });
    }
    EndAt(kOpen + 3500);
    RunProgram();
    EXPECT_EQ(seen, tops);
}

TEST_F(DetailText, DragToTop94SelectsPageOne) {
    OpenPageAt(kOpen, 1);
    DragSlider(kOpen + 200, 64, 94);
    h().At(kOpen + 400, [] {
        EXPECT_EQ(Page()->PageIndex, 1);
        EXPECT_EQ(Shown(), "Strana 1\r\n");
        EXPECT_EQ(Page()->Slider->Top(), 92);
        EXPECT_FALSE(Page()->AutoAdvance);
        Application->Terminate();
    });
    RunProgram();
}

struct SevenCase {
    int top;
    int index;      // what the slider selects
    const char* shown;
};
void PrintTo(const SevenCase& c, std::ostream* os) { *os << c.top; }


class DetailSevenPages : public DetailText, public ::testing::WithParamInterface<SevenCase> {};

TEST_P(DetailSevenPages, TheTrackEndSelectsOnePastTheLastPageAndShowsNothing) {
    const SevenCase c = GetParam();
    OpenPageAt(kOpen, 2);
    DragSlider(kOpen + 200, 64, c.top);
    h().At(kOpen + 350, [&] {
        EXPECT_EQ(Page()->PageIndex, c.index);
        EXPECT_EQ(Shown(), c.shown);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Tops, DetailSevenPages,
                         ::testing::Values(SevenCase{357, 6, "Strana 6\r\n"}, SevenCase{358, 7, "Strana 0\r\n"},
                                           SevenCase{363, 7, "Strana 0\r\n"}),
                         [](const auto& info) { return std::to_string(info.param.top); });

TEST_F(DetailText, ASliderMoveDuringAPagesPauseToPastTheLastPageReadsNoFurther) {
    // The down arrow's page waits its pause; meanwhile the slider selects
    // index 7 of seven pages. The outer page then finishes with that index:
    // it is taken as the last page (no next start time is read).
    OpenPageAt(kOpen, 2);
    Press(kOpen + 200, kDownY);
    h().MouseDown(kOpen + 230, 396, 69);
    h().MoveTo(kOpen + 240, 396, 69 + 294);
    h().MouseUp(kOpen + 260, 396, 69 + 294);
    h().At(kOpen + 400, [] {
        EXPECT_EQ(Page()->PageIndex, 7);
        EXPECT_EQ(Shown(), "Strana 1\r\n");
        EXPECT_FALSE(Page()->Timer->Enabled());
        Application->Terminate();
    });
    RunProgram();
}

struct ArrowCase {
    const char* name;
    std::vector<int> presses;  // arrow tops in order
    int index;
    const char* shown;
};
void PrintTo(const ArrowCase& c, std::ostream* os) { *os << c.name; }


class DetailArrows : public DetailText, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(DetailArrows, AtEitherEndShowTheSamePageAndEndAutomaticTurning) {
    const ArrowCase c = GetParam();
    OpenPageAt(kOpen, 4);
    std::uint64_t at = kOpen + 200;
    for (int y : c.presses) {
        Press(at, y);
        at += 300;
    }
    h().At(at, [&] {
        EXPECT_FALSE(Page()->Timer->Enabled());
        EXPECT_FALSE(Page()->AutoAdvance);
    });
    h().At(kOpen + 8000, [&] {
        EXPECT_EQ(Page()->PageIndex, c.index);
        EXPECT_EQ(Shown(), c.shown);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Ends, DetailArrows,
                         ::testing::Values(ArrowCase{"UpOnTheFirst", {kUpY}, 0, "AB\r\n"},
                                           ArrowCase{"DownOnTheLast", {kDownY, kDownY, kDownY}, 1, "C\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    Byte number;
    int points;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << int(c.number); }


class DetailNameSize : public DetailText, public ::testing::WithParamInterface<NameCase> {};

TEST_P(DetailNameSize, MuzikantIsSetInThirteenPointsEveryOtherInFourteen) {
    OpenPageAt(kOpen, GetParam().number);
    h().At(kOpen + 200, [&] {
        EXPECT_EQ(Page()->lbNazev->Font()->GetSize(), GetParam().points);
        Application->Terminate();
    });
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Codes, DetailNameSize, ::testing::Values(NameCase{35, 13}, NameCase{4, 14}),
                         [](const auto& info) { return std::to_string(info.param.number); });

struct EmptyCase {
    const char* name;
    Byte number;
    const char* caption;
};
void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.name; }


class DetailNoPages : public DetailText, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(DetailNoPages, KeepsTheDesignTextsPlaysTheDescriptionAndTheArrowsDoNothing) {
    const EmptyCase c = GetParam();
    OpenPageAt(kOpen, c.number);
    Press(kOpen + 200, kDownY);
    Press(kOpen + 500, kUpY);
    DragSlider(kOpen + 800, 64, 100);
    h().At(kOpen + 1200, [&] {
        ASSERT_TRUE(Page()->Showing());
        EXPECT_TRUE(Page()->Pages.empty());
        EXPECT_EQ(Page()->lbNazev->Caption(), c.caption);
        EXPECT_EQ(Shown(), "Popis\r\n");
        EXPECT_EQ(Page()->Slider->Top(), 64);
        Application->Terminate();
    });
    RunProgram();
    EXPECT_EQ(SoundStarts(std::string("detaily\\zvuky\\") + DetailCodeFor(c.number) + ".wav").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Sections, DetailNoPages,
                         ::testing::Values(EmptyCase{"WithoutASection", 5, "lbNazev"},
                                           EmptyCase{"WithoutPages", 3, "Horník"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DetailText, MalformedStartLinesKeepTheirText) {
    // A text line before the first start line opens a page at 0; a start
    // line without a number takes the start time of the page before.
    OpenPageAt(kOpen, 6);
    h().At(kOpen + 200, [] {
        ASSERT_EQ(Page()->Pages.size(), 3u);
        EXPECT_EQ(Page()->Pages[0].StartTime, 0);
        EXPECT_EQ(Page()->Pages[0].Text, "X");
        EXPECT_EQ(Page()->Pages[1].StartTime, 0);
        EXPECT_EQ(Page()->Pages[1].Text, "Y");
        EXPECT_EQ(Page()->Pages[2].StartTime, 2000);
        EXPECT_EQ(Shown(), "X\r\n");
    });
    h().At(kOpen + 220, [] {
        // Page 1 is due at once (interval 0 never fires): the timer is on but
        // silent, so the pages stay where they are.
        EXPECT_EQ(Page()->Timer->Interval(), 0);
        EXPECT_EQ(Page()->PageIndex, 0);
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
