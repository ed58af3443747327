#include "platform/print/printdialog.h"

#include <algorithm>
#include <deque>

#include "platform/backend/backend.h"
#include "platform/core/strings.h"
#include "platform/print/printer.h"
#include "platform/ui/application.h"
#include "platform/ui/forms.h"
#include "platform/ui/keys.h"

namespace print {

namespace {

std::deque<PrintDialogAnswer>& Answers() {
    static std::deque<PrintDialogAnswer> answers;
    return answers;
}

constexpr int kBoxWidth = 320;
constexpr int kBoxHeight = 230;
constexpr int kCaptionHeight = 24;
constexpr int kArrowWidth = 16;

constexpr TColor kCaptionColor = RGBColor(0, 0, 128);
constexpr TColor kFrameColor = RGBColor(64, 64, 64);
constexpr TColor kSelectionColor = RGBColor(0, 0, 128);
constexpr TColor kNoteColor = RGBColor(128, 128, 128);
constexpr TColor kSelectedNoteColor = RGBColor(192, 192, 192);

// The layout relative to the dialog's own top-left corner.
PrintDialogLayout LocalLayout() {
    PrintDialogLayout l;
    l.box = Rect(0, 0, kBoxWidth, kBoxHeight);
    l.list = Bounds(12, 50, 296, PrintDialogLayout::kRowHeight * PrintDialogLayout::kVisibleRows);
    l.minus = Bounds(100, 136, 24, 24);
    l.copies = Bounds(128, 136, 44, 24);
    l.plus = Bounds(176, 136, 24, 24);
    l.ok = Bounds(126, 188, 88, 28);
    l.cancel = Bounds(220, 188, 88, 28);
    return l;
}

TPoint BoxOrigin() {
    return TPoint{(backend::kScreenWidth - kBoxWidth) / 2, (backend::kScreenHeight - kBoxHeight) / 2};
}

TRect Offset(const TRect& r, TPoint by) { return TRect{r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y}; }

void Notice(const String& what) {
    if (backend::Installed()) backend::Current().Notice(what);
}

void Fill(TCanvas* c, const TRect& r, TColor colour) {
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = colour;
    c->FillRect(r);
}

void Frame(TCanvas* c, const TRect& r, TColor colour) {
    Fill(c, Rect(r.Left, r.Top, r.Right, r.Top + 1), colour);
    Fill(c, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), colour);
    Fill(c, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), colour);
    Fill(c, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), colour);
}

void SetFont(TCanvas* c, TColor colour = clBlack, bool bold = false) {
    c->Font.Name = "Arial";
    c->Font.SetSize(9);
    c->Font.Style = bold ? TFontStyles(fsBold) : TFontStyles(0);
    c->Font.Color = colour;
}

void Text(TCanvas* c, int x, int y, const String& s, TColor colour, bool bold = false) {
    SetFont(c, colour, bold);
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(x, y, s);
}

// The longest beginning of s that fits `width` with an ellipsis after it
// (s itself when it fits).
String Fitted(TCanvas* c, const String& s, int width) {
    if (c->TextWidth(s) <= width) return s;
    const String ellipsis = "\u2026";
    std::size_t fits = 0;
    for (std::size_t pos = 0; pos < s.size();) {
        NextCodePoint(s, pos);
        if (c->TextWidth(s.substr(0, pos) + ellipsis) > width) break;
        fits = pos;
    }
    return s.substr(0, fits) + ellipsis;
}

void CentredText(TCanvas* c, const TRect& r, const String& s, TColor colour) {
    SetFont(c);
    int x = r.Left + (r.Width() - c->TextWidth(s)) / 2;
    int y = r.Top + (r.Height() - c->TextHeight(s)) / 2;
    Text(c, x, y, s, colour);
}

void Button(TCanvas* c, const TRect& r, const String& caption) {
    Fill(c, r, clBtnFace);
    Frame(c, r, kFrameColor);
    CentredText(c, r, caption, clBlack);
}

// A scroll button with a small black triangle pointing up or down.
void ArrowButton(TCanvas* c, const TRect& r, bool up) {
    Button(c, r, "");
    const int cx = r.Left + r.Width() / 2;
    const int top = r.Top + (r.Height() - 4) / 2;
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        Fill(c, Rect(cx - half - 1, top + row, cx + half + 1, top + row + 1), clBlack);
    }
}

