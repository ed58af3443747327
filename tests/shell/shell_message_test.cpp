// The message window for every id: its picture over the darkened snapshot,
// its buttons with their pictures, its sound and text, and what its answers
// do to the asking screen (small test screens implementing the interface).
#include "platform/media/sound.h"
#include "shell/UHlaska.h"
#include "shell_test_support.h"

using namespace shelltest;

namespace {

constexpr TColor kMessageColour = RGBColor(10, 200, 30);

// What an asking screen was asked to do; it outlives the screen.
struct AskLog {
    int Rounds = 0;
    int Leaves = 0;
    bool WindowShownDuringRound = false;
    bool SoundPlayingDuringRound = true;
};

// A screen that asks: notes its new rounds and, asked to leave, closes
// itself (it is then freed) and shows its menu.
class TAskingScreen : public TTestScreen, public THlaskaScreen {
public:
    TAskingScreen(TComponent* AOwner, AskLog& log) : TTestScreen(AOwner), Log(log) {
        OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    }
    void StartNewRound() override {
        ++Log.Rounds;
        Log.WindowShownDuringRound = wndHlaska->Visible();
        Log.SoundPlayingDuringRound = SoundIsPlaying();
    }
    void CloseAndShowMenu() override {
        ++Log.Leaves;
        Menu->Show();
        Close();
    }
    AskLog& Log;
    TForm* Menu = nullptr;
};

// A 200x80 message picture: magenta all round a 100x40 block in its middle.
std::unique_ptr<TBitmap> MessagePicture() {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(200, 80);
    b->Canvas()->Brush.Color = clFuchsia;
    b->Canvas()->FillRect(Rect(0, 0, 200, 80));
    b->Canvas()->Brush.Color = kMessageColour;
    b->Canvas()->FillRect(Rect(50, 20, 150, 60));
    return b;
}

struct ButtonExpectation {
    const char* pictures;  // "" when the button stays hidden
    TRect bounds;
};

struct MessageCase {
    const char* id;
    const char* sound;  // relative to AppDir
    bool screensSound;  // the sound is the screen's HlaskaSound
    ButtonExpectation yes;
    ButtonExpectation no;
    bool text;
    bool yesStartsRound;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.id; }

const ButtonExpectation kPok{"pok", Bounds(179, 268, 124, 29)};
const ButtonExpectation kKonec{"konec", Bounds(337, 268, 123, 29)};
const ButtonExpectation kAno{"ano", Bounds(203, 268, 76, 29)};
const ButtonExpectation kNe{"ne", Bounds(360, 268, 76, 29)};
const ButtonExpectation kOk{"ok", Bounds(286, 268, 69, 29)};
const ButtonExpectation kNone{"", Bounds(0, 0, 0, 0)};

const MessageCase kCases[] = {
    {"Letadlo", "hry\\kdopatri\\hlaska.wav", false, kPok, kKonec, true, true},
    {"Sloup", "hry\\kdotoje\\a_hlaska.wav", false, kPok, kKonec, true, true},
    {"Zahradnik", "hry\\kdotoje\\b_hlaska.wav", false, kPok, kKonec, true, true},
    {"Dvojice", "hry\\dvojice\\hlaska2.wav", true, kAno, kNe, false, true},
    {"Poradek", "hry\\poradek\\hlaska.wav", false, kAno, kNe, false, true},
    {"Pexeso", "hry\\pexeso\\hlaska1.wav", true, kAno, kNe, false, true},
    {"Instal1Vse", "simul\\instal\\hl_vse.wav", true, kOk, kNone, false, false},
    {"Instal1OK", "simul\\instal\\hl_ok.wav", true, kAno, kNe, false, true},
    {"Instal1KO", "simul\\instal\\hl_ko.wav", true, kAno, kNe, false, true},
    {"Instal2OK", "simul\\instal\\hl_ok.wav", true, kAno, kNe, false, true},
    {"Instal2KO", "simul\\instal\\hl_ko.wav", true, kAno, kNe, false, true},
    {"Hasic", "simul\\hasic\\hlaska.wav", false, kAno, kNe, false, true},
    {"Tabulka", "simul\\hasic\\hlaska.wav", false, kAno, kNe, false, true},
};

TPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

class ShellMessage : public ShellTest, public ::testing::WithParamInterface<MessageCase> {
protected:
    ShellMessage() {
        Application->CreateForm(wndHlaska);
        menu_ = new TTestScreen(nullptr);
        asker_ = new TAskingScreen(nullptr, log_);
        asker_->BindGlobal(asker_);
        asker_->Menu = menu_;
        asker_->Show();
    }
    void Ask() {
        const MessageCase& c = GetParam();
        if (c.screensSound) asker_->HlaskaSound = AppDir + c.sound;
        auto message = MessagePicture();
        ShowGameMessage(c.id, asker_, asker_->Buffer.get(), message.get(), "Kominík");
    }
    AskLog log_;
    TTestScreen* menu_;
    TAskingScreen* asker_;
};

TEST_P(ShellMessage, ShowsItsPictureButtonsTextAndSound) {
    const MessageCase& c = GetParam();
    Ask();
    h().RunFor(100);
    ASSERT_TRUE(wndHlaska->Visible());
    // The picture centred at ((640 - 200) / 2, (480 - 80) / 2), magenta
    // letting the darkened screen through.
    EXPECT_EQ(h().Pixel(275, 257), kMessageColour);  // beside the text line
    for (TPoint p : {TPoint{225, 205}, TPoint{5, 5}, TPoint{600, 470}, TPoint{415, 275}})
        EXPECT_EQ(h().Pixel(p.X, p.Y), Dimmed(PatternColour(p.X, p.Y))) << p.X << ", " << p.Y;

    for (auto [button, want] : {std::pair{wndHlaska->YesButton, c.yes}, std::pair{wndHlaska->NoButton, c.no}}) {
        SCOPED_TRACE(want.pictures);
        EXPECT_EQ(button->Visible(), *want.pictures != 0);
        if (!*want.pictures) continue;
        EXPECT_EQ(button->BoundsRect(), want.bounds);
        const String base = kAppDir + "hl_obr/hlasky/" + want.pictures;
        for (auto [bitmap, suffix] : {std::pair{button->HoverBitmap.get(), "2"}, std::pair{button->NormalBitmap.get(), "1"},
                                      std::pair{button->PressedBitmap.get(), "3"}}) {
            auto file = LoadPicture(base + suffix + ".bmp");
            EXPECT_EQ(bitmap->Pixels().pixels, file->Pixels().pixels) << suffix;
        }
    }
    // Hovering shows the hover picture at the button's place.
    h().MoveTo(h().Now() + 10, Centre(c.yes.bounds).X, Centre(c.yes.bounds).Y);
    h().RunFor(20);
    EXPECT_TRUE(ScreenShows(h(), *wndHlaska->YesButton->HoverBitmap, 0, 0, c.yes.bounds.Left, c.yes.bounds.Top,
                            c.yes.bounds.Width(), c.yes.bounds.Height()));

    EXPECT_EQ(wndHlaska->Text->Visible(), c.text);
    if (c.text) {
        EXPECT_EQ(wndHlaska->Text->Caption(), "Kominík");
    }
    auto sounds = SoundStarts(c.sound);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].at, 0u);
    EXPECT_NE(sounds[0].text.find(kAppDir), String::npos);
}

