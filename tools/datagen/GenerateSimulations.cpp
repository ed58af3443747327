// The simulations' files: the menu, firefighter, dress-up, make-up, room
// painter and plumber.
#include <cmath>

#include "platform/core/strings.h"
#include "simulations/FirefighterTables.h"
#include "simulations/MakeupKinds.h"
#include "simulations/ModelKinds.h"
#include "simulations/PlumberTables.h"
#include "simulations/RoomPainterTables.h"
#include "simulations/SimulationMenuTable.h"
#include "tools/datagen/Art.h"
#include "tools/datagen/Generate.h"
#include "tools/datagen/PlumberLevels.h"

namespace {

constexpr int SimulationBar = bbExit | bbGames | bbSimulations | bbMenu | bbHelp;

// The titles of the printed screens, within the printed rectangle
// (15, 15)-(625, 415) and clear of what the screens paint.
constexpr TRect ModelTitle = {24, 24, 244, 64};
constexpr TRect MakeupTitle = {440, 24, 620, 60};

struct TMessage {
    const char* Picture;
    const char* Sound;
    const char* Text;
    // The message window's buttons whose normal look the picture holds.
    const char* Buttons[2] = {};
};
constexpr TMessage Messages[] = {
    {"simul\\hasic\\hlaska.bmp", "simul\\hasic\\hlaska.wav", "Konec hry: všechna okna vyhořela. Hrát znovu?", {"ano", "ne"}},
    {"simul\\instal\\hl_vse.bmp", "simul\\instal\\hl_vse.wav", "Musíš položit všechny trubky.", {"ok"}},
    {"simul\\instal\\hl_ok.bmp", "simul\\instal\\hl_ok.wav", "Voda teče! Hrát znovu?", {"ano", "ne"}},
    {"simul\\instal\\hl_ko.bmp", "simul\\instal\\hl_ko.wav", "Voda neteče. Zkusit znovu?", {"ano", "ne"}}};

TPcm Noise(int ms, float volume) {
    TPcm p;
    p.Rate = SoundRate;
    std::uint32_t state = 12345;
    for (int i = 0; i < SoundRate * ms / 1000; ++i) {
        state = state * 1103515245u + 12345u;
        p.Samples.push_back(volume * (float((state >> 16) & 0x7FFF) / 16384.0f - 1.0f));
    }
    return p;
}

void WriteMessages(TDataTree& tree, const TSpeech& speech) {
    for (const auto& m : Messages) {
        auto picture = MessagePicture(320, 160, m.Text, RGBColor(200, 235, 255));
        for (const char* button : m.Buttons)
            if (button) DrawMessageButtons(picture.get(), {button});
        tree.WriteBmp(m.Picture, *picture);
        tree.WriteWav(m.Sound, speech.Get(m.Text));
    }
}

void WriteMenu(TDataTree& tree) {
    const char* captions[5] = {"Instalatér", "Hasič", "Modelka", "Malíř", "Vizážistka"};
    auto menu = ScreenBackground("Simulace", RGBColor(200, 170, 230), bbExit | bbGames | bbMenu);
    std::vector<TMenuEntryLook> looks;
    for (int i = 0; i < 5; ++i) looks.push_back({captions[i], DistinctColour(i * 5 + 2, 0.4, 0.95)});
    WriteMenuEntries(tree, "simul\\vyber\\", *menu, SimulationMenuTable, looks);
    tree.WriteBmp("simul\\vyber\\pozadi.bmp", *menu);
}

// One window frame of the fire strip: glass, and a flame of `size` 0..1.
void FireFrame(TCanvas* c, int x0, double size, int flicker, bool burnt) {
    FillRect(c, Bounds(x0, 0, 40, 60), burnt ? RGBColor(40, 35, 30) : RGBColor(150, 200, 240));
    FrameRect(c, Bounds(x0, 0, 40, 60), RGBColor(90, 60, 40), 2);
    if (size <= 0) return;
    const int h = int(8 + 48 * size) + (flicker % 3) * 2, w = int(8 + 26 * size);
    FillEllipse(c, Bounds(x0 + 20 - w / 2, 58 - h, w, h), RGBColor(255, 120, 0));
    FillEllipse(c, Bounds(x0 + 20 - w / 4, 58 - h / 2, w / 2, h / 2), RGBColor(255, 230, 60));
}

void WriteFirefighter(TDataTree& tree) {
    auto house = ScreenBackground("Hasič", RGBColor(150, 190, 230), SimulationBar);
    TCanvas* c = house->Canvas();
    FillRect(c, Rect(160, 36, 480, 320), RGBColor(200, 150, 110));
    FrameRect(c, Rect(160, 36, 480, 320), RGBColor(120, 80, 50), 3);
    for (TPoint w : FireWindowTable) {
        FillRect(c, Bounds(w.X, w.Y, FireWindowWidth, FireWindowHeight), RGBColor(150, 200, 240));
        FrameRect(c, Bounds(w.X, w.Y, FireWindowWidth, FireWindowHeight), RGBColor(90, 60, 40), 2);
    }
    FillRect(c, Rect(555, 420, 635, 480), RGBColor(250, 250, 230));
    tree.WriteBmp("simul\\hasic\\pozadi.bmp", *house);

    const TPoint nozzle = {330, 318};
    for (int n = 0; n < CannonPictureCount; ++n) {
        auto cannon = NewPicture(100, 90, RGBColor(120, 160, 90));
        TCanvas* k = cannon->Canvas();
        FillRect(k, Rect(20, 60, 80, 90), RGBColor(200, 30, 30));
        const TPoint target = n == 0 ? TPoint{330, 0} : TPoint{FireWindowTable[n - 1].X + 20, FireWindowTable[n - 1].Y + 30};
        const double dx = target.X - nozzle.X, dy = target.Y - nozzle.Y, len = std::hypot(dx, dy);
        ThickLine(k, 50, 60, 50 + int(40 * dx / len), 60 + int(40 * dy / len), 10, RGBColor(60, 60, 70));
        DrawCaption(k, Rect(20, 62, 80, 90), IntToStr(n), clWhite, 16);
        tree.WriteBmp("simul\\hasic\\dela\\delo" + IntToStr(n) + ".bmp", *cannon);
    }

    for (const TFireStripPart& part : FireStripTable) {
        const int frames = part.Width / FireWindowWidth;
        auto strip = NewPicture(part.Width, FireWindowHeight, clWhite);
        const String name = part.Name;
        for (int f = 0; f < frames; ++f) {
            const double t = double(f) / std::max(1, frames - 1);
            double size = 0;
            bool burnt = false;
            if (name == "uvod") size = 0.15 * t;
            else if (name == "ohen1") size = 0.3;
            else if (name == "ohen1-2") size = 0.3 + 0.3 * t;
            else if (name == "ohen2") size = 0.6;
            else if (name == "ohen2-3") size = 0.6 + 0.4 * t;
            else if (name == "ohen3") size = 1.0;
            else if (name == "konec") size = 1.0 - 0.6 * t;
            else size = 0.4 * (1 - t), burnt = f > 0;
            FireFrame(strip->Canvas(), f * FireWindowWidth, size, f, burnt);
        }
        tree.WriteBmp("simul\\hasic\\ohen\\" + name + ".bmp", *strip);
    }

    // Each stream runs from the cannon's nozzle to the middle of its window.
    constexpr int StreamFrames = WaterStreamMinFrames;
    for (int w = 1; w <= 12; ++w) {
        const TWaterStreamRecord& r = WaterStreamTable[w - 1];
        auto strip = NewPicture(StreamFrames * r.W, r.H, clMagenta);
        const TPoint window = {FireWindowTable[w - 1].X + 20 - r.X, FireWindowTable[w - 1].Y + 30 - r.Y};
        const TPoint from = {std::clamp(nozzle.X - r.X, 4, r.W - 4), r.H - 4};
        for (int f = 0; f < StreamFrames; ++f) {
            // Frames 0-3 reach out, 4 to n-4 loop (the whole stream), the
            // last three fall away: the end starts from the loop's last frame.
            double head = 1, tail = 0;
            if (f < 4) head = (f + 1) / 4.0;
            if (f > StreamFrames - 4) tail = (f - (StreamFrames - 4)) / 4.0;
            const int x0 = f * r.W;
            auto at = [&](double t) { return TPoint{x0 + from.X + int((window.X - from.X) * t), from.Y + int((window.Y - from.Y) * t)}; };
            const TPoint a = at(tail), b = at(head);
            ThickLine(strip->Canvas(), a.X, a.Y, b.X, b.Y, 7, RGBColor(40, 110, 230));
            ThickLine(strip->Canvas(), a.X, a.Y, b.X, b.Y, 3, RGBColor(170, 210, 255));
        }
        strip->Canvas()->SetPixel(0, r.H - 1, clMagenta);
        tree.WriteBmp("simul\\hasic\\voda\\voda" + IntToStr(w) + ".bmp", *strip);
    }
    tree.WriteWav("simul\\hasic\\voda.wav", Noise(1000, 0.25f));

    auto table = ScreenBackground("Nejlepší hasiči", RGBColor(250, 230, 180), bbBack);
    for (int row = 0; row < 10; ++row)
        FillRect(table->Canvas(), Rect(120, 84 + 24 * row + 20, 520, 84 + 24 * row + 21), RGBColor(180, 150, 100));
    // The table opens after a record, with the name field in the new row.
    DrawCaption(table->Canvas(), Rect(40, 340, 600, 400), "Nový rekord! Napiš své jméno a stiskni Enter.", RGBColor(90, 60, 10), 24);
    tree.WriteBmp("simul\\hasic\\tabulka.bmp", *table);
}

// Garment colours: kind k, item n.
TColor GarmentColour(int kind, int item) { return DistinctColour(kind * 17 + item, 0.6, 0.88); }

constexpr TColor ModelBackdrop = RGBColor(235, 225, 245);

void WriteModel(TDataTree& tree) {
    const TPoint o = BodyMaskOrigin;
    auto screen = ScreenBackground("", RGBColor(220, 200, 235), SimulationBar | bbPrint);
    TCanvas* c = screen->Canvas();
    // The title lies inside the printed rectangle, clear of the model and
    // the choosers, so the sheet shows it whole.
    DrawCaption(c, ModelTitle, "Modelka", Darker(RGBColor(220, 200, 235), 0.7), 30);
    FillRect(c, Rect(250, 30, 430, 421), ModelBackdrop);
    const TColor skin = RGBColor(246, 205, 170);
    FillEllipse(c, Bounds(o.X + 28, o.Y - 60, 44, 56), skin);  // head
    FillRect(c, Rect(o.X + 15, o.Y, o.X + 85, o.Y + 82), skin);   // upper body
    FillRect(c, Rect(o.X + 22, o.Y + 86, o.X + 47, o.Y + 237), skin);
    FillRect(c, Rect(o.X + 53, o.Y + 86, o.X + 78, o.Y + 237), skin);
    FillRect(c, Rect(o.X + 16, o.Y + 241, o.X + 49, o.Y + 262), skin);
    FillRect(c, Rect(o.X + 51, o.Y + 241, o.X + 84, o.Y + 262), skin);

    // The mask: upper body, legs and feet, black around and between them.
    auto mask = NewPicture(100, 300, clBlack);
    FillRect(mask->Canvas(), Rect(10, 2, 90, 82), RGBColor(200, 60, 60));
    FillRect(mask->Canvas(), Rect(18, 86, 82, 237), RGBColor(60, 180, 60));
    FillRect(mask->Canvas(), Rect(12, 241, 88, 290), RGBColor(60, 120, 220));
    tree.WriteBmp("simul\\modelka\\mod_mask.bmp", *mask);

    const char* names[6] = {"boty", "kalhoty", "košile", "šaty", "sukně", "tričko"};
    for (const TGarmentKind& k : GarmentKindTable) {
        for (int n = 1; n <= k.Items; ++n) {
            const TColor colour = GarmentColour(k.Tag, n);
            const String folder = String(k.Folder) + "\\" + k.Prefix + IntToStr(n) + ".bmp";
            auto preview = NewPicture(k.Chooser.Width(), k.Chooser.Height(), Lighter(colour, 0.6));
            FillRect(preview->Canvas(), Rect(4, 4, k.Chooser.Width() - 4, k.Chooser.Height() * 2 / 3), colour);
            DrawCaption(preview->Canvas(), Rect(0, k.Chooser.Height() * 2 / 3 - 4, k.Chooser.Width(), k.Chooser.Height()),
                        String(names[k.Tag - 1]) + " " + IntToStr(n), clBlack, 12);
            tree.WriteBmp("simul\\modelka\\vyber\\" + folder, *preview);
            // The screen shows the background until the first choice: each
            // chooser shows there what its first press puts on.
            if (n == 1) c->Draw(k.Chooser.Left, k.Chooser.Top, preview.get());

            std::unique_ptr<TBitmap> worn;
            const int dx = o.X - k.WornAt.X, dy = o.Y - k.WornAt.Y;  // the body's corner in the picture
            switch (k.Tag) {
            case 1:  // shoes, opaque, over the feet, with the legs' ends above them
                worn = NewPicture(100, 66, ModelBackdrop);
                FillRect(worn->Canvas(), Rect(dx + 22, 0, dx + 47, dy + 237), skin);
                FillRect(worn->Canvas(), Rect(dx + 53, 0, dx + 78, dy + 237), skin);
                FillRect(worn->Canvas(), Rect(dx + 14, dy + 239, dx + 49, dy + 266), colour);
                FillRect(worn->Canvas(), Rect(dx + 51, dy + 239, dx + 86, dy + 266), colour);
                break;
            case 2:  // trousers
                worn = NewPicture(150, 175, clMagenta);
                FillRect(worn->Canvas(), Rect(dx + 18, dy + 84, dx + 82, dy + 110), colour);
                FillRect(worn->Canvas(), Rect(dx + 18, dy + 110, dx + 48, dy + 236), colour);
                FillRect(worn->Canvas(), Rect(dx + 52, dy + 110, dx + 82, dy + 236), colour);
                break;
            case 3:  // shirt
            case 6:  // T-shirt
                worn = NewPicture(88, 90, clMagenta);
                FillRect(worn->Canvas(), Rect(dx + 10, dy + 2, dx + 90, dy + 84), colour);
                if (k.Tag == 3) FillRect(worn->Canvas(), Rect(dx + 47, dy + 2, dx + 53, dy + 84), Darker(colour, 0.3));
                break;
            case 4:  // dress, opaque, clear of the skirt's chooser on its right
                worn = NewPicture(130, 240, ModelBackdrop);
                FillRect(worn->Canvas(), Rect(dx + 12, dy, dx + 88, dy + 84), colour);
                for (int y = 84; y < 200; ++y) {
                    const int spread = (y - 84) / 10;
                    FillRect(worn->Canvas(), Rect(dx + 12 - spread, dy + y, dx + 88 + spread, dy + y + 1), colour);
                }
                FillRect(worn->Canvas(), Rect(dx + 22, dy + 200, dx + 47, dy + 237), RGBColor(246, 205, 170));
                FillRect(worn->Canvas(), Rect(dx + 53, dy + 200, dx + 78, dy + 237), RGBColor(246, 205, 170));
                break;
            default:  // skirt
                worn = NewPicture(150, 175, clMagenta);
                for (int y = 84; y < 160; ++y) {
                    const int spread = (y - 84) / 5;
                    FillRect(worn->Canvas(), Rect(dx + 16 - spread, dy + y, dx + 84 + spread, dy + y + 1), colour);
                }
                break;
            }
            DrawCaption(worn->Canvas(), Rect(0, worn->Height() / 2 - 10, worn->Width(), worn->Height() / 2 + 10), IntToStr(n),
                        Darker(colour, 0.6), 14);
            if (k.WornTransparent) worn->Canvas()->SetPixel(0, worn->Height() - 1, clMagenta);
            tree.WriteBmp("simul\\modelka\\oblec\\" + folder, *worn);
        }
    }
    tree.WriteBmp("simul\\modelka\\pozadi.bmp", *screen);
}

TColor MakeupColour(int kind, int tag) { return tag == 0 ? RGBColor(246, 205, 170) : DistinctColour(kind * 23 + tag, 0.7, 0.85); }

void WriteMakeup(TDataTree& tree) {
    const TColor skin = RGBColor(246, 205, 170);
    auto screen = ScreenBackground("", RGBColor(250, 210, 220), SimulationBar | bbPrint);
    TCanvas* c = screen->Canvas();
    // The title keeps right of the hairstyles and inside the printed
    // rectangle.
    DrawCaption(c, MakeupTitle, "Vizážistka", Darker(RGBColor(250, 210, 220), 0.7), 28);
    FillEllipse(c, Rect(180, 110, 380, 380), skin);
    FillEllipse(c, Bounds(233, 198, 34, 20), clWhite);
    FillEllipse(c, Bounds(298, 198, 34, 20), clWhite);
    FillEllipse(c, Bounds(244, 202, 12, 12), RGBColor(60, 100, 160));
    FillEllipse(c, Bounds(309, 202, 12, 12), RGBColor(60, 100, 160));
    FillEllipse(c, Bounds(282, 288, 34, 16), RGBColor(210, 120, 110));
    FillEllipse(c, Rect(150, 70, 410, 160), RGBColor(120, 80, 40));  // hairstyle 0
    // Each palette's opener: a small tray with the kind's name.
    const char* openerNames[5] = {"tváře", "rty", "stíny", "řasy", "linky"};
    for (int kind = 0; kind < 5; ++kind) {
        const TRect& r = MakeupKindTable[kind].Opener;
        FillRect(c, r, RGBColor(255, 240, 245));
        FrameRect(c, r, RGBColor(150, 80, 110), 2);
        DrawCaption(c, Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), openerNames[kind], RGBColor(120, 40, 80), 14);
    }
    FillRect(c, WigPreviewArea, RGBColor(255, 250, 250));
    tree.WriteBmp("simul\\vizaz\\pozadi.bmp", *screen);