// The dialog's window: everything is drawn on its canvas and hit-tested by
// the rectangles of the layout.
class PrintDialogForm : public TForm {
public:
    PrintDialogForm(int printerIndex, int copies) : TForm(nullptr), selected_(printerIndex), copies_(copies) {
        SetBorderStyle(bsNone);
        const TPoint at = BoxOrigin();
        SetBounds(at.X, at.Y, kBoxWidth, kBoxHeight);
        SetColor(clBtnFace);
        OnPaint = [this](TObject*) { Draw(); };
        OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
            if (button == mbLeft) Press(x, y);
        };
        OnKeyDown = [this](TObject*, Word& key, TShiftState) { Key(key); };
        KeepSelectionVisible();
    }

    int Selected() const { return selected_; }
    int CopiesChosen() const { return copies_; }

private:
    TStrings* Names() { return Printer()->Printers(); }
    int Count() { return Names()->Count(); }
    bool Scrolls() { return Count() > PrintDialogLayout::kVisibleRows; }

    TRect RowsArea() {
        TRect r = LocalLayout().list;
        if (Scrolls()) r.Right -= kArrowWidth;
        return r;
    }
    TRect UpArrow() {
        TRect l = LocalLayout().list;
        return Rect(l.Right - kArrowWidth, l.Top, l.Right, l.Top + l.Height() / 2);
    }
    TRect DownArrow() {
        TRect l = LocalLayout().list;
        return Rect(l.Right - kArrowWidth, l.Top + l.Height() / 2, l.Right, l.Bottom);
    }

    void Draw() {
        TCanvas* c = Canvas();
        const PrintDialogLayout l = LocalLayout();
        Fill(c, l.box, clBtnFace);
        Frame(c, l.box, kFrameColor);
        Fill(c, Rect(1, 1, kBoxWidth - 1, kCaptionHeight), kCaptionColor);
        Text(c, 8, 5, "Tisk", clWhite, true);

        Text(c, 12, 32, "Tiskárna:", clBlack);
        Fill(c, l.list, clWhite);
        const TRect rows = RowsArea();
        for (int row = 0; row < PrintDialogLayout::kVisibleRows && top_ + row < Count(); ++row) {
            const int index = top_ + row;
            TRect r = Rect(rows.Left + 1, rows.Top + row * PrintDialogLayout::kRowHeight, rows.Right - 1,
                           rows.Top + (row + 1) * PrintDialogLayout::kRowHeight);
            const bool chosen = index == selected_;
            if (chosen) Fill(c, r, kSelectionColor);
            DrawRow(c, r, index, chosen);
        }
        if (Scrolls()) {
            ArrowButton(c, UpArrow(), true);
            ArrowButton(c, DownArrow(), false);
        }
        Frame(c, l.list, kFrameColor);

        Text(c, 12, 140, "Počet kopií:", clBlack);
        Button(c, l.minus, "\u2212");
        Fill(c, l.copies, clWhite);
        Frame(c, l.copies, kFrameColor);
        CentredText(c, l.copies, std::to_string(copies_), clBlack);
        Button(c, l.plus, "+");

        Button(c, l.ok, "OK");
        Button(c, l.cancel, "Storno");
    }

    // The printer's name, and after it in grey what keeps a queue from
    // printing now.
    void DrawRow(TCanvas* c, const TRect& r, int index, bool chosen) {
        String note;
        if (Printer()->IsPaused(index)) note = "pozastavená";
        if (!Printer()->AcceptsJobs(index)) note += String(note.empty() ? "" : ", ") + "nepřijímá úlohy";
        if (!note.empty()) note = " (" + note + ")";
        const int room = r.Width() - 8;
        SetFont(c);
        const String name = Fitted(c, Names()->Get(index), std::max(room / 2, room - c->TextWidth(note)));
        Text(c, r.Left + 4, r.Top + 2, name, chosen ? clWhite : clBlack);
        if (!note.empty()) {
            const int x = r.Left + 4 + c->TextWidth(name);
            Text(c, x, r.Top + 2, Fitted(c, note, r.Right - 4 - x), chosen ? kSelectedNoteColor : kNoteColor);
        }
    }

    void Press(int x, int y) {
        const PrintDialogLayout l = LocalLayout();
        if (l.ok.Contains(x, y)) {
            SetModalResult(mrOk);
        } else if (l.cancel.Contains(x, y)) {
            SetModalResult(mrCancel);
        } else if (l.minus.Contains(x, y)) {
            ChangeCopies(-1);
        } else if (l.plus.Contains(x, y)) {
            ChangeCopies(+1);
        } else if (Scrolls() && UpArrow().Contains(x, y)) {
            Scroll(-1);
        } else if (Scrolls() && DownArrow().Contains(x, y)) {
            Scroll(+1);
        } else if (RowsArea().Contains(x, y)) {
            const int index = top_ + (y - RowsArea().Top) / PrintDialogLayout::kRowHeight;
            if (index < Count()) Select(index);
        }
    }

    void Key(Word& key) {
        switch (key) {
            case VK_RETURN: SetModalResult(mrOk); break;
            case VK_ESCAPE: SetModalResult(mrCancel); break;
            case VK_UP: Select(selected_ - 1); break;
            case VK_DOWN: Select(selected_ + 1); break;
            case VK_LEFT: ChangeCopies(-1); break;
            case VK_RIGHT: ChangeCopies(+1); break;
            default: return;
        }
        key = 0;
    }

    void Select(int index) {
        if (index < 0 || index >= Count()) return;
        selected_ = index;
        KeepSelectionVisible();
        Repaint();
    }

    void Scroll(int by) {
        top_ = std::clamp(top_ + by, 0, std::max(0, Count() - PrintDialogLayout::kVisibleRows));
        Repaint();
    }

    void KeepSelectionVisible() {
        if (selected_ < top_) top_ = selected_;
        if (selected_ >= top_ + PrintDialogLayout::kVisibleRows) top_ = selected_ - PrintDialogLayout::kVisibleRows + 1;
        top_ = std::max(0, top_);
    }

    void ChangeCopies(int by) {
        copies_ = std::clamp(copies_ + by, TPrintDialog::kMinCopies, TPrintDialog::kMaxCopies);
        Repaint();
    }

    int selected_;
    int copies_;
    int top_ = 0;
};

}  // namespace

