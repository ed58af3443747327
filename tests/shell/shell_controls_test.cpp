// The shared picture controls on a screen: button sounds that never cut a
// sound, the press order of the three-picture button, missing pictures,
// disabled labels, hover pictures that a repaint removes, the panel.
#include "shell_test_support.h"

using namespace shelltest;

namespace {

constexpr TColor kHover = RGBColor(200, 0, 0);
constexpr TColor kNormal = RGBColor(0, 200, 0);
constexpr TColor kPressed = RGBColor(0, 0, 200);

class ShellControls : public ShellTest {
protected:
    ShellControls() {
        for (auto [name, colour] : {std::pair{"b2.bmp", kHover}, std::pair{"b1.bmp", kNormal},
                                    std::pair{"b3.bmp", kPressed}}) {
            TBitmap b;
            b.SetSize(40, 20);
            b.Canvas()->Brush.Color = colour;
            b.Canvas()->FillRect(Rect(0, 0, 40, 20));
            b.SaveToFile(pictures_.Path(name));
        }
        InvalidatePathCache();
        screen_ = new TTestScreen(nullptr);
        screen_->Show();
        h().RunFor(10);
    }
    String Picture(const char* name) const { return pictures_.Path(name); }
    // Each made on the shown screen, which then paints its new area.
    TBMPLabel* NewBmpLabel() {
        return Painted(new TBMPLabel(screen_, Picture("b2.bmp"), Picture("b1.bmp"), 100, 100, 40, 20));
    }
    T3BMPLabel* New3BmpLabel(const char* pressed = "b3.bmp") {
        return Painted(
            new T3BMPLabel(screen_, Picture("b2.bmp"), Picture("b1.bmp"), Picture(pressed), 100, 100, 40, 20));
    }
    template <class T>
    T* Painted(T* label) {
        h().RunFor(5);
        return label;
    }
    TColor ButtonPixel() { return h().Pixel(120, 110); }
    // A long spoken text, as a detail page plays it.
    void StartSpeech() { PlaySoundFile(AppDir + "sound\\help\\mesto.wav"); }