    for (int n = 0; n < WigCount; ++n) {
        const TColor hair = DistinctColour(n * 3 + 7, 0.6, 0.6);
        auto wig = NewPicture(WigPreviewArea.Width(), WigPreviewArea.Height(), RGBColor(255, 250, 250));
        FillEllipse(wig->Canvas(), Rect(8, 8, 77, 60), hair);
        DrawCaption(wig->Canvas(), Rect(0, 62, 85, 86), "paruka " + IntToStr(n), clBlack, 12);
        tree.WriteBmp("simul\\vizaz\\paruky\\p" + IntToStr(n) + ".bmp", *wig);
        // Every hairstyle covers the same outline, which holds the
        // background's own hair: a new one covers the one before it whole.
        auto hairstyle = NewPicture(322, 164, clMagenta);
        TCanvas* h = hairstyle->Canvas();
        FillEllipse(h, Rect(14, 16, 320, 162), hair);
        const TColor streak = Darker(hair, 0.3);
        switch (n % 3) {
        case 0: FillRect(h, Rect(164, 20, 170, 70), streak); break;  // a parting
        case 1:
            for (int x = 60; x < 280; x += 40) FillEllipse(h, Bounds(x, 40 + (x / 40 % 2) * 10, 22, 22), streak);
            break;
        default: FillEllipse(h, Rect(110, 22, 224, 62), Lighter(hair, 0.3)); break;  // a bun
        }
        hairstyle->Canvas()->SetPixel(0, 163, clMagenta);
        tree.WriteBmp("simul\\vizaz\\vlasy\\v" + IntToStr(n) + ".bmp", *hairstyle);
    }

