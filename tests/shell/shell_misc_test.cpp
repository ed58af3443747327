// The shared routines: data roots, cursors, the message-pumping wait, the
// strip animation, spoken help, text scrambling and the section lookup.
#include "shell_test_support.h"
#include "shell/UVelamo.h"

using namespace shelltest;

namespace {

// ---------------------------------------------------------------------------
// Data roots and cursors

class ShellMisc : public ShellTest {};

TEST_F(ShellMisc, DataRootsAreTheProgramFilesFolder) {
    Application->SetExeName("/opt/velamo/Velamo");
    InitPaths();
    EXPECT_EQ(AppDir, "/opt/velamo/");
    EXPECT_EQ(DataDir, "/opt/velamo/");
    InitSoundPaths();
    EXPECT_EQ(ClickSound, "/opt/velamo/sound\\click.wav");
    EXPECT_EQ(EnterSound, "/opt/velamo/sound\\enter.wav");
}

TEST_F(ShellMisc, CursorsFromTheirFilesOrTheStandardOnes) {
    struct Case {
        const char* name;
        std::vector<std::string> present;  // of arrow, hand, help
    };
    const Case cases[] = {
        {"all present", {"arrow", "hand", "help"}},
        {"hand missing", {"arrow", "help"}},
        {"none present", {}},
    };
    const std::pair<const char*, TCursor> table[] = {{"arrow", crArrow}, {"hand", crHandPoint}, {"help", crHelp}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tree;
        for (const std::string& name : c.present) tree.CopyFromTree("cur/" + name + ".cur");
        UseAppFolder(tree.Dir());
        LoadCursors();
        for (int index = 1; index <= 3; ++index) {
            auto [name, standard] = table[index - 1];
            const bool present = std::find(c.present.begin(), c.present.end(), name) != c.present.end();
            SCOPED_TRACE(name);
            ASSERT_NE(Screen->Cursors(index), nullptr);
            EXPECT_EQ(Screen->Cursors(index)->hasImage, present);
            if (!present) {
                EXPECT_EQ(Screen->Cursors(index), Screen->Cursors(standard));
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Delay

struct DelayCase {
    const char* name;
    std::uint32_t startTick;
    DWORD ms;
    std::uint64_t waited;  // virtual ms
    bool messagesRun;
};

void PrintTo(const DelayCase& c, std::ostream* os) { *os << c.name; }

headless::Harness::Options StartingAt(std::uint32_t tick) {
    headless::Harness::Options o;
    o.startTick = tick;
    return o;
}

class ShellDelay : public ShellTest, public ::testing::WithParamInterface<DelayCase> {
protected:
    ShellDelay() : ShellTest(StartingAt(GetParam().startTick)) {}
};

TEST_P(ShellDelay, WaitsOnTheWrappingTickWhileMessagesRun) {
    const DelayCase& c = GetParam();
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(70);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    bool posted = false;
    Application->Post(nullptr, [&] { posted = true; });
    const std::uint64_t start = h().Now();
    Delay(c.ms);
    EXPECT_EQ(h().Now() - start, c.waited);
    EXPECT_EQ(posted, c.messagesRun);
    EXPECT_EQ(ticks, int(c.waited / 70));
    form->Free();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShellDelay,
    ::testing::Values(DelayCase{"Zero", 0x10000, 0, 0, false},
                      DelayCase{"EndWrapsPast2To32", 0xFFFFFFFFu - 50, 100, 0, false},
                      DelayCase{"EndJustBelow2To32", 0xFFFFFFFFu - 150, 100, 100, true},
                      DelayCase{"Ordinary", 0x10000, 300, 300, true}),
    [](const auto& info) { return String(info.param.name); });

// ---------------------------------------------------------------------------
// Strip animation

// A canvas that notes the tick and the colour at one point on every change.
class RecordingCanvas : public TCanvas {
public:
    RecordingCanvas(int x, int y) : x_(x), y_(y) {
        surface_.Resize(200, 100, clBlack);
        SetTarget(&surface_);
    }
    void Changed(const TRect&) override { changes.push_back({GetTickCount(), surface_.Get(x_, y_)}); }
    std::vector<std::pair<DWORD, TColor>> changes;

private:
    Surface surface_;
    int x_, y_;
};

TColor FrameColour(int i) { return RGBColor(20 * i, 255 - 20 * i, 7 * i); }

TEST_F(ShellMisc, StripFramesGoToBothPicturesOneAfterAnotherWithThePause) {
    TBitmap strip;
    strip.SetSize(8 * 10, 5);
    for (int i = 1; i <= 8; ++i) {
        strip.Canvas()->Brush.Color = FrameColour(i);
        strip.Canvas()->FillRect(Bounds((i - 1) * 10, 0, 10, 5));
    }
    struct Case {
        const char* name;
        int frames;
        int delayMs;  // -1: AnimateStrip50
    };
    for (const Case& c : {Case{"eight of 150 ms", 8, 150}, Case{"fifty", 8, -1}, Case{"none", 0, 150}}) {
        SCOPED_TRACE(c.name);
        RecordingCanvas window(33, 24), buffer(33, 24);
        bool clicked = false;
        auto* form = new TForm(nullptr);
        form->OnClick = [&](TObject*) { clicked = true; };
        form->Show();
        h().Click(h().Now() + 10, 5, 5);  // arrives during the strip
        const DWORD t0 = GetTickCount();
        if (c.delayMs < 0) AnimateStrip50(&window, &buffer, strip.Canvas(), 30, 20, 10, 5, c.frames);
        else AnimateStrip(&window, &buffer, strip.Canvas(), 30, 20, 10, 5, c.frames, c.delayMs);
        const int pause = c.delayMs < 0 ? 50 : c.delayMs;
        EXPECT_EQ(GetTickCount() - t0, DWORD(c.frames * pause));
        EXPECT_FALSE(clicked);  // no input during the strip
        for (RecordingCanvas* canvas : {&window, &buffer}) {
            ASSERT_EQ(canvas->changes.size(), std::size_t(c.frames));
            for (int i = 0; i < c.frames; ++i) {
                EXPECT_EQ(canvas->changes[std::size_t(i)].first, t0 + DWORD(i * pause)) << i;
                EXPECT_EQ(canvas->changes[std::size_t(i)].second, FrameColour(i + 1)) << i;
            }
        }
        h().RunFor(200);
        EXPECT_TRUE(clicked);
        form->Free();
    }
}

// ---------------------------------------------------------------------------
// Spoken help

TEST_F(ShellMisc, HelpButtonPressedTwiceStartsThenStopsTheHelp) {
    Application->CreateForm(wndVelamo);
    ToggleHelp(AppDir + "sound\\help\\mesto.wav");
    EXPECT_EQ(wndVelamo->Prehravac->Mode(), mpPlaying);
    // Another screen's help button while help plays only stops it.
    ToggleHelp(AppDir + "sound\\help\\dvojice.wav");
    EXPECT_NE(wndVelamo->Prehravac->Mode(), mpPlaying);
    EXPECT_EQ(Notices({"help start ch1"}).size(), 1u);
    ToggleHelp(AppDir + "sound\\help\\dvojice.wav");
    EXPECT_EQ(wndVelamo->Prehravac->Mode(), mpPlaying);
    StopHelp();
    EXPECT_NE(wndVelamo->Prehravac->Mode(), mpPlaying);
    EXPECT_EQ(Notices({"help start ch1"}).size(), 2u);
}

TEST_F(ShellMisc, HelpWithoutTheTownWindowDoesNothing) {
    const std::size_t before = h().Notices().size();
    ToggleHelp(AppDir + "sound\\help\\mesto.wav");
    StopHelp();
    EXPECT_EQ(h().Notices().size(), before);
}

// ---------------------------------------------------------------------------
// Scrambling

std::string Contents(TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

void Fill(TMemoryStream& s, const std::string& bytes) { s.WriteBuffer(bytes.data(), std::int64_t(bytes.size())); }

TEST(ShellScramble, RoundTripsAndWorksTheWholeStreamFromItsStart) {
    std::string every;
    for (int b = 0; b < 256; ++b) every.push_back(char(b));
    struct Case {
        const char* name;
        std::string plain;
        std::int64_t startAt;
    };
    for (const Case& c : {Case{"abc", "abc", 0}, Case{"empty", "", 0}, Case{"at the end", "abcdef", 6},
                          Case{"in the middle", "abcdef", 2}, Case{"every byte", every, 100}}) {
        SCOPED_TRACE(c.name);
        TMemoryStream s;
        Fill(s, c.plain);
        s.SetPosition(c.startAt);
        ScrambleStream(s);
        EXPECT_EQ(s.GetPosition(), 0);
        ASSERT_EQ(s.GetSize(), std::int64_t(c.plain.size()));
        for (std::size_t i = 0; i < c.plain.size(); ++i) EXPECT_EQ(Byte(Contents(s)[i]), Byte(c.plain[i] ^ 0x3C));
        s.SetPosition(c.startAt);
        ScrambleStream(s);
        EXPECT_EQ(Contents(s), c.plain);
        EXPECT_EQ(s.GetPosition(), 0);
    }
}

TEST(ShellScramble, SectionLookupFindsOnlyWholeKeyLines) {
    TempFolder folder;
    // "Hasič" in code page 1250.
    TMemoryStream plain;
    Fill(plain, "intro [instal] here\r\n[hasic]\r\nHasi\xE8\r\n@\r\n0\r\n[malir]\r\nMal\xED\xF8\r\n");
    ScrambleStream(plain);
    plain.SaveToFile(folder.Path("profese.dat"));
    TStringList lines;
    LoadScrambledText(folder.Path("profese.dat"), lines);
    EXPECT_EQ(lines[2], "Hasič");
    struct Case {
        const char* code;
        int line;
    };
    for (const Case& c : {Case{"hasic", 1}, Case{"malir", 5}, Case{"instal", -1}, Case{"HASIC", -1},
                          Case{"kominik", -1}}) {
        EXPECT_EQ(FindSection(lines, c.code), c.line) << c.code;
    }
    EXPECT_THROW(LoadScrambledText(folder.Path("missing.dat"), lines), EFOpenError);
}

}  // namespace
