#include "tools/datagen/Art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gfx/pixels.h"
#include "shell/HlaskaButtonPlaces.h"

namespace {

TColor FromHsv(double h, double s, double v) {
    const double c = v * s, hp = std::fmod(h, 360.0) / 60.0, x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (hp < 1) r = c, g = x;
    else if (hp < 2) r = x, g = c;
    else if (hp < 3) g = c, b = x;
    else if (hp < 4) g = x, b = c;
    else if (hp < 5) r = x, b = c;
    else r = c, b = x;
    const double m = v - c;
    return RGBColor(int(std::lround((r + m) * 255)), int(std::lround((g + m) * 255)), int(std::lround((b + m) * 255)));
}

int Mix(int a, int b, double t) { return int(std::lround(a + (b - a) * t)); }

TColor MixColour(TColor a, TColor b, double t) {
    return RGBColor(Mix(GetRValue(a), GetRValue(b), t), Mix(GetGValue(a), GetGValue(b), t),
                    Mix(GetBValue(a), GetBValue(b), t));
}

bool Fits(TCanvas* c, const String& text, int width, int height) {
    return c->TextWidth(text) <= width && c->TextHeight(text) <= height;
}

void TextCentred(TCanvas* c, int cx, int top, const String& text) {
    c->TextOut(cx - c->TextWidth(text) / 2, top, text);
}

}  // namespace

TColor DistinctColour(int i, double saturation, double value) {
    return FromHsv(std::fmod(i * 137.50776, 360.0), saturation, value);
}

TColor Lighter(TColor c, double amount) { return MixColour(c, clWhite, amount); }
TColor Darker(TColor c, double amount) { return MixColour(c, clBlack, amount); }

std::unique_ptr<TBitmap> NewPicture(int width, int height, TColor fill) {
    auto b = std::make_unique<TBitmap>();
    b->PixelFormat = TPixelFormat::pf24bit;
    b->SetSize(width, height);
    FillRect(b->Canvas(), Rect(0, 0, width, height), fill);
    return b;
}

void FillRect(TCanvas* c, const TRect& r, TColor colour) {
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = colour;
    c->FillRect(r);
}

void FrameRect(TCanvas* c, const TRect& r, TColor colour, int t) {
    FillRect(c, Rect(r.Left, r.Top, r.Right, r.Top + t), colour);
    FillRect(c, Rect(r.Left, r.Bottom - t, r.Right, r.Bottom), colour);
    FillRect(c, Rect(r.Left, r.Top, r.Left + t, r.Bottom), colour);
    FillRect(c, Rect(r.Right - t, r.Top, r.Right, r.Bottom), colour);
}

void FillEllipse(TCanvas* c, const TRect& r, TColor colour) {
    const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
    const double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = colour;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const double dy = (y - cy) / ry;
        if (std::fabs(dy) > 1) continue;
        const int half = int(rx * std::sqrt(1 - dy * dy));
        c->FillRect(Rect(int(cx) - half, y, int(cx) + half + 1, y + 1));
    }
}

void ThickLine(TCanvas* c, int x0, int y0, int x1, int y1, int width, TColor colour) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int s = 0; s <= steps; ++s) {
        const int x = x0 + (x1 - x0) * s / std::max(1, steps), y = y0 + (y1 - y0) * s / std::max(1, steps);
        FillEllipse(c, Bounds(x - width / 2, y - width / 2, width, width), colour);
    }
}

void FillTriangle(TCanvas* c, const TRect& r, TColor colour) {
    const int h = std::max(1, r.Height());
    for (int y = 0; y < h; ++y) {
        const int half = r.Width() * (y + 1) / (2 * h);
        FillRect(c, Rect((r.Left + r.Right) / 2 - half, r.Top + y, (r.Left + r.Right) / 2 + half, r.Top + y + 1), colour);
    }
}

void FillGradient(TCanvas* c, const TRect& r, TColor top, TColor bottom) {
    const int h = std::max(1, r.Height() - 1);
    for (int y = r.Top; y < r.Bottom; ++y) FillRect(c, Rect(r.Left, y, r.Right, y + 1), MixColour(top, bottom, double(y - r.Top) / h));
}