    for (int kind = 0; kind < 5; ++kind) {
        const TMakeupKind& k = MakeupKindTable[kind];
        auto palette = NewPicture(k.Panel.Width(), k.Panel.Height(), RGBColor(255, 245, 235));
        FrameRect(palette->Canvas(), Rect(0, 0, k.Panel.Width(), k.Panel.Height()), RGBColor(150, 80, 110));
        for (int i = 1; i <= k.Swatches; ++i) {
            const TMakeupSwatch s = MakeupSwatch(kind, i);
            const int size = kind == 3 ? LashesSwatchSize : SwatchSize;
            const TColor colour = kind == 3 ? (s.Tag == 1 ? clBlack : RGBColor(200, 200, 200)) : MakeupColour(kind, s.Tag);
            FillRect(palette->Canvas(), Bounds(s.Place.X, s.Place.Y, size, size), colour);
        }
        palette->Canvas()->SetPixel(0, k.Panel.Height() - 1, clMagenta);
        tree.WriteBmp(String("simul\\vizaz\\palety\\") + k.Palette + ".bmp", *palette);
    }

    auto layer = [&](const String& path, int w, int h, auto draw) {
        auto p = NewPicture(w, h, clMagenta);
        draw(p->Canvas());
        p->Canvas()->SetPixel(0, h - 1, clMagenta);
        tree.WriteBmp(path, *p);
    };
    for (int t = 0; t <= 6; ++t)
        layer("simul\\vizaz\\tvare\\t" + IntToStr(t) + ".bmp", 164, 40, [&](TCanvas* l) {
            FillEllipse(l, Rect(4, 6, 44, 34), MakeupColour(0, t));
            FillEllipse(l, Rect(120, 6, 160, 34), MakeupColour(0, t));
        });
    for (int t = 0; t < EyeShadowCount; ++t) {
        layer("simul\\vizaz\\rty\\r" + IntToStr(t) + ".bmp", 38, 22, [&](TCanvas* l) {
            FillEllipse(l, Rect(1, 2, 37, 20), t == 0 ? RGBColor(210, 120, 110) : MakeupColour(1, t));
        });
        for (bool lashes : {false, true})
            layer(String("simul\\vizaz\\") + (lashes ? "rasy\\r" : "stiny\\s") + IntToStr(t) + ".bmp", 120, 30, [&](TCanvas* l) {
                const TColor shadow = t == 0 ? skin : MakeupColour(2, t);
                for (int eye : {8, 73}) {
                    FillEllipse(l, Bounds(eye, 0, 40, 14), shadow);
                    FillEllipse(l, Bounds(eye + 3, 5, 34, 20), clWhite);
                    FillEllipse(l, Bounds(eye + 14, 9, 12, 12), RGBColor(60, 100, 160));
                    if (lashes)
                        for (int x = 0; x < 34; x += 5) FillRect(l, Rect(eye + 3 + x, 1, eye + 5 + x, 6), clBlack);
                }
            });
        layer("simul\\vizaz\\linky\\l" + IntToStr(t) + ".bmp", 110, 8, [&](TCanvas* l) {
            const TColor liner = t == 0 ? skin : MakeupColour(4, t);
            FillRect(l, Rect(5, 2, 45, 6), liner);
            FillRect(l, Rect(70, 2, 110, 6), liner);
        });
    }
}