void QueuePrintDialogOk(int printerIndex, int copies) { Answers().push_back({true, printerIndex, copies}); }
void QueuePrintDialogCancel() { Answers().push_back({false, -1, 1}); }
int QueuedPrintDialogAnswers() { return int(Answers().size()); }
void ClearPrintDialogAnswers() { Answers().clear(); }

PrintDialogLayout DialogLayout() {
    PrintDialogLayout l = LocalLayout();
    const TPoint at = BoxOrigin();
    for (TRect* r : {&l.box, &l.list, &l.minus, &l.copies, &l.plus, &l.ok, &l.cancel}) *r = Offset(*r, at);
    return l;
}

}  // namespace print

TPrintDialog::TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TPrintDialog::SetCopies(int n) { copies_ = std::clamp(n, kMinCopies, kMaxCopies); }

bool TPrintDialog::Execute() {
    TPrinter* printer = Printer();
    printer->Refresh();  // queues come and go while the program runs
    print::PrintDialogAnswer answer;
    auto& queued = print::Answers();
    if (!queued.empty()) {
        answer = queued.front();
        queued.pop_front();
        if (answer.printerIndex < 0) answer.printerIndex = printer->PrinterIndex();
    } else {
        auto* form = new print::PrintDialogForm(printer->PrinterIndex(), copies_);
        try {
            answer.ok = form->ShowModal() == mrOk;
        } catch (...) {
            form->Free();
            throw;
        }
        answer.printerIndex = form->Selected();
        answer.copies = form->CopiesChosen();
        form->Free();
    }

    if (!answer.ok) {
        print::Notice("print dialog: cancel");
        return false;
    }
    printer->SetPrinterIndex(answer.printerIndex);
    SetCopies(answer.copies);
    printer->Copies = copies_;
    print::Notice("print dialog: ok printer=" + printer->Printers()->Get(printer->PrinterIndex()) +
                  " copies=" + std::to_string(copies_));
    return true;
}
