// The window system seen on the screen: painting, composition by z-order,
// child windows over graphic controls, drawing outside a paint.
#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/headless/harness.h"
#include "platform/media/sound.h"

namespace {

constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kGreen = RGBColor(0, 255, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);

TForm* MakeForm(TColor colour) {
    auto* f = new TForm(nullptr);
    f->SetColor(colour);
    return f;
}

TLabel* MakeLabel(TForm* f, TRect r, TColor colour) {
    auto* l = new TLabel(f);
    l->SetParent(f);
    l->SetAutoSize(false);
    l->SetBoundsRect(r);
    l->SetColor(colour);
    return l;
}

TEST(UiScreen, ClickOnALabelRunsItsHandlerAndRepaints) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    TLabel* label = MakeLabel(form, Bounds(100, 100, 40, 20), kRed);
    int clicks = 0;
    label->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, label);
        ++clicks;
        label->SetColor(kGreen);
    };
    form->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(5, 5), kBlue);
    EXPECT_EQ(h.Pixel(110, 110), kRed);

    h.Click(20, 110, 110);
    h.Click(200, 300, 300);  // on the form: not the label's
    h.RunFor(400);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(h.Pixel(110, 110), kGreen);
    EXPECT_EQ(h.Pixel(99, 110), kBlue);
}

TEST(UiScreen, PaintErasesThenOnPaintThenGraphicControlsThenChildWindows) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    MakeLabel(form, Bounds(0, 0, 50, 50), kRed);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(25, 25, 50, 50);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(kGreen);
    form->OnPaint = [&](TObject*) {
        form->Canvas()->Brush.Color = clWhite;
        form->Canvas()->FillRect(Rect(0, 0, 200, 10));
    };
    form->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(100, 5), clWhite);   // OnPaint over the erased form
    EXPECT_EQ(h.Pixel(5, 5), kRed);        // the label over OnPaint
    EXPECT_EQ(h.Pixel(30, 30), kGreen);    // the child window over the label
    EXPECT_EQ(h.Pixel(100, 100), kBlue);   // erased with Color
}

TEST(UiScreen, AFormThatAnswersEraseBackgroundIsNotFilled) {
    struct TScreenForm : TForm {
        TScreenForm() : TForm(nullptr) { SetColor(kRed); }
        bool WMEraseBkgnd() override { return true; }
    };
    headless::Harness h;
    auto* form = new TScreenForm;
    form->Canvas()->Brush.Color = kGreen;
    form->Canvas()->FillRect(Rect(0, 0, 640, 480));
    form->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(300, 300), kGreen);
}

TEST(UiScreen, BandsAndZOrderDecideWhatIsSeen) {
    headless::Harness h;
    TForm* backdrop = MakeForm(clBlack);
    backdrop->SetEnabled(false);
    backdrop->SetWindowState(wsMaximized);
    TForm* onTop = MakeForm(kRed);
    onTop->SetFormStyle(fsStayOnTop);
    onTop->SetBounds(0, 0, 100, 100);
    TForm* a = MakeForm(kGreen);
    TForm* b = MakeForm(kBlue);
    backdrop->Show();
    onTop->Show();
    a->Show();
    b->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(50, 50), kRed);   // the stay-on-top band lies above later forms
    EXPECT_EQ(h.Pixel(300, 300), kBlue);
    a->BringToFront();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(300, 300), kGreen);
    EXPECT_EQ(h.Pixel(50, 50), kRed);
    a->Hide();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(300, 300), kBlue);
    b->Hide();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(300, 300), clBlack);
    std::vector<TForm*> expected{backdrop, onTop};
    EXPECT_EQ(h.VisibleForms(), expected);
}

TEST(UiScreen, DrawingOnAWindowCanvasReachesTheScreenBeforeASleep) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    form->Show();
    h.RunFor(10);
    int framesBefore = h.Backend().FrameCount();
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    form->Canvas()->FillRect(Rect(30, 10, 40, 20));
    // Not yet: a frame is presented when the loop has handled what was
    // pending, or before a wait that handles nothing, as a strip drawn
    // between sleeps; both drawings in one frame.
    EXPECT_EQ(h.Backend().FrameCount(), framesBefore);
    ::Sleep(150);
    EXPECT_EQ(h.Backend().FrameCount(), framesBefore + 1);
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kRed);
    EXPECT_EQ(h.Backend().LastFrame().Get(35, 15), kRed);

    // Drawing on a hidden form is harmless and unseen; showing repaints.
    TForm* hidden = MakeForm(kGreen);
    hidden->Canvas()->Brush.Color = kRed;
    hidden->Canvas()->FillRect(Rect(0, 0, 640, 480));
    EXPECT_EQ(h.Backend().LastFrame().Get(300, 300), kBlue);
    hidden->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(300, 300), kGreen);
}

TEST(UiScreen, ARepaintRemovesWhatWasDrawnOutsideThePaint) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    form->Show();
    h.RunFor(10);
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    form->Repaint();
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kBlue);
}