// The room: ceiling, left, right and front wall, as polygons by rows.
constexpr int RoomTop = 14, RoomInnerTop = 70, RoomInnerBottom = 262, RoomBottom = 268;
constexpr int RoomLeft = 20, RoomInnerLeft = 160, RoomInnerRight = 480, RoomRight = 620;
constexpr TRect SwatchHole = {280, 210, 332, 250};

int SurfaceAt(int x, int y) {
    if (SwatchHole.Contains(x, y)) return 0;
    if (x >= RoomInnerLeft && x < RoomInnerRight && y >= RoomInnerTop && y < RoomInnerBottom) return 4;
    if (y >= RoomTop && y < RoomInnerTop) {
        const int inset = (y - RoomTop) * (RoomInnerLeft - RoomLeft) / (RoomInnerTop - RoomTop);
        if (x >= RoomLeft + inset && x < RoomRight - inset) return 2;
    }
    if (x >= RoomLeft && x < RoomInnerLeft) {
        const int top = RoomTop + (x - RoomLeft) * (RoomInnerTop - RoomTop) / (RoomInnerLeft - RoomLeft);
        const int bottom = RoomBottom - (x - RoomLeft) * (RoomBottom - RoomInnerBottom) / (RoomInnerLeft - RoomLeft);
        if (y >= top && y < bottom) return 1;
    }
    if (x >= RoomInnerRight && x < RoomRight) {
        const int top = RoomTop + (RoomRight - 1 - x) * (RoomInnerTop - RoomTop) / (RoomRight - RoomInnerRight);
        const int bottom = RoomBottom - (RoomRight - 1 - x) * (RoomBottom - RoomInnerBottom) / (RoomRight - RoomInnerRight);
        if (y >= top && y < bottom) return 3;
    }
    return 0;
}

// The palette field of each paint: the points nearer its marker than any
// other, within FieldRadius, with magenta between fields.
constexpr int FieldRadius = 13;

int PaletteFieldAt(int x, int y) {
    int best = -1;
    long d1 = 1L << 40, d2 = 1L << 40;
    int second = -1;
    for (int i = 0; i < 31; ++i) {
        const TPoint m = PaintColourTable[i].Marker;
        const long d = long(m.X - x) * (m.X - x) + long(m.Y - y) * (m.Y - y);
        if (d < d1) second = best, d2 = d1, best = i, d1 = d;
        else if (d < d2) second = i, d2 = d;
    }
    if (d1 > long(FieldRadius) * FieldRadius) return -1;
    const TPoint a = PaintColourTable[best].Marker, b = PaintColourTable[second].Marker;
    if ((double(d2) - double(d1)) / (2 * std::hypot(a.X - b.X, a.Y - b.Y)) < 1.5) return -1;
    return best;
}