TEST_P(ShellMessage, YesStartsANewRoundWhileShownThenHides) {
    const MessageCase& c = GetParam();
    Ask();
    const TPoint yes = Centre(c.yes.bounds);
    h().Click(100, yes.X, yes.Y);
    h().RunFor(400);
    EXPECT_FALSE(wndHlaska->Visible());
    EXPECT_TRUE(asker_->Visible());
    EXPECT_EQ(log_.Rounds, c.yesStartsRound ? 1 : 0);
    if (c.yesStartsRound) {
        EXPECT_TRUE(log_.WindowShownDuringRound);
        EXPECT_FALSE(log_.SoundPlayingDuringRound);
    }
    EXPECT_EQ(Notices({"sound stop ch0", c.sound}).size(), 1u);
    EXPECT_EQ(log_.Leaves, 0);
}

TEST_P(ShellMessage, NoClosesTheScreenAndShowsItsMenu) {
    const MessageCase& c = GetParam();
    Ask();
    const TPoint no = Centre(*c.no.pictures ? c.no.bounds : Bounds(360, 268, 76, 29));
    h().Click(100, no.X, no.Y);
    h().RunFor(400);
    if (!*c.no.pictures) {  // a single button: nothing there to press
        EXPECT_TRUE(wndHlaska->Visible());
        EXPECT_EQ(log_.Leaves, 0);
        return;
    }
    EXPECT_FALSE(wndHlaska->Visible());
    EXPECT_EQ(log_.Leaves, 1);
    EXPECT_EQ(asker_, nullptr);  // closed, freed
    EXPECT_TRUE(menu_->Visible());
    EXPECT_EQ(Screen->ActiveForm(), menu_);
    EXPECT_EQ(log_.Rounds, 0);
}

INSTANTIATE_TEST_SUITE_P(Ids, ShellMessage, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return String(info.param.id); });

class ShellMessageWindow : public ShellTest {
protected:
    ShellMessageWindow() { Application->CreateForm(wndHlaska); }
};

TEST_F(ShellMessageWindow, TableHoldsTheThirteenIdsExactly) {
    int count = 0;
    HlaskaEntries(count);
    EXPECT_EQ(count, 13);
    for (const MessageCase& c : kCases) EXPECT_NE(FindHlaskaEntry(c.id), nullptr) << c.id;
    for (const char* other : {"letadlo", "Instal1", "", "Hasic "}) EXPECT_EQ(FindHlaskaEntry(other), nullptr);
}

TEST_F(ShellMessageWindow, UnknownIdShowsNothing) {
    TTestScreen screen(nullptr);
    auto message = MessagePicture();
    ShowGameMessage("Unknown", nullptr, screen.Buffer.get(), message.get());
    h().RunFor(100);
    EXPECT_FALSE(wndHlaska->Visible());
    EXPECT_TRUE(SoundStarts("").empty());
}

TEST_F(ShellMessageWindow, ScreenFreedWhileAskingIsNotCalled) {
    AskLog log;
    auto* asker = new TAskingScreen(nullptr, log);
    asker->Show();
    auto message = MessagePicture();
    ShowGameMessage("Poradek", asker, asker->Buffer.get(), message.get());
    h().Click(100, 241, 282);  // yes
    h().At(160, [&] { asker->Free(); });  // during the answer's pause
    h().RunFor(400);
    EXPECT_FALSE(wndHlaska->Visible());
    EXPECT_EQ(wndHlaska->Asker, nullptr);
    EXPECT_EQ(log.Rounds, 0);
}

TEST_F(ShellMessageWindow, SecondPressDuringTheAnswerIsIgnored) {
    AskLog log;
    auto* asker = new TAskingScreen(nullptr, log);
    asker->Show();
    auto message = MessagePicture();
    ShowGameMessage("Poradek", asker, asker->Buffer.get(), message.get());
    h().Click(100, 241, 282);  // yes, answered at 250
    h().Click(170, 241, 282);  // yes again during the pause
    h().RunFor(500);
    EXPECT_EQ(log.Rounds, 1);
}

}  // namespace