TEST(UiScreen, ChildWindowsClipTheParentsDrawingAndMoveWithTheirParent) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(kGreen);
    panel->SetBounds(100, 100, 20, 20);
    form->Show();
    h.RunFor(10);
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(0, 0, 640, 480));
    EXPECT_EQ(h.Pixel(110, 110), kGreen);
    EXPECT_EQ(h.Pixel(90, 90), kRed);
    panel->SetLeft(200);
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(210, 110), kGreen);
    EXPECT_EQ(h.Pixel(110, 110), kRed);  // the form's window kept its own pixels
}

}  // namespace

TEST(UiScreen, OnlyAFrameThatChangedIsPresented) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    form->Show();
    h.RunFor(10);
    const int framesBefore = h.Backend().FrameCount();
    // A repaint and a drawing that change no pixel present nothing.
    form->Repaint();
    form->Canvas()->Brush.Color = kBlue;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    h.RunFor(10);
    EXPECT_EQ(h.Backend().FrameCount(), framesBefore);
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    h.RunFor(10);
    EXPECT_EQ(h.Backend().FrameCount(), framesBefore + 1);
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kRed);
}

namespace {

// One input, one frame: each presented frame is recorded with what it shows
// at a few points.
class Frames {
public:
    Frames(headless::Harness& h, std::vector<TPoint> points) : points_(std::move(points)) {
        h.Backend().SetPresentObserver([this](const Surface& s) {
            std::vector<TColor> seen;
            for (TPoint p : points_) seen.push_back(s.Get(p.X, p.Y));
            shown_.push_back(seen);
        });
    }
    const std::vector<std::vector<TColor>>& Shown() const { return shown_; }

private:
    std::vector<TPoint> points_;
    std::vector<std::vector<TColor>> shown_;
};

TEST(UiScreen, AHoverThatUnlightsOneButtonAndLightsAnotherIsOneFrame) {
    // Two buttons drawn on the form's canvas as a bar's buttons are: the one
    // left goes back to normal (blue), the one entered is lit (red).
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    TLabel* left = MakeLabel(form, Bounds(100, 400, 60, 40), kBlue);
    TLabel* right = MakeLabel(form, Bounds(300, 400, 60, 40), kBlue);
    for (TLabel* button : {left, right}) {
        button->SetTransparent(true);
        button->OnMouseEnter = [form, button](TObject*) {
            form->Canvas()->Brush.Color = kRed;
            form->Canvas()->FillRect(button->BoundsRect());
        };
        button->OnMouseLeave = [form, button](TObject*) {
            form->Canvas()->Brush.Color = kBlue;
            form->Canvas()->FillRect(button->BoundsRect());
        };
    }
    form->Show();
    h.MoveTo(5, 120, 420);
    h.RunFor(20);
    ASSERT_EQ(h.Pixel(120, 420), kRed);
    Frames frames(h, {{120, 420}, {320, 420}});
    h.MoveTo(30, 320, 420);
    h.MoveTo(60, 200, 300);  // off both: only the unlit one again
    h.RunFor(100);
    const std::vector<std::vector<TColor>> expected = {{kBlue, kRed}, {kBlue, kBlue}};
    EXPECT_EQ(frames.Shown(), expected) << "never a frame with both lit or neither lit between";
}

TEST(UiScreen, AWindowHiddenOverALitControlShowsWhatIsBelowInOneFrame) {
    // A click on the upper form's button hides it; the control of the form
    // below, now under the still pointer, lights up on the move that follows.
    headless::Harness h;
    TForm* below = MakeForm(kBlue);
    TLabel* control = MakeLabel(below, Bounds(560, 420, 75, 59), kBlue);
    control->SetTransparent(true);
    control->OnMouseEnter = [below, control](TObject*) {
        below->Canvas()->Brush.Color = kGreen;
        below->Canvas()->FillRect(control->BoundsRect());
    };
    below->Show();
    TForm* upper = MakeForm(kGreen);
    TLabel* back = MakeLabel(upper, Bounds(560, 420, 75, 59), kRed);  // lit under the pointer
    back->OnClick = [upper](TObject*) { upper->Hide(); };
    upper->Show();
    h.RunFor(10);
    h.MoveTo(15, 600, 450);
    h.RunFor(20);
    ASSERT_EQ(h.Pixel(600, 450), kRed);
    Frames frames(h, {{600, 450}, {300, 200}});
    h.Click(50, 600, 450);
    h.RunFor(1000);
    // The form below with its control lit, at once: never the form below
    // with the hidden form's lit button still standing on it.
    EXPECT_EQ(frames.Shown(), (std::vector<std::vector<TColor>>{{kGreen, kBlue}}));
}

TEST(UiScreen, FramesDrawnBeforeASynchronousSoundAreShownBeforeItPlays) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    form->Show();
    h.RunFor(10);
    std::size_t soundsAtTheFrame = 99;
    h.Backend().SetPresentObserver([&](const Surface& s) {
        if (s.Get(15, 15) == kRed) soundsAtTheFrame = h.Backend().Sounds().size();
    });
    const std::size_t soundsBefore = h.Backend().Sounds().size();
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    sndPlaySoundA("no such sound.wav", SND_SYNC);  // the default sound, played through
    EXPECT_EQ(soundsAtTheFrame, soundsBefore);
    EXPECT_GT(h.Backend().Sounds().size(), soundsBefore);
}

}  // namespace