TColor SurfaceStartColour(int s) {
    const TColor colours[4] = {RGBColor(230, 220, 200), RGBColor(250, 250, 245), RGBColor(220, 230, 200), RGBColor(240, 235, 215)};
    return colours[s - 1];
}

void WriteRoomPainter(TDataTree& tree) {
    auto screen = ScreenBackground("", RGBColor(200, 190, 170), bbExit | bbGames | bbSimulations | bbMenu | bbPrint | bbHelp);
    std::unique_ptr<TBitmap> surfaces[4];
    for (auto& s : surfaces) s = NewPicture(640, 480, clMagenta);
    auto fields = NewPicture(640, 480, clMagenta);
    Surface& room = screen->Pixels();
    for (int y = 0; y < 417; ++y)
        for (int x = 0; x < 640; ++x) {
            const int s = SurfaceAt(x, y);
            if (s) {
                surfaces[s - 1]->Pixels().Set(x, y, SurfaceStartColour(s));
                room.Set(x, y, SurfaceStartColour(s));
            }
            if (y >= 268) {
                const int f = PaletteFieldAt(x, y);
                if (f >= 0) {
                    fields->Pixels().Set(x, y, PaintColourTable[f].Colour);
                    room.Set(x, y, PaintColourTable[f].Colour);
                }
            }
        }
    for (int i = 0; i < 4; ++i) tree.WriteBmp(String("simul\\malpok\\steny\\") + RoomSurfaceTable[i].Picture + ".bmp", *surfaces[i]);
    tree.WriteBmp("simul\\malpok\\barvy.bmp", *fields);
    FrameRect(screen->Canvas(), Rect(SwatchHole.Left - 2, SwatchHole.Top - 2, SwatchHole.Right + 2, SwatchHole.Bottom + 2), RGBColor(90, 70, 50));
    FillRect(screen->Canvas(), SwatchHole, RGBColor(255, 255, 255));
    DrawCaption(screen->Canvas(), Rect(416, 280, 540, 304), "Štětka / váleček", clBlack, 14);
    // The brush and the roller on their hot areas, the pictures that show
    // the tool taken drawn with magenta left out.
    auto brush = NewPicture(48, 48, clMagenta);
    FillRect(brush->Canvas(), Rect(20, 2, 28, 30), RGBColor(140, 90, 40));
    FillRect(brush->Canvas(), Rect(12, 30, 36, 46), RGBColor(240, 220, 120));
    tree.WriteBmp("simul\\malpok\\stetka.bmp", *brush);
    auto roller = NewPicture(48, 48, clMagenta);
    FillRect(roller->Canvas(), Rect(4, 4, 44, 20), RGBColor(120, 170, 230));
    FillRect(roller->Canvas(), Rect(22, 20, 26, 46), RGBColor(140, 90, 40));
    tree.WriteBmp("simul\\malpok\\valecek.bmp", *roller);
    for (auto* tool : {brush.get(), roller.get()}) tool->Transparent = true;
    for (const auto& [area, tool] : {std::pair{RoomToolAreas[0], brush.get()}, std::pair{RoomToolAreas[1], roller.get()}}) {
        FillRect(screen->Canvas(), area, RGBColor(235, 225, 205));
        FrameRect(screen->Canvas(), area, RGBColor(90, 70, 50), 2);
        screen->Canvas()->Draw((area.Left + area.Right - 48) / 2, (area.Top + area.Bottom - 48) / 2, tool);
    }
    tree.WriteBmp("simul\\malpok\\pozadi.bmp", *screen);

    for (int n = 1; n <= 31; ++n) {
        auto swatch = NewPicture(48, 36, PaintColourTable[n - 1].Colour);
        FrameRect(swatch->Canvas(), Rect(0, 0, 48, 36), RGBColor(60, 50, 40), 2);
        DrawCaption(swatch->Canvas(), Rect(0, 0, 48, 36), IntToStr(n), clBlack, 16);
        tree.WriteBmp("simul\\malpok\\barvy\\" + IntToStr(n) + ".bmp", *swatch);
    }

    auto patternAt = [](int n, int x, int y) {
        switch (n % 5) {
        case 0: return (x / 12) % 2 == 0;
        case 1: return (y / 12) % 2 == 0;
        case 2: return ((x + y) / 14) % 2 == 0;
        case 3: return (x % 24 - 12) * (x % 24 - 12) + (y % 24 - 12) * (y % 24 - 12) < 30;
        default: return ((x / 16) + (y / 16)) % 2 == 0;
        }
    };
    for (int n = 1; n <= RollerPatternCount; ++n) {
        const TColor ink = DistinctColour(n * 11, 0.5, n > 5 ? 0.6 : 0.9);
        auto preview = NewPicture(48, 48, clMagenta);
        for (int y = 4; y < 44; ++y)
            for (int x = 4; x < 44; ++x) preview->Pixels().Set(x, y, patternAt(n, x, y) ? ink : RGBColor(250, 250, 250));
        preview->Canvas()->SetPixel(0, 47, clMagenta);
        tree.WriteBmp("simul\\malpok\\valecky\\" + IntToStr(n) + ".bmp", *preview);
        auto pattern = NewPicture(RoomRight - 6, RoomBottom - 13, clMagenta);
        for (int y = 0; y < pattern->Height(); ++y)
            for (int x = 0; x < pattern->Width(); ++x)
                if (SurfaceAt(x + 6, y + 13) && patternAt(n, x, y)) pattern->Pixels().Set(x, y, ink);
        tree.WriteBmp("simul\\malpok\\vzory\\" + IntToStr(n) + ".bmp", *pattern);
    }
    for (int k = 1; k <= 2; ++k) {
        auto b = NewPicture(80, 62, clWhite);
        DrawButton(b->Canvas(), Rect(0, 0, 80, 62), "Nábytek", RGBColor(200, 230, 160), k == 1 ? 2 : 1);
        tree.WriteBmp("simul\\malpok\\obyv" + IntToStr(k) + ".bmp", *b);
    }
    auto furnished = NewPicture(RoomRight - 6, RoomBottom - 6, clMagenta);
    TCanvas* f = furnished->Canvas();
    FillRect(f, Rect(190, 190, 390, 250), RGBColor(150, 60, 60));  // sofa
    FillRect(f, Rect(180, 170, 400, 196), RGBColor(120, 40, 40));
    FillRect(f, Rect(430, 200, 470, 250), RGBColor(120, 80, 40));  // table
    FillRect(f, Rect(60, 120, 70, 250), RGBColor(60, 60, 60));     // lamp
    FillEllipse(f, Rect(40, 100, 90, 130), RGBColor(250, 230, 120));
    DrawCaption(f, Rect(190, 196, 390, 246), "Obývák", clWhite, 22);
    tree.WriteBmp("simul\\malpok\\obyvak.bmp", *furnished);
}

