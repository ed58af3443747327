// The message box: a small modal form of our own with a caption bar, an
// icon, the text and one OK button.
#include <algorithm>
#include <cmath>

#include "platform/core/strings.h"
#include "platform/ui/application.h"

namespace {

constexpr int kCaptionHeight = 22;
constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr TColor kCaptionColor = clNavy;
constexpr TColor kStopRed = RGBColor(200, 30, 30);
constexpr TColor kInfoBlue = RGBColor(30, 80, 200);

enum class Icon { None, Stop, Information };

Icon IconOf(UINT flags) {
    switch (flags & 0xF0) {
        case MB_ICONSTOP: return Icon::Stop;
        case MB_ICONINFORMATION: return Icon::Information;
        default: return Icon::None;
    }
}

void Fill(TCanvas& c, const TRect& r, TColor colour) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = colour;
    c.FillRect(r);
}

// A filled disc drawn as one span per row.
void Disc(TCanvas& c, int cx, int cy, int radius, TColor colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        int dx = int(std::sqrt(double(radius * radius - dy * dy)));
        Fill(c, Rect(cx - dx, cy + dy, cx + dx + 1, cy + dy + 1), colour);
    }
}

class TMessageBoxForm : public TForm {
public:
    TMessageBoxForm(const String& text, const String& caption, UINT flags)
        : TForm(nullptr), lines_(SplitLines(text)), icon_(IconOf(flags)) {
        SetCaption(caption);
        SetBorderStyle(bsDialog);
        Font()->Name = "Tahoma";
        Font()->SetHeight(-13);
        TCanvas& c = *Canvas();
        c.Font.Assign(*Font());
        lineHeight_ = c.TextHeight("Wg");
        int textWidth = 0;
        for (const String& l : lines_) textWidth = std::max(textWidth, c.TextWidth(l));
        c.Font.Style = fsBold;
        int captionWidth = c.TextWidth(caption) + 2 * kMargin;
        textLeft_ = kMargin + (icon_ != Icon::None ? kIconSize + kMargin : 0);
        int body = std::max(lineHeight_ * int(lines_.size()), icon_ != Icon::None ? kIconSize : 0);
        int w = std::clamp(std::max({textLeft_ + textWidth + kMargin, captionWidth, kButtonWidth + 2 * kMargin, 200}),
                           0, backend::kScreenWidth);
        int h = std::min(kCaptionHeight + kMargin + body + kMargin + kButtonHeight + kMargin, backend::kScreenHeight);
        SetBounds(0, 0, w, h);
        SetPosition(poScreenCenter);
        button_ = Bounds((w - kButtonWidth) / 2, h - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
    }

    bool WMEraseBkgnd() override { return true; }

    void KeyDown(Word& Key, TShiftState Shift) override {
        TForm::KeyDown(Key, Shift);
        if (Key == VK_RETURN || Key == VK_SPACE || Key == VK_ESCAPE) SetModalResult(mrOk);
    }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TForm::MouseDown(Button, Shift, X, Y);
        pressedOnButton_ = Button == mbLeft && button_.Contains(X, Y);
    }

    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TForm::MouseUp(Button, Shift, X, Y);
        if (Button == mbLeft && pressedOnButton_ && button_.Contains(X, Y)) SetModalResult(mrOk);
        pressedOnButton_ = false;
    }

protected:
    void Paint() override {
        TCanvas& c = *Canvas();
        TRect all = ClientRect();
        Fill(c, all, clBtnFace);
        Fill(c, Rect(0, 0, all.Right, 1), clBtnShadow);
        Fill(c, Rect(0, all.Bottom - 1, all.Right, all.Bottom), clBlack);
        Fill(c, Rect(0, 0, 1, all.Bottom), clBtnShadow);
        Fill(c, Rect(all.Right - 1, 0, all.Right, all.Bottom), clBlack);
        Fill(c, Rect(1, 1, all.Right - 1, kCaptionHeight), kCaptionColor);
        c.Font.Assign(*Font());
        c.Font.Style = fsBold;
        c.Font.Color = clWhite;
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextOut(6, (kCaptionHeight - c.TextHeight(Caption())) / 2, Caption());

        int top = kCaptionHeight + kMargin;
        PaintIcon(c, kMargin, top);
        c.Font.Assign(*Font());
        c.Brush.Style = TBrushStyle::bsClear;
        for (std::size_t i = 0; i < lines_.size(); ++i) c.TextOut(textLeft_, top + int(i) * lineHeight_, lines_[i]);

        Fill(c, button_, clBlack);
        Fill(c, Rect(button_.Left, button_.Top, button_.Right - 1, button_.Bottom - 1), clWhite);
        Fill(c, Rect(button_.Left + 1, button_.Top + 1, button_.Right - 1, button_.Bottom - 1), clBtnShadow);
        Fill(c, Rect(button_.Left + 1, button_.Top + 1, button_.Right - 2, button_.Bottom - 2), clBtnFace);
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextOut(button_.Left + (kButtonWidth - c.TextWidth("OK")) / 2,
                  button_.Top + (kButtonHeight - c.TextHeight("OK")) / 2, "OK");
    }

private:
    void PaintIcon(TCanvas& c, int left, int top) {
        int r = kIconSize / 2;
        int cx = left + r, cy = top + r;
        if (icon_ == Icon::Stop) {
            Disc(c, cx, cy, r - 1, kStopRed);
            for (int d = -7; d <= 7; ++d) {
                Fill(c, Rect(cx + d - 1, cy + d - 1, cx + d + 2, cy + d + 2), clWhite);
                Fill(c, Rect(cx + d - 1, cy - d - 1, cx + d + 2, cy - d + 2), clWhite);
            }
        } else if (icon_ == Icon::Information) {
            Disc(c, cx, cy, r - 1, kInfoBlue);
            Disc(c, cx, cy, r - 3, clWhite);
            Fill(c, Rect(cx - 2, cy - 9, cx + 2, cy - 5), kInfoBlue);
            Fill(c, Rect(cx - 2, cy - 2, cx + 2, cy + 10), kInfoBlue);
        }
    }

    std::vector<String> lines_;
    Icon icon_;
    int lineHeight_ = 16;
    int textLeft_ = kMargin;
    TRect button_{};
    bool pressedOnButton_ = false;
};

}  // namespace

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
    backend::Current().Notice("message box: " + Caption + ": " + Text);
    if (MessageBoxHook)
        if (std::optional<int> answer = MessageBoxHook(Text, Caption, Flags)) return *answer;
    auto* box = new TMessageBoxForm(Text, Caption, Flags);
    box->ShowModal();
    box->Free();
    return IDOK;
}