    TempFolder pictures_;
    TTestScreen* screen_;
};

TEST_F(ShellControls, ButtonSoundsNeverCutASoundThatPlays) {
    struct Case {
        const char* name;
        bool threePictures;
        bool click;  // else the pointer comes onto the button
        const char* sound;
    };
    const Case cases[] = {
        {"picture button enter", false, false, "sound\\enter.wav"},
        {"picture button click", false, true, "sound\\click.wav"},
        {"three-picture button enter", true, false, "sound\\enter1.wav"},
        {"three-picture button click", true, true, "sound\\click1.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TXLabel* label = c.threePictures ? static_cast<TXLabel*>(New3BmpLabel()) : NewBmpLabel();
        for (bool speaking : {false, true}) {
            SCOPED_TRACE(speaking ? "while speaking" : "in silence");
            PlaySoundFile("");
            if (speaking) StartSpeech();
            const std::size_t before = h().Notices().size();
            if (c.click) label->Click();
            else label->Perform(CM_MOUSEENTER);
            const std::vector<String> all = h().NoticeTexts();
            std::vector<String> after(all.begin() + std::ptrdiff_t(before), all.end());
            ASSERT_EQ(after.size(), 1u);
            EXPECT_NE(after[0].find(speaking ? "sound drop ch0 flags=19" : "sound start ch0 flags=19"),
                      String::npos)
                << after[0];
            EXPECT_NE(after[0].find(AppDir + c.sound), String::npos) << after[0];
        }
        label->Free();
    }
}

TEST_F(ShellControls, ThreePictureButtonPressOrder) {
    T3BMPLabel* button = New3BmpLabel();
    std::vector<String> log;
    auto look = [this] {
        TColor c = ButtonPixel();
        return String(c == kPressed ? "pressed" : c == kHover ? "hover" : c == kNormal ? "normal" : "screen");
    };
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down " + look()); };
    button->OnClick = [&](TObject*) {
        log.push_back("click " + look() + (Notices({"click1.wav"}).empty() ? " silent" : " after its sound"));
    };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up " + look()); };
    h().MoveTo(10, 120, 110);
    h().At(30, [&] { log.push_back("entered " + look()); });
    h().Click(50, 120, 110);
    h().At(60, [&] { log.push_back("held " + look()); });
    h().RunFor(200);
    log.push_back("released " + look());
    EXPECT_EQ(log, (std::vector<String>{"entered hover", "down hover", "held pressed", "click pressed after its sound",
                                        "up pressed", "released hover"}));
}

TEST_F(ShellControls, MissingPressedPictureLeavesTheHoverPicture) {
    T3BMPLabel* button = New3BmpLabel("missing3.bmp");
    EXPECT_TRUE(button->PressedBitmap->Empty());
    EXPECT_FALSE(button->HoverBitmap->Empty());
    TColor held = clNone;
    h().MoveTo(10, 120, 110);
    h().MouseDown(50, 120, 110);
    h().At(60, [&] { held = ButtonPixel(); });
    h().MouseUp(100, 120, 110);
    h().RunFor(200);
    EXPECT_EQ(held, kHover);
    EXPECT_EQ(ButtonPixel(), kHover);
}

TEST_F(ShellControls, DisabledLabelReactsToNothing) {
    const std::pair<const char*, std::function<TXLabel*()>> kinds[] = {
        {"hot area", [this] { return new TXLabel(screen_, 100, 100, 40, 20); }},
        {"picture button", [this] { return NewBmpLabel(); }},
        {"three pictures", [this] { return New3BmpLabel(); }},
    };
    for (const auto& [kind, make] : kinds) {
        SCOPED_TRACE(kind);
        TXLabel* label = make();
        int events = 0;
        auto count = [&](TObject*) { ++events; };
        label->OnMouseEnter = count;
        label->OnMouseLeave = count;
        label->OnClick = count;
        label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++events; };
        label->SetEnabled(false);
        const std::size_t notices = h().Notices().size();
        const std::uint64_t t = h().Now();
        h().MoveTo(t + 10, 120, 110);
        h().Click(t + 20, 120, 110);
        h().MoveTo(t + 100, 300, 300);
        h().RunFor(200);
        EXPECT_EQ(events, 0);
        EXPECT_EQ(h().Notices().size(), notices);
        EXPECT_EQ(ButtonPixel(), PatternColour(120, 110));
        label->Free();
    }
}

TEST_F(ShellControls, RepaintRemovesTheHoverPictureUntilThePointerComesAgain) {
    NewBmpLabel();
    h().MoveTo(10, 120, 110);
    h().RunFor(20);
    EXPECT_EQ(ButtonPixel(), kHover);
    screen_->Repaint();
    EXPECT_EQ(ButtonPixel(), PatternColour(120, 110));
    h().MoveTo(h().Now() + 10, 300, 300);
    h().RunFor(20);
    EXPECT_EQ(ButtonPixel(), kNormal);
    h().MoveTo(h().Now() + 10, 121, 111);
    h().RunFor(20);
    EXPECT_EQ(ButtonPixel(), kHover);
}

TEST_F(ShellControls, HotAreaHasTheHandCursorAndEventsOnlyWhenAssigned) {
    TXLabel* area = Painted(new TXLabel(screen_, 100, 100, 40, 20));
    EXPECT_EQ(area->Cursor(), 2);
    EXPECT_TRUE(area->Transparent());
    EXPECT_FALSE(area->AutoSize());
    EXPECT_EQ(area->BoundsRect(), Bounds(100, 100, 40, 20));
    area->Perform(CM_MOUSEENTER);  // nothing assigned: nothing happens
    std::vector<String> log;
    area->OnMouseEnter = [&](TObject* s) { log.push_back(s == area ? "enter" : "?"); };
    area->OnMouseLeave = [&](TObject* s) { log.push_back(s == area ? "leave" : "?"); };
    h().MoveTo(10, 120, 110);
    h().MoveTo(20, 300, 300);
    h().RunFor(50);
    EXPECT_EQ(log, (std::vector<String>{"enter", "leave"}));
    EXPECT_EQ(h().Pixel(120, 110), PatternColour(120, 110));  // transparent
}

TEST_F(ShellControls, PanelShowsItsBitmapOneToOne) {
    auto* panel = new TPosuvnik(screen_);
    panel->SetBounds(50, 60, 30, 20);
    panel->Bitmap->SetSize(30, 20);
    FillPattern(panel->Bitmap.get());
    panel->Repaint();
    h().RunFor(10);
    EXPECT_TRUE(ScreenShows(h(), *panel->Bitmap, 0, 0, 50, 60, 30, 20));
    EXPECT_FALSE(panel->Dragging);
}

}  // namespace