void DrawEmptyCell(TCanvas* c, const TRect& r) {
    FillRect(c, r, RGBColor(225, 225, 215));
    FrameRect(c, r, RGBColor(190, 190, 180));
}

// A pipe from the cell's centre out through each open side.
void DrawPipeA(TCanvas* c, const TRect& r, Byte openings, TColor colour) {
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, half = 9;
    FillRect(c, Rect(cx - half, cy - half, cx + half, cy + half), colour);
    if (openings & psTop) FillRect(c, Rect(cx - half, r.Top, cx + half, cy), colour);
    if (openings & psBottom) FillRect(c, Rect(cx - half, cy, cx + half, r.Bottom), colour);
    if (openings & psLeft) FillRect(c, Rect(r.Left, cy - half, cx, cy + half), colour);
    if (openings & psRight) FillRect(c, Rect(cx, cy - half, r.Right, cy + half), colour);
}

void DrawBasin(TCanvas* c, const TRect& r, double water) {
    const int w = r.Width(), h = r.Height();
    FillRect(c, Rect(r.Left + w / 2 - w / 7, r.Top, r.Left + w / 2 + w / 7, r.Top + h / 3), RGBColor(120, 120, 140));
    FillEllipse(c, Rect(r.Left + 3, r.Top + h / 3, r.Right - 3, r.Bottom - 3), RGBColor(250, 250, 255));
    FrameRect(c, Rect(r.Left + 3, r.Top + h / 3, r.Right - 3, r.Bottom - 3), RGBColor(120, 120, 140));
    if (water > 0) {
        const int top = r.Bottom - 5 - int((h * 2 / 3 - 8) * water);
        FillRect(c, Rect(r.Left + 8, top, r.Right - 8, r.Bottom - 6), RGBColor(60, 130, 230));
    }
    DrawCaption(c, Rect(r.Left + 4, r.Bottom - 20, r.Right - 4, r.Bottom - 6), "umyvadlo", RGBColor(20, 20, 60), 12);
}

void DrawValve(TCanvas* c, const TRect& r, double turn, Byte openings) {
    DrawPipeA(c, r, openings, RGBColor(120, 120, 140));
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, arm = r.Width() / 3;
    FillEllipse(c, Rect(cx - 8, cy - 8, cx + 8, cy + 8), RGBColor(200, 30, 30));
    const double a = turn * 3.14159;
    ThickLine(c, cx - int(arm * std::cos(a)), cy - int(arm * std::sin(a)), cx + int(arm * std::cos(a)), cy + int(arm * std::sin(a)), 5,
              RGBColor(200, 30, 30));
    DrawCaption(c, Rect(r.Left, r.Top + 2, r.Right, r.Top + 16), "ventil", RGBColor(20, 20, 60), 12);
}

std::unique_ptr<TBitmap> Strip(int frames, int size, TColor background, auto draw) {
    auto strip = NewPicture(frames * size, size, background);
    for (int f = 0; f < frames; ++f) draw(strip->Canvas(), Bounds(f * size, 0, size, size), double(f) / (frames - 1));
    return strip;
}

// The part switch: each part shows its own picture normally ("inst_a" on
// part A) and the other part's while hovered, where a click goes.
struct TPartSwitchPicture {
    const char* Name;
    const char* Caption;
    TColor Face;
};
const TPartSwitchPicture PartSwitchPictures[2] = {{"inst_a", "Část A", RGBColor(170, 220, 170)},
                                                  {"inst_b", "Část B", RGBColor(170, 200, 240)}};

void DrawPartSwitch(TCanvas* c, const TRect& r, const TPartSwitchPicture& part) {
    DrawButton(c, r, part.Caption, part.Face, 1);
}

void WritePlumberA(TDataTree& tree) {
    const TColor pipe = RGBColor(90, 140, 200);
    auto screen = ScreenBackground("", RGBColor(190, 210, 230), SimulationBar | bbPrint);
    DrawPartSwitch(screen->Canvas(), Bounds(560, 418, 70, 59), PartSwitchPictures[0]);
    for (int r = 0; r < PlumberARows; ++r)
        for (int col = 0; col < PlumberAColumns; ++col)
            DrawEmptyCell(screen->Canvas(), Bounds(PlumberAGridOrigin.X + col * PlumberACell, PlumberAGridOrigin.Y + r * PlumberACell,
                                                   PlumberACell, PlumberACell));
    for (int k = 1; k <= 8; ++k) {
        const TPlumberAKind& kind = PlumberAKindTable[k - 1];
        auto cell = NewPicture(PlumberACell, PlumberACell, clWhite);
        DrawEmptyCell(cell->Canvas(), Rect(0, 0, PlumberACell, PlumberACell));
        if (k == 7) DrawBasin(cell->Canvas(), Rect(0, 0, PlumberACell, PlumberACell), 0);
        else if (k == 8) DrawValve(cell->Canvas(), Rect(0, 0, PlumberACell, PlumberACell), 0, kind.Openings);
        else DrawPipeA(cell->Canvas(), Rect(0, 0, PlumberACell, PlumberACell), kind.Openings, pipe);
        tree.WriteBmp(String("simul\\instal\\A_verze\\") + kind.Picture + ".bmp", *cell);
    }
    for (int e = 0; e < 7; ++e) {
        const TPlumberAPaletteEntry& entry = PlumberAPaletteTable[e];
        const int w = entry.Label.Width(), h = entry.Label.Height();
        for (bool highlight : {false, true}) {
            auto p = NewPicture(w, h, highlight ? RGBColor(255, 240, 150) : RGBColor(235, 240, 250));
            FrameRect(p->Canvas(), Rect(0, 0, w, h), highlight ? RGBColor(220, 120, 0) : RGBColor(150, 160, 180), 2);
            if (e < 6) DrawPipeA(p->Canvas(), Rect(24, 2, 24 + h - 4, h - 2), PlumberAKindTable[e].Openings, pipe);
            else DrawCaption(p->Canvas(), Rect(0, 0, w, h), "Nová hra", clBlack, 14);
            if (highlight) tree.WriteBmp(String("simul\\instal\\A_verze\\") + entry.Highlight + ".bmp", *p);
            else screen->Canvas()->Draw(entry.Label.Left, entry.Label.Top, p.get());
        }
    }
    tree.WriteBmp("simul\\instal\\pozadiA.bmp", *screen);
    for (int n = 0; n <= PlumberAMaxStock; ++n) {
        auto digit = NewPicture(20, 16, RGBColor(235, 240, 250));
        DrawCaption(digit->Canvas(), Rect(0, 0, 20, 16), IntToStr(n), RGBColor(150, 0, 0), 14);
        tree.WriteBmp("simul\\instal\\A_verze\\cisla\\" + IntToStr(n) + ".bmp", *digit);
    }
    tree.WriteBmp("simul\\instal\\A_verze\\ventilAN.bmp", *Strip(ValveStripFrames, 60, RGBColor(225, 225, 215), [](TCanvas* c, TRect r, double t) {
        DrawValve(c, r, t, psLeft | psRight);
    }));
    tree.WriteBmp("simul\\instal\\A_verze\\umyvAN.bmp", *Strip(BasinStripFrames, 60, RGBColor(225, 225, 215), [](TCanvas* c, TRect r, double t) {
        DrawBasin(c, r, t);
    }));
    std::string levels;
    for (const TPlumberLevel& level : MakePlumberLevels(40)) levels += PlumberLevelLine(level) + "\r\n";
    tree.WriteBytes("instA.dat", levels);
}

