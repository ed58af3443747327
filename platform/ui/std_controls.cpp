// The standard controls: label, panel, image, edit and rich edit.
#include <algorithm>

#include "platform/core/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"

namespace {

// A canvas for measuring text outside a paint.
TCanvas& MeasureCanvas() {
    static TBitmap bitmap;
    if (bitmap.Empty()) bitmap.SetSize(1, 1);
    return *bitmap.Canvas();
}

int LineHeight(TCanvas& canvas) { return canvas.TextHeight("Wg"); }

// Byte offsets of each code point, plus the end.
std::vector<std::size_t> CodePointOffsets(const String& s) {
    std::vector<std::size_t> out;
    std::size_t pos = 0;
    while (pos < s.size()) {
        out.push_back(pos);
        NextCodePoint(s, pos);
    }
    out.push_back(s.size());
    return out;
}

void FillRectWith(TCanvas& canvas, const TRect& r, TColor c) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = c;
    canvas.FillRect(r);
}

void Frame(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    FillRectWith(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), topLeft);
    FillRectWith(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), topLeft);
    FillRectWith(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomRight);
    FillRectWith(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomRight);
}

}  // namespace

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    if (l == layout_) return;
    layout_ = l;
    Invalidate();
}

void TLabel::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::CaptionChanged() {
    AdjustBounds();
    Invalidate();
}

std::vector<String> TLabel::Lines(TCanvas& canvas) const {
    std::vector<String> lines = SplitLines(Caption());
    if (!wordWrap_) return lines;
    std::vector<String> out;
    for (const String& line : lines) {
        String current;
        std::size_t pos = 0;
        while (pos <= line.size()) {
            std::size_t space = line.find(' ', pos);
            if (space == String::npos) space = line.size();
            String word = line.substr(pos, space - pos);
            String candidate = current.empty() ? word : current + " " + word;
            if (!current.empty() && canvas.TextWidth(candidate) > Width()) {
                out.push_back(current);
                current = word;
            } else {
                current = candidate;
            }
            pos = space + 1;
        }
        out.push_back(current);
    }
    return out;
}

void TLabel::AdjustBounds() {
    if (!autoSize_) return;
    TCanvas& canvas = MeasureCanvas();
    canvas.Font.Assign(font_);
    std::vector<String> lines = Lines(canvas);
    int w = 0;
    for (const String& l : lines) w = std::max(w, canvas.TextWidth(l));
    int h = LineHeight(canvas) * int(lines.size());
    if (wordWrap_) w = Width();
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - w;
    SetBounds(left, Top(), w, h);
}

void TLabel::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Font.Assign(font_);
    if (!transparent_) FillRectWith(canvas, ClientRect(), color_);
    canvas.Brush.Style = TBrushStyle::bsClear;
    std::vector<String> lines = Lines(canvas);
    int lh = LineHeight(canvas);
    int total = lh * int(lines.size());
    int y = 0;
    if (layout_ == tlCenter) y = (Height() - total) / 2;
    else if (layout_ == tlBottom) y = Height() - total;
    for (const String& line : lines) {
        int w = canvas.TextWidth(line);
        int x = 0;
        if (alignment_ == taRightJustify) x = Width() - w;
        else if (alignment_ == taCenter) x = (Width() - w) / 2;
        canvas.TextOut(x, y, line);
        y += lh;
    }
}

// ---------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut b) {
    bevelOuter_ = b;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut b) {
    bevelInner_ = b;
    Invalidate();
}

void TPanel::SetBevelWidth(int w) {
    bevelWidth_ = std::max(w, 1);
    Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle b) {
    borderStyle_ = b;
    Invalidate();
}

void TPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    FillRectWith(canvas, r, color_);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        for (int i = 0; i < bevelWidth_ && !r.IsEmpty(); ++i) {
            if (cut == bvRaised) Frame(canvas, r, clBtnHighlight, clBtnShadow);
            else if (cut == bvLowered) Frame(canvas, r, clBtnShadow, clBtnHighlight);
            r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        }
    };
    if (borderStyle_ == bsSingle) {
        Frame(canvas, r, clBlack, clBlack);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    bevel(bevelOuter_);
    bevel(bevelInner_);
    if (!Caption().empty()) {
        canvas.Font.Assign(font_);
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut((Width() - canvas.TextWidth(Caption())) / 2, (Height() - canvas.TextHeight(Caption())) / 2,
                       Caption());
    }
}

// ---------------------------------------------------------------------------
// TPicture and TImage

TPicture::TPicture() : bitmap_(std::make_unique<TBitmap>()) {}
TPicture::~TPicture() = default;

void TPicture::Assign(const TBitmap* source) {
    if (source) bitmap_->Assign(source);
    else bitmap_ = std::make_unique<TBitmap>();
    if (OnChange) OnChange();
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this] { Invalidate(); };
}

TImage::~TImage() = default;

TCanvas* TImage::Canvas() {
    TBitmap* b = picture_->Bitmap();
    if (b->Empty()) {
        b->SetSize(std::max(Width(), 1), std::max(Height(), 1));
        FillRectWith(*b->Canvas(), Rect(0, 0, b->Width(), b->Height()), clWhite);
    }
    return b->Canvas();
}

void TImage::SetTransparent(bool v) {
    transparent_ = v;
    Invalidate();
}