void DrawCaption(TCanvas* c, const TRect& r, const String& text, TColor colour, int maxHeight, bool bold) {
    c->Font.Name = "Arial";
    c->Font.Style = bold ? fsBold : 0;
    c->Font.Color = colour;
    c->Font.Charset = 238;
    c->Brush.Style = TBrushStyle::bsClear;
    const int w = r.Width() - 4, h = r.Height() - 2;
    const int cx = (r.Left + r.Right) / 2;
    const std::size_t blank = text.find(' ', text.size() / 2) != String::npos ? text.find(' ', text.size() / 2)
                                                                                : text.rfind(' ');
    for (int size = maxHeight; size >= 7; --size) {
        c->Font.SetHeight(-size);
        if (Fits(c, text, w, h)) {
            TextCentred(c, cx, r.Top + (r.Height() - c->TextHeight(text)) / 2, text);
            c->Brush.Style = TBrushStyle::bsSolid;
            return;
        }
        if (blank != String::npos) {
            const String a = text.substr(0, blank), b = text.substr(blank + 1);
            const int lh = c->TextHeight(text);
            if (Fits(c, a, w, h / 2) && Fits(c, b, w, h / 2)) {
                const int top = r.Top + (r.Height() - 2 * lh) / 2;
                TextCentred(c, cx, top, a);
                TextCentred(c, cx, top + lh, b);
                c->Brush.Style = TBrushStyle::bsSolid;
                return;
            }
        }
    }
    c->SetClip(r);
    c->Font.SetHeight(-7);
    TextCentred(c, cx, r.Top, text);
    c->ClearClip();
    c->Brush.Style = TBrushStyle::bsSolid;
}

void DrawFigure(TCanvas* c, const TRect& a, TColor clothes, const String& name) {
    const int w = a.Width(), h = a.Height();
    const int band = std::max(12, h / 6);
    const int figureBottom = a.Bottom - band;
    const int fh = figureBottom - a.Top;
    const int cx = a.Left + w / 2;
    const int head = std::min(w / 3, fh / 5);
    const TColor skin = RGBColor(246, 205, 170);
    FillEllipse(c, Bounds(cx - head / 2, a.Top + 2, head, head), skin);
    const int bodyTop = a.Top + 2 + head;
    const int bodyW = std::max(6, w * 5 / 9), bodyH = fh * 2 / 5;
    FillRect(c, Bounds(cx - bodyW / 2, bodyTop, bodyW, bodyH), clothes);
    FillRect(c, Bounds(cx - bodyW / 2 - std::max(2, w / 12), bodyTop + 2, std::max(2, w / 12), bodyH * 3 / 4), Darker(clothes, 0.2));
    FillRect(c, Bounds(cx + bodyW / 2, bodyTop + 2, std::max(2, w / 12), bodyH * 3 / 4), Darker(clothes, 0.2));
    const int legTop = bodyTop + bodyH, legW = std::max(3, bodyW / 3);
    FillRect(c, Rect(cx - bodyW / 2 + 1, legTop, cx - bodyW / 2 + 1 + legW, figureBottom - 1), Darker(clothes, 0.45));
    FillRect(c, Rect(cx + bodyW / 2 - 1 - legW, legTop, cx + bodyW / 2 - 1, figureBottom - 1), Darker(clothes, 0.45));
    FillRect(c, Rect(a.Left, figureBottom, a.Right, a.Bottom), clWhite);
    FrameRect(c, Rect(a.Left, figureBottom, a.Right, a.Bottom), Darker(clothes, 0.3));
    DrawCaption(c, Rect(a.Left, figureBottom, a.Right, a.Bottom), name, clBlack, band - 2);
}

void DrawButton(TCanvas* c, const TRect& r, const String& label, TColor face, int state) {
    const TColor f = state == 2 ? Lighter(face, 0.45) : state == 3 ? Darker(face, 0.25) : face;
    FillRect(c, r, Darker(face, 0.55));
    FillRect(c, Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), f);
    FrameRect(c, Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), state == 3 ? Darker(f, 0.4) : Lighter(f, 0.5));
    const int shift = state == 3 ? 1 : 0;
    DrawCaption(c, Rect(r.Left + 3 + shift, r.Top + 3 + shift, r.Right - 3 + shift, r.Bottom - 3 + shift), label,
                state == 2 ? RGBColor(120, 0, 0) : clBlack, r.Height() >= 40 ? 20 : 16);
}

const std::vector<TBarButtonLook>& BarButtons() {
    static const std::vector<TBarButtonLook> buttons = {
        {bbExit, "hl_obr\\konec", "Konec", Bounds(435, 421, 73, 59)},
        {bbGames, "hl_obr\\hry", "Hry", Bounds(200, 421, 67, 59)},
        {bbSimulations, "hl_obr\\simul", "Simulace", Bounds(275, 421, 71, 59)},
        {bbMenu, "hl_obr\\menu", "Menu", Bounds(117, 421, 72, 59)},
        {bbPrint, "hl_obr\\tisk", "Tisk", Bounds(357, 421, 71, 56)},
        {bbHelp, "hl_obr\\help", "?", Bounds(10, 421, 49, 54)},
        {bbBack, "detaily\\zpet", "Zpět", Bounds(560, 421, 75, 59)}};
    return buttons;
}

TColor BarButtonFace() { return RGBColor(255, 214, 92); }