// Lane positions inside a 49×49 cell: lane 1 and lane 2.
int Lane(int lane) { return lane == 1 ? 16 : 33; }

TPoint OpeningPoint(TPipeOpening o, int size) {
    const int last = size - 1;
    switch (o.Side) {
    case psTop: return {Lane(o.Lane), 0};
    case psBottom: return {Lane(o.Lane), last};
    case psLeft: return {0, Lane(o.Lane)};
    default: return {last, Lane(o.Lane)};
    }
}

// Part B's fixed pieces, each drawn unlike the others and named: the
// washbasin a white bowl under a tap, the valve a red hand wheel, the boiler
// a tall tank with its thermometer.
enum class TFixture { Basin, Valve, Boiler };

TFixture FixtureOf(const TPlumberBPiece& piece) {
    const String name = piece.Picture;
    if (name == "umyv") return TFixture::Basin;
    if (name == "bojler") return TFixture::Boiler;
    return TFixture::Valve;
}

// The fixture in its 49×49 (or 48×48 strip) cell `r`, with both lanes'
// pipe stubs from the open side; `t` 0..1 is the valve's turn or the water
// in the basin.
void DrawFixtureB(TCanvas* c, const TRect& r, Byte side, TFixture fixture, double t) {
    const TColor pipe = RGBColor(200, 110, 40), ink = RGBColor(20, 20, 60);
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    // On a white plate: the letters' soft edges then blend with white, not
    // with the transparent colour around the piece.
    const auto label = [&](const TRect& plate, const char* text) {
        FillRect(c, plate, clWhite);
        DrawCaption(c, plate, text, ink, 10);
    };
    // A point of the 49×49 cell in r.
    const auto at = [&](TPoint p) {
        return TPoint{r.Left + p.X * (r.Width() - 1) / (PlumberBCell - 1), r.Top + p.Y * (r.Height() - 1) / (PlumberBCell - 1)};
    };
    for (int lane : {1, 2}) {
        const TPoint a = OpeningPoint({side, Byte(lane)}, PlumberBCell);
        const TPoint from = at(a), to = at({side & (psTop | psBottom) ? a.X : 24, side & (psLeft | psRight) ? a.Y : 24});
        ThickLine(c, from.X, from.Y, to.X, to.Y, 5, pipe);
    }
    switch (fixture) {
    case TFixture::Basin:
        FillRect(c, Rect(r.Left + 4, cy - 6, r.Right - 4, cy - 2), RGBColor(120, 120, 140));
        FillEllipse(c, Rect(r.Left + 4, cy - 14, r.Right - 4, cy + 12), RGBColor(120, 120, 140));
        FillEllipse(c, Rect(r.Left + 6, cy - 12, r.Right - 6, cy + 10), clWhite);
        FillRect(c, Rect(r.Left + 4, cy - 14, r.Right - 4, cy - 4), RGBColor(120, 120, 140));
        if (t > 0) FillRect(c, Rect(r.Left + 10, cy + 6 - int(12 * t), r.Right - 10, cy + 6), RGBColor(60, 130, 230));
        label(Rect(r.Left + 1, r.Bottom - 12, r.Right - 1, r.Bottom - 1), "umyvadlo");
        break;
    case TFixture::Valve: {
        const int radius = r.Width() / 4;
        FillEllipse(c, Rect(cx - radius, cy - radius, cx + radius, cy + radius), RGBColor(200, 30, 30));
        FillEllipse(c, Rect(cx - radius + 4, cy - radius + 4, cx + radius - 4, cy + radius - 4), RGBColor(250, 220, 210));
        for (int k = 0; k < 2; ++k) {
            const double a = (t + k * 0.5) * 3.14159;
            ThickLine(c, cx - int(radius * std::cos(a)), cy - int(radius * std::sin(a)), cx + int(radius * std::cos(a)),
                      cy + int(radius * std::sin(a)), 3, RGBColor(200, 30, 30));
        }
        label(Rect(r.Left + 6, r.Top + 1, r.Right - 6, r.Top + 12), "ventil");
        break;
    }
    case TFixture::Boiler:
        FillEllipse(c, Rect(r.Left + 9, r.Top + 1, r.Right - 9, r.Top + 11), RGBColor(120, 120, 140));
        FillRect(c, Rect(r.Left + 9, r.Top + 6, r.Right - 9, r.Bottom - 10), RGBColor(120, 120, 140));
        FillRect(c, Rect(r.Left + 11, r.Top + 6, r.Right - 11, r.Bottom - 12), RGBColor(255, 250, 225));
        FillRect(c, Rect(cx - 2, r.Top + 8, cx + 2, cy - 2), RGBColor(220, 40, 40));
        DrawCaption(c, Rect(r.Left + 1, cy - 2, r.Right - 1, cy + 10), "bojler", ink, 10);
        break;
    }
}