void TImage::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void TImage::Paint() {
    TBitmap* b = picture_->Bitmap();
    if (b->Empty()) return;
    TCanvas& canvas = *TGraphicControl::Canvas();
    bool keep = b->Transparent;
    b->Transparent = transparent_ || keep;
    if (stretch_) canvas.StretchDraw(ClientRect(), b);
    else canvas.Draw(0, 0, b);
    b->Transparent = keep;
}

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    color_ = clWindow;
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

int TEdit::Length() const { return int(CodePointOffsets(text_).size()) - 1; }

void TEdit::SetText(const String& s) {
    if (s == text_) return;
    ReplaceText(s, int(CodePointOffsets(s).size()) - 1);
}

void TEdit::ReplaceText(const String& s, int caret) {
    bool changed = s != text_;
    text_ = s;
    caret_ = std::clamp(caret, 0, Length());
    Invalidate();
    if (changed && OnChange) OnChange(this);
}

void TEdit::SetMaxLength(int n) { maxLength_ = std::max(n, 0); }

void TEdit::SetBorderStyle(TBorderStyle b) {
    borderStyle_ = b;
    Invalidate();
}

void TEdit::SetSelStart(int pos) {
    caret_ = std::clamp(pos, 0, Length());
    Invalidate();
}

void TEdit::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    std::vector<std::size_t> at = CodePointOffsets(text_);
    int n = int(at.size()) - 1;
    switch (Key) {
        case VK_LEFT: SetSelStart(caret_ - 1); break;
        case VK_RIGHT: SetSelStart(caret_ + 1); break;
        case VK_HOME: SetSelStart(0); break;
        case VK_END: SetSelStart(n); break;
        case VK_BACK:
            if (!readOnly_ && caret_ > 0)
                ReplaceText(text_.substr(0, at[caret_ - 1]) + text_.substr(at[caret_]), caret_ - 1);
            break;
        case VK_DELETE:
            if (!readOnly_ && caret_ < n) ReplaceText(text_.substr(0, at[caret_]) + text_.substr(at[caret_ + 1]), caret_);
            break;
        default: break;
    }
}

void TEdit::KeyPress(char32_t& Key) {
    TWinControl::KeyPress(Key);
    if (Key < 0x20 || readOnly_) return;
    if (maxLength_ > 0 && Length() >= maxLength_) return;
    String typed;
    AppendUtf8(typed, Key);
    // Only characters of code page 1250 fit; others become '?'.
    typed = Cp1250ToUtf8(Utf8ToCp1250(typed));
    std::vector<std::size_t> at = CodePointOffsets(text_);
    ReplaceText(text_.substr(0, at[caret_]) + typed + text_.substr(at[caret_]), caret_ + 1);
}

void TEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TWinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    TCanvas& canvas = MeasureCanvas();
    canvas.Font.Assign(font_);
    std::vector<std::size_t> at = CodePointOffsets(text_);
    int best = 0;
    for (int i = 0; i < int(at.size()); ++i)
        if (canvas.TextWidth(text_.substr(0, at[i])) - scroll_ + 2 <= X) best = i;
    SetSelStart(best);
}

void TEdit::DoEnter() {
    TWinControl::DoEnter();
    Invalidate();
}

void TEdit::DoExit() {
    TWinControl::DoExit();
    Invalidate();
}

void TEdit::Paint() {
    TCanvas& canvas = *WindowCanvas();
    TRect r = ClientRect();
    FillRectWith(canvas, r, color_);
    if (borderStyle_ == bsSingle) Frame(canvas, r, clBtnShadow, clBtnHighlight);
    canvas.Font.Assign(font_);
    std::vector<std::size_t> at = CodePointOffsets(text_);
    int caretX = canvas.TextWidth(text_.substr(0, at[caret_]));
    int room = std::max(Width() - 4, 0);
    if (caretX - scroll_ > room) scroll_ = caretX - room;
    if (caretX < scroll_) scroll_ = caretX;
    int th = canvas.TextHeight("Wg");
    int y = (Height() - th) / 2;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(2 - scroll_, y, text_);
    if (Focused()) FillRectWith(canvas, Rect(2 + caretX - scroll_, y, 3 + caretX - scroll_, y + th), font_.Color);
}

// ---------------------------------------------------------------------------
// TRichEdit

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
    color_ = clWindow;
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    document_ = richtext::FromPlainText("", font_.Name, font_.GetSize() * 2);
}

void TRichEdit::SetBorderStyle(TBorderStyle b) {
    borderStyle_ = b;
    Invalidate();
}

void TRichEdit::SetText(const String& utf8) {
    document_ = richtext::FromPlainText(utf8, font_.Name, font_.GetSize() * 2);
    ContentChanged();
}

void TRichEdit::LoadRichText(std::string_view rtfBytes) {
    try {
        document_ = richtext::Parse(rtfBytes);
    } catch (const Exception&) {
        document_ = richtext::FromPlainText(Cp1250ToUtf8(rtfBytes), font_.Name, font_.GetSize() * 2);
    }
    ContentChanged();
}

String TRichEdit::Text() const {
    String out;
    for (const richtext::Paragraph& p : document_.paragraphs) {
        for (const richtext::Run& r : p.runs) out += r.text;
        out += "\r\n";
    }
    return out;
}

void TRichEdit::ContentChanged() {
    Invalidate();
    if (OnChange) OnChange(this);
}

void TRichEdit::Paint() {
    TCanvas& canvas = *WindowCanvas();
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) {
        Frame(canvas, r, clBtnShadow, clBtnHighlight);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    richtext::Render(document_, canvas, r, color_);
}
