// The window system seen on the screen: painting, composition by z-order,
// child windows over graphic controls, drawing outside a paint.
#include <gtest/gtest.h>

#include "platform/backend/headless/harness.h"

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

TEST(UiScreen, SleepShowsAWindowsLeavingBeforeItWaits) {
    headless::Harness h;
    MakeForm(kBlue)->Show();
    TForm* over = MakeForm(kGreen);
    over->Show();
    h.RunFor(10);
    ASSERT_EQ(h.Backend().LastFrame().Get(300, 300), kGreen);
    over->Hide();
    EXPECT_EQ(h.Backend().LastFrame().Get(300, 300), kGreen) << "shown at the next flush";
    ::Sleep(100);
    EXPECT_EQ(h.Backend().LastFrame().Get(300, 300), kBlue);
}

TEST(UiScreen, DrawingOnAWindowCanvasReachesTheScreenAtOnce) {
    headless::Harness h;
    TForm* form = MakeForm(kBlue);
    form->Show();
    h.RunFor(10);
    int framesBefore = h.Backend().FrameCount();
    form->Canvas()->Brush.Color = kRed;
    form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    // Presented without running the loop, as a strip drawn between sleeps.
    EXPECT_GT(h.Backend().FrameCount(), framesBefore);
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kRed);
    ::Sleep(150);
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kRed);

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
    EXPECT_EQ(h.Backend().FrameCount(), framesBefore + 1);
    EXPECT_EQ(h.Backend().LastFrame().Get(15, 15), kRed);
}