void DrawBottomBar(TCanvas* c, int buttons) {
    FillGradient(c, Rect(0, 417, 640, 480), RGBColor(96, 64, 32), RGBColor(60, 40, 20));
    for (const auto& b : BarButtons())
        if (buttons & b.Button) DrawButton(c, b.Bounds, b.Label, BarButtonFace(), 1);
}

std::unique_ptr<TBitmap> ScreenBackground(const String& title, TColor base, int buttons) {
    auto b = NewPicture(640, 480, base);
    FillGradient(b->Canvas(), Rect(0, 0, 640, 417), Lighter(base, 0.6), base);
    if (!title.empty()) DrawCaption(b->Canvas(), Rect(0, 0, 640, 30), title, Darker(base, 0.7), 22);
    DrawBottomBar(b->Canvas(), buttons);
    return b;
}

std::unique_ptr<TBitmap> MessagePicture(int w, int h, const String& text, TColor face) {
    auto b = NewPicture(w, h, clMagenta);
    TCanvas* c = b->Canvas();
    FillRect(c, Rect(6, 0, w - 6, h), Darker(face, 0.5));
    FillRect(c, Rect(0, 6, w, h - 6), Darker(face, 0.5));
    FillRect(c, Rect(8, 2, w - 8, h - 2), face);
    FillRect(c, Rect(2, 8, w - 2, h - 8), face);
    DrawCaption(c, Rect(12, 8, w - 12, h * 2 / 5), text, clBlack, 22);
    c->SetPixel(0, h - 1, clMagenta);
    return b;
}

const std::vector<TMessageButtonLook>& MessageButtons() {
    // Named and placed as the message window places them.
    auto look = [](const THlaskaButtonPlace& b, const char* label) {
        return TMessageButtonLook{b.Pictures, label, Bounds(b.Left, b.Top, b.Width, b.Height)};
    };
    static const std::vector<TMessageButtonLook> buttons = {
        look(AnoButton, "Ano"), look(NeButton, "Ne"), look(PokButton, "Pokračovat"), look(KonecButton, "Konec"),
        look(OkButton, "OK")};
    return buttons;
}

TColor MessageButtonFace() { return RGBColor(150, 200, 255); }

void DrawMessageButtons(TBitmap* message, std::initializer_list<const char*> names) {
    const int left = (640 - message->Width()) / 2, top = (480 - message->Height()) / 2;
    for (const char* name : names)
        for (const auto& b : MessageButtons())
            if (String(b.Name) == name)
                DrawButton(message->Canvas(), Bounds(b.Bounds.Left - left, b.Bounds.Top - top, b.Bounds.Width(), 29),
                           b.Label, MessageButtonFace(), 1);
}

namespace {

// The largest part of r that keeps clear of `taken`, cut along one side.
TRect CutAway(const TRect& r, const TRect& taken) {
    const TRect overlap = gfx::Intersect(r, taken);
    if (overlap.IsEmpty()) return r;
    const TRect cuts[] = {Rect(r.Left, r.Top, overlap.Left, r.Bottom), Rect(overlap.Right, r.Top, r.Right, r.Bottom),
                          Rect(r.Left, r.Top, r.Right, overlap.Top), Rect(r.Left, overlap.Bottom, r.Right, r.Bottom)};
    TRect best{};
    for (const TRect& c : cuts)
        if (!c.IsEmpty() && c.Width() * c.Height() > best.Width() * best.Height()) best = c;
    return best;
}

// The entry's pictures: from its position to its hot area's far corner.
TRect PictureRect(const TMenuEntry& e) { return Rect(e.Position.X, e.Position.Y, e.HotArea.Right, e.HotArea.Bottom); }

std::unique_ptr<TBitmap> Piece(TBitmap& from, const TRect& r) {
    auto p = NewPicture(r.Width(), r.Height(), clWhite);
    p->Canvas()->CopyRect(Rect(0, 0, r.Width(), r.Height()), from.Canvas(), r);
    return p;
}

}  // namespace

void WriteMenuEntries(TDataTree& tree, const String& folder, TBitmap& menu, std::span<const TMenuEntry> entries,
                      const std::vector<TMenuEntryLook>& looks) {
    std::vector<TRect> buttons;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TRect r = gfx::Intersect(PictureRect(entries[i]), entries[i].HotArea);
        for (std::size_t j = i + 1; j < entries.size(); ++j) r = CutAway(r, entries[j].HotArea);
        buttons.push_back(r);
        DrawButton(menu.Canvas(), r, looks[i].Caption, looks[i].Face, 1);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TMenuEntry& e = entries[i];
        const TRect picture = PictureRect(e);
        tree.WriteBmp(folder + e.Name + "1.bmp", *Piece(menu, picture));
        TBitmap hovered;
        hovered.Assign(&menu);
        DrawButton(hovered.Canvas(), buttons[i], looks[i].Caption, looks[i].Face, 2);
        tree.WriteBmp(folder + e.Name + "2.bmp", *Piece(hovered, picture));
    }
}