// A piece drawn into `box`, its 49 x 49 cell stretched to the box.
void DrawPieceB(TCanvas* c, const TRect& box, const TPlumberBPiece& piece) {
    const int last = PlumberBCell - 1;
    const auto s = [&](TPoint p) {
        return TPoint{box.Left + p.X * (box.Width() - 1) / last, box.Top + p.Y * (box.Height() - 1) / last};
    };
    const int width = std::max(3, 8 * std::min(box.Width(), box.Height()) / PlumberBCell);
    const TColor colour = RGBColor(200, 110, 40);
    if (piece.B.Side == 0) {
        DrawFixtureB(c, box, piece.A.Side, FixtureOf(piece), 0);
        return;
    }
    const TPoint a = OpeningPoint(piece.A, PlumberBCell), b = OpeningPoint(piece.B, PlumberBCell);
    // Along the first opening's lane to where it meets the second's.
    const TPoint corner = (piece.A.Side & (psTop | psBottom)) ? TPoint{a.X, b.Y} : TPoint{b.X, a.Y};
    ThickLine(c, s(a).X, s(a).Y, s(corner).X, s(corner).Y, width, colour);
    ThickLine(c, s(corner).X, s(corner).Y, s(b).X, s(b).Y, width, colour);
}

void WritePlumberB(TDataTree& tree) {
    auto screen = ScreenBackground("", RGBColor(210, 230, 200), SimulationBar | bbPrint);
    DrawPartSwitch(screen->Canvas(), Bounds(560, 418, 70, 59), PartSwitchPictures[1]);
    for (int r = 0; r < PlumberBRows; ++r)
        for (int col = 0; col < PlumberBColumns; ++col)
            DrawEmptyCell(screen->Canvas(), Bounds(PlumberBGridOrigin.X + col * PlumberBCell, PlumberBGridOrigin.Y + r * PlumberBCell,
                                                   PlumberBCell, PlumberBCell));
    for (const TPlumberBPiece& piece : PlumberBPieceTable) {
        auto p = NewPicture(PlumberBCell, PlumberBCell, clMagenta);
        DrawPieceB(p->Canvas(), Rect(0, 0, PlumberBCell, PlumberBCell), piece);
        p->Canvas()->SetPixel(0, PlumberBCell - 1, clMagenta);
        tree.WriteBmp(String("simul\\instal\\B_verze\\") + piece.Picture + ".bmp", *p);
    }
    // Each group's picture shows all its entries, each inside its hot area;
    // the chosen one lit.
    for (int g = 0; g < 7; ++g) {
        const TPlumberBPaletteGroup& group = PlumberBPaletteTable[g];
        const int w = 64, h = g + 1 < 7 ? std::min(62, PlumberBPaletteTable[g + 1].Origin.Y - group.Origin.Y - 2) : 38;
        const int entries = group.LastTag - group.FirstTag + 1;
        for (int chosen = -1; chosen < entries; ++chosen) {
            auto p = NewPicture(w, h, RGBColor(240, 245, 235));
            FrameRect(p->Canvas(), Rect(0, 0, w, h), RGBColor(150, 170, 140));
            for (int e = 0; e < entries; ++e) {
                const int tag = group.FirstTag + e;
                const TRect& label = group.Labels[e];
                const TRect area = Rect(label.Left - group.Origin.X, label.Top - group.Origin.Y,
                                        label.Right - group.Origin.X, label.Bottom - group.Origin.Y);
                if (e == chosen) FillRect(p->Canvas(), area, RGBColor(255, 230, 120));
                if (tag <= 20)
                    DrawPieceB(p->Canvas(), Rect(area.Left + 2, area.Top + 2, area.Right - 2, area.Bottom - 2),
                               PlumberBPieceTable[tag - 1]);
                else DrawCaption(p->Canvas(), area, "Nová hra", clBlack, 14);
            }
            if (chosen < 0) screen->Canvas()->Draw(group.Origin.X, group.Origin.Y, p.get());
            else tree.WriteBmp(String("simul\\instal\\B_verze\\") + group.Pictures[chosen] + ".bmp", *p);
        }
    }
    tree.WriteBmp("simul\\instal\\pozadiB.bmp", *screen);
    const auto cellColour = RGBColor(225, 225, 215);
    for (const char* name : {"vent_2AN", "vent_1AN"}) {
        const Byte side = name[5] == '2' ? psRight : psLeft;
        tree.WriteBmp(String("simul\\instal\\B_verze\\") + name + ".bmp",
                      *Strip(ValveStripFrames, PlumberBStripCell, cellColour,
                             [&](TCanvas* c, TRect r, double t) { DrawFixtureB(c, r, side, TFixture::Valve, t); }));
    }
    tree.WriteBmp("simul\\instal\\B_verze\\umyvAN.bmp",
                  *Strip(BasinStripFrames, PlumberBStripCell, cellColour,
                         [](TCanvas* c, TRect r, double t) { DrawFixtureB(c, r, psTop, TFixture::Basin, t); }));
}

void WritePlumberShared(TDataTree& tree) {
    for (const TPartSwitchPicture& part : PartSwitchPictures) {
        auto p = NewPicture(70, 59, clWhite);
        DrawPartSwitch(p->Canvas(), Rect(0, 0, 70, 59), part);
        tree.WriteBmp(String("simul\\instal\\") + part.Name + ".bmp", *p);
    }
    tree.WriteWav("simul\\instal\\ventil.wav", Notes({700, 900, 1100}, 90));
    tree.WriteWav("simul\\instal\\umyv.wav", Noise(1200, 0.2f));
}

}  // namespace

void RequestSimulationSpeech(TSpeech& speech) {
    for (const auto& m : Messages) speech.Request(m.Text);
}

void WriteSimulationFiles(TDataTree& tree, const TSpeech& speech) {
    WriteMessages(tree, speech);
    WriteMenu(tree);
    WriteFirefighter(tree);
    WriteModel(tree);
    WriteMakeup(tree);
    WriteRoomPainter(tree);
    WritePlumberA(tree);
    WritePlumberB(tree);
    WritePlumberShared(tree);
}
