// The start-up, town and detail page files.
#include <cmath>
#include <cstring>

#include "platform/core/strings.h"
#include "shell/DetailCodes.h"
#include "shell/TownPlaceTable.h"
#include "shell/UScramble.h"
#include "tools/datagen/Art.h"
#include "tools/datagen/Generate.h"
#include "tools/datagen/Professions.h"

namespace {

struct THelp {
    const char* Name;
    const char* Text;
};
constexpr THelp HelpTexts[] = {
    {"dvojice", "Najdi dvojice. Otoč kartičku a najdi k věci toho, komu patří."},
    {"hasic", "Hasič hasí oheň. Namiř na hořící okno a drž tlačítko myši."},
    {"instal1", "Polož trubky od ventilu k umyvadlu. Vyber díl vpravo a klikni do mřížky."},
    {"instal2", "Spoj ventil s bojlerem a bojler s umyvadlem. Vyber díl a polož ho."},
    {"letadlo", "Poslouchej zvuk a klikni na toho, komu patří."},
    {"malir", "Vyber barvu dole a klikni na stěnu. Válečkem uděláš vzor."},
    {"mesto", "Jezdi myší po městě. Klikni na místo a uvidíš, kdo tam pracuje."},
    {"michacka", "Vezmi věc dole a odnes ji na místo ve městě, kam patří."},
    {"modelka", "Vyber oblečení a obleč modelku. Kliknutím na modelku ho sundáš."},
    {"pexeso", "Otáčej kartičky a hledej dvojice stejných obrázků."},
    {"polda", "Dej každému jeho nástroj. Vezmi věc dole a klikni na člověka."},
    {"popel", "Dej každému jeho čepici. Vezmi čepici dole a klikni na člověka."},
    {"sloup", "Kdo to je? Klikni na správné jméno."},
    {"smolar", "Kdo to vyřeší? Vyber šipkami toho, kdo pomůže, a klikni na něj."},
    {"vizaz", "Nalič obličej. Klikni na barvy vlevo a vpravo."},
    {"vrata", "Kdo sem patří? Vyber šipkami toho, kdo tady pracuje, a klikni na něj."},
    {"zahrad", "Kdo to je? Klikni na obrázek, který patří k větě."}};

constexpr const char* ExitQuestion = "Opravdu chceš skončit?";
constexpr const char* RightAnswerWord = "Správně!";

String Section(int n) { return SectionKey(DetailCodeFor(n)); }

// Page i of profession n is spoken from its start time; pages follow each
// other with a short pause.
constexpr int PagePauseMs = 400;

std::vector<int> PageStartTimes(int n, const TSpeech& speech) {
    std::vector<int> times;
    int t = 0;
    for (const String& page : ProfessionPages(n)) {
        times.push_back(t);
        t += speech.Get(page).DurationMs() + PagePauseMs;
    }
    return times;
}

TPcm SpokenDescription(int n, const TSpeech& speech) {
    TPcm all;
    all.Rate = SoundRate;
    for (const String& page : ProfessionPages(n)) {
        Append(all, speech.Get(page));
        all.Samples.resize(all.Samples.size() + std::size_t(SoundRate * PagePauseMs / 1000), 0.0f);
    }
    return all;
}

std::string Crlf(const std::vector<String>& lines, bool finalLineEnd = true) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        s += lines[i];
        if (finalLineEnd || i + 1 < lines.size()) s += "\r\n";
    }
    return s;
}

void WriteCursors(TDataTree& tree) {
    std::vector<std::string> arrow(32), hand(32), help(32);
    for (int y = 0; y < 20; ++y) {
        std::string row(32, ' ');
        const int w = y < 14 ? y + 1 : 14 - (y - 14) * 2;
        for (int x = 0; x < w && x < 32; ++x) row[std::size_t(x)] = (x == 0 || x == w - 1 || y == 13) ? 'X' : 'o';
        arrow[std::size_t(y)] = row;
        help[std::size_t(y)] = row;
    }
    const char* questionMark[] = {" XXXX ", "XX  XX", "    XX", "   XX ", "  XX  ", "  XX  ", "      ", "  XX  "};
    for (int y = 0; y < 8; ++y) help[std::size_t(y + 4)].replace(18, 6, questionMark[y]);
    for (int y = 0; y < 26; ++y) {
        std::string row(32, ' ');
        if (y < 10) {  // the finger
            row.replace(6, 6, "XooooX");
        } else {       // the palm
            for (int x = 2; x < 24; ++x) row[std::size_t(x)] = (x == 2 || x == 23 || y == 25) ? 'X' : 'o';
        }
        if (y == 0) row.replace(6, 6, "XXXXXX");
        hand[std::size_t(y)] = row;
    }
    tree.WriteBytes("cur\\arrow.cur", CursorFile(arrow, 0, 0));
    tree.WriteBytes("cur\\hand.cur", CursorFile(hand, 9, 0));
    tree.WriteBytes("cur\\help.cur", CursorFile(help, 0, 0));
}

void WriteSounds(TDataTree& tree, const TSpeech& speech) {
    tree.WriteWav("sound\\enter.wav", Tone(880, 60, 0.3f));
    tree.WriteWav("sound\\click.wav", Tone(660, 80));
    tree.WriteWav("sound\\enter1.wav", Tone(990, 60, 0.3f));
    tree.WriteWav("sound\\click1.wav", Tone(550, 80));
    // The picture games' solved scene shows while it plays; the who-is-it
    // game waits 1 s after it and the next sound would cut a longer one.
    tree.WriteWav("sound\\spravne.wav", Lasting(speech.Get(RightAnswerWord), SolvedSceneMinMs));
    tree.WriteWav("sound\\spatne.wav", Notes({330, 262}, 180));
    tree.WriteWav("sound\\exit.wav", speech.Get(ExitQuestion));
    tree.WriteWav("sound\\ex_ano.wav", speech.Get("Ano"));
    tree.WriteWav("sound\\ex_ne.wav", speech.Get("Ne"));
    for (const auto& h : HelpTexts) tree.WriteWav(String("sound\\help\\") + h.Name + ".wav", speech.Get(h.Text));
}

std::unique_ptr<TBitmap> AnswerStrip(const String& word, TColor colour) {
    auto strip = NewPicture(8 * 128, 104, clWhite);
    TCanvas* c = strip->Canvas();
    for (int f = 0; f < 8; ++f) {
        const TRect r = Bounds(f * 128, 0, 128, 104);
        FillRect(c, r, Lighter(colour, 0.75 - 0.08 * f));
        const int d = 30 + 8 * f;
        FillEllipse(c, Bounds(r.Left + 64 - d / 2, 52 - d / 2, d, d), colour);
        DrawCaption(c, r, word, clBlack, 20 + 2 * f);
    }
    return strip;
}

void WriteStartupPictures(TDataTree& tree) {
    auto splash = ScreenBackground("", RGBColor(80, 140, 220), 0);
    DrawCaption(splash->Canvas(), Rect(0, 120, 640, 240), "Velamo", RGBColor(255, 255, 255), 96);
    DrawCaption(splash->Canvas(), Rect(0, 250, 640, 300), "Povolání pro děti", RGBColor(20, 30, 80), 30);
    tree.WriteBmp("hl_obr\\splash.bmp", *splash);
    auto credits = ScreenBackground("", RGBColor(60, 110, 60), 0);
    DrawCaption(credits->Canvas(), Rect(0, 140, 640, 220), "Na shledanou!", clWhite, 60);
    DrawCaption(credits->Canvas(), Rect(0, 240, 640, 290), "Velamo – povolání pro děti", RGBColor(230, 255, 230), 28);
    tree.WriteBmp("hl_obr\\credits.bmp", *credits);
    tree.WriteBmp("hl_obr\\ano.bmp", *AnswerStrip("Ano", RGBColor(80, 200, 80)));
    tree.WriteBmp("hl_obr\\ne.bmp", *AnswerStrip("Ne", RGBColor(230, 80, 70)));

    // Centred at (150, 160), so at (150, 160) on the screen: the question
    // above the two strips, and the yes and no buttons on their hot areas
    // (165, 274, 34×28) and (442, 269, 32×35).
    auto exit = MessagePicture(340, 160, "", RGBColor(255, 240, 180));
    DrawCaption(exit->Canvas(), Rect(10, 1, 330, 21), ExitQuestion, clBlack, 18);
    DrawButton(exit->Canvas(), Bounds(165 - 150, 274 - 160, 34, 28), "Ano", RGBColor(150, 230, 150), 1);
    DrawButton(exit->Canvas(), Bounds(442 - 150, 269 - 160, 32, 35), "Ne", RGBColor(250, 160, 150), 1);
    tree.WriteBmp("hl_obr\\exit.bmp", *exit);

    for (const auto& b : MessageButtons())
        for (int state = 1; state <= 3; ++state) {
            const int width = b.Bounds.Width();
            auto p = NewPicture(width, 29, clWhite);
            DrawButton(p->Canvas(), Rect(0, 0, width, 29), b.Label, MessageButtonFace(), state);
            tree.WriteBmp(String("hl_obr\\hlasky\\") + b.Name + char('0' + state) + ".bmp", *p);
        }

    for (const auto& b : BarButtons())
        for (int state = 1; state <= 2; ++state) {
            auto p = NewPicture(b.Bounds.Width(), b.Bounds.Height(), clWhite);
            DrawButton(p->Canvas(), Rect(0, 0, b.Bounds.Width(), b.Bounds.Height()), b.Label, BarButtonFace(), state);
            tree.WriteBmp(String(b.File) + char('0' + state) + ".bmp", *p);
        }
}

// The region of each place: the points nearer to its sample point than to
// any other, within PlaceRadius of it, with black borders between places.
constexpr int PlaceRadius = 60;

std::vector<signed char> TownRegions() {
    std::vector<signed char> region(std::size_t(TownWidth) * TownHeight, -1);
    for (int y = 2; y < TownHeight - 2; ++y)
        for (int x = 2; x < TownWidth - 2; ++x) {
            int best = -1, second = -1;
            long d1 = 1L << 40, d2 = 1L << 40;
            for (int i = 0; i < TownPlaceCount; ++i) {
                const TPoint p = TownPlaceTable[i].SamplePoint;
                if (std::abs(p.X - x) > 2 * PlaceRadius) continue;
                const long d = long(p.X - x) * (p.X - x) + long(p.Y - y) * (p.Y - y);
                if (d < d1) second = best, d2 = d1, best = i, d1 = d;
                else if (d < d2) second = i, d2 = d;
            }
            if (best < 0 || d1 > long(PlaceRadius) * PlaceRadius) continue;
            if (second >= 0) {
                const TPoint a = TownPlaceTable[best].SamplePoint, b = TownPlaceTable[second].SamplePoint;
                const double gap = std::hypot(a.X - b.X, a.Y - b.Y);
                if ((double(d2) - double(d1)) / (2 * gap) < 1.5) continue;  // on the border
            }
            region[std::size_t(y) * TownWidth + std::size_t(x)] = static_cast<signed char>(best);
        }
    return region;
}

// A place's house over its sample point (x, y) at `scale`, and its name
// below at most `nameHeight` high (none when 0).
void DrawPlaceSign(TCanvas* c, int x, int y, int profession, double scale, int nameHeight) {
    auto sized = [scale](int v) { return int(std::lround(v * scale)); };
    const TColor colour = Darker(ProfessionColour(profession), 0.25);
    FillRect(c, Rect(x - sized(14), y - sized(12), x + sized(14), y + sized(8)), colour);
    for (int k = 0; k < sized(10); ++k)
        FillRect(c, Rect(x - sized(16) + k, y - sized(13) - k, x + sized(16) - k, y - sized(12) - k),
                 Darker(colour, 0.3));
    FillRect(c, Rect(x - sized(4), y - sized(2), x + sized(4), y + sized(8)), RGBColor(250, 240, 200));
    if (nameHeight > 0)
        DrawCaption(c, Rect(x - 44, y + sized(8), x + 44, y + sized(8) + 28), ProfessionName(profession), clBlack,
                    nameHeight);
}

// A place's house and name at the largest size that lies wholly inside the
// place's region, so that what a child clicks as the place is the place.
void DrawPlaceSign(TBitmap& town, const std::vector<signed char>& region, const TTownPlace& place) {
    const TPoint s = place.SamplePoint;
    const int own = place.ProfessionNumber - 1;
    // Tried on a magenta sheet first: every pixel it draws must fall in the
    // region.
    constexpr int HalfWidth = 60, Above = 30, Below = 40;
    auto fits = [&](double scale, int nameHeight) {
        auto sheet = NewPicture(2 * HalfWidth, Above + Below, clMagenta);
        DrawPlaceSign(sheet->Canvas(), HalfWidth, Above, place.ProfessionNumber, scale, nameHeight);
        for (int y = 0; y < sheet->Height(); ++y)
            for (int x = 0; x < sheet->Width(); ++x) {
                if (sheet->Pixels().Get(x, y) == clMagenta) continue;
                const int tx = s.X - HalfWidth + x, ty = s.Y - Above + y;
                if (tx < 0 || ty < 0 || tx >= TownWidth || ty >= TownHeight) return false;
                if (region[std::size_t(ty) * TownWidth + std::size_t(tx)] != own) return false;
            }
        return true;
    };
    for (double scale : {1.0, 0.8, 0.6})
        for (int nameHeight : {13, 12, 11, 10, 9, 8, 0})
            if (fits(scale, nameHeight)) {
                DrawPlaceSign(town.Canvas(), s.X, s.Y, place.ProfessionNumber, scale, nameHeight);
                return;
            }
}

TColor MaskColour(int place) { return RGBColor(20 + 5 * place, 250 - 5 * place, 100 + 3 * place); }

void WriteTown(TDataTree& tree) {
    const std::vector<signed char> region = TownRegions();
    auto town = NewPicture(TownWidth, TownHeight, clWhite);
    auto mask = NewPicture(TownWidth, TownHeight, clBlack);
    FillGradient(town->Canvas(), Rect(0, 0, TownWidth, TownHeight / 3), RGBColor(150, 200, 255), RGBColor(210, 235, 255));
    FillGradient(town->Canvas(), Rect(0, TownHeight / 3, TownWidth, TownHeight), RGBColor(150, 210, 120), RGBColor(90, 160, 70));
    Surface& t = town->Pixels();
    Surface& m = mask->Pixels();
    for (int y = 0; y < TownHeight; ++y)
        for (int x = 0; x < TownWidth; ++x) {
            const int r = region[std::size_t(y) * TownWidth + std::size_t(x)];
            if (r < 0) {
                // Edge of a place: a dark outline in the panorama.
                const bool nearPlace = (x > 0 && region[std::size_t(y) * TownWidth + std::size_t(x - 1)] >= 0) ||
                                       (x + 1 < TownWidth && region[std::size_t(y) * TownWidth + std::size_t(x + 1)] >= 0) ||
                                       (y > 0 && region[std::size_t(y - 1) * TownWidth + std::size_t(x)] >= 0) ||
                                       (y + 1 < TownHeight && region[std::size_t(y + 1) * TownWidth + std::size_t(x)] >= 0);
                if (nearPlace) t.Set(x, y, RGBColor(60, 50, 40));
                continue;
            }
            m.Set(x, y, MaskColour(r));
            t.Set(x, y, Lighter(ProfessionColour(r + 1), 0.35));
        }
    for (const auto& p : TownPlaceTable) DrawPlaceSign(*town, region, p);
    tree.WriteBmp("mesto.bmp", *town);
    tree.WriteBmp("mesto_m.bmp", *mask);

    for (const auto& p : TownPlaceTable) {
        const String name = CapitalFirst(ProfessionName(p.ProfessionNumber));
        auto probe = NewPicture(1, 1, clWhite);
        probe->Canvas()->Font.Name = "Arial";
        probe->Canvas()->Font.Style = fsBold;
        probe->Canvas()->Font.SetHeight(-13);
        const int w = std::max(60, probe->Canvas()->TextWidth(name) + 12);
        auto plate = NewPicture(w, 20, RGBColor(255, 250, 210));
        FrameRect(plate->Canvas(), Rect(0, 0, w, 20), Darker(ProfessionColour(p.ProfessionNumber), 0.4), 2);
        DrawCaption(plate->Canvas(), Rect(0, 0, w, 20), name, clBlack, 13);
        tree.WriteBmp(String("hl_obr\\nazvy\\") + p.PlaceCode + ".bmp", *plate);
    }

    // The frame: opaque except its window onto the town.
    auto frame = ScreenBackground("", RGBColor(150, 100, 50), bbExit | bbGames | bbSimulations | bbHelp);
    FillGradient(frame->Canvas(), Rect(0, 0, 640, 421), RGBColor(170, 120, 60), RGBColor(130, 85, 40));
    FillRect(frame->Canvas(), Rect(6, 6, 6 + 628, 6 + TownHeight), clMagenta);
    FillRect(frame->Canvas(), Rect(14, 408, 626, 413), RGBColor(70, 45, 20));
    DrawCaption(frame->Canvas(), Rect(520, 421, 640, 480), "Velamo", RGBColor(255, 230, 160), 22);
    tree.WriteBmp("hl_obr\\pozadi.bmp", *frame);
    auto thumb = NewPicture(12, 9, RGBColor(255, 200, 0));
    FrameRect(thumb->Canvas(), Rect(0, 0, 12, 9), RGBColor(90, 50, 0));
    tree.WriteBmp("hl_obr\\posuv.bmp", *thumb);
}

// One frame of profession n's animation: its colour, its name and a ball
// rolling across.
Surface AnimationFrame(int n, int frame, int frames) {
    auto p = NewPicture(120, 90, Lighter(ProfessionColour(n), 0.5));
    TCanvas* c = p->Canvas();
    FrameRect(c, Rect(0, 0, 120, 90), Darker(ProfessionColour(n), 0.4), 2);
    DrawCaption(c, Rect(2, 2, 118, 30), ProfessionName(n), clBlack, 14);
    const int x = 8 + frame * (120 - 36) / std::max(1, frames - 1);
    FillEllipse(c, Bounds(x, 40, 20, 20), Darker(ProfessionColour(n), 0.3));
    DrawCaption(c, Rect(0, 64, 120, 88), IntToStr(frame + 1), clBlack, 16);
    return p->Pixels();
}

// The page's up and down arrows: 1 normal, 2 hover, 3 pressed.
std::unique_ptr<TBitmap> ArrowPicture(bool up, int state) {
    auto arrow = NewPicture(12, 17, state == 2 ? RGBColor(255, 230, 140) : state == 3 ? RGBColor(200, 150, 40) : RGBColor(240, 200, 80));
    for (int k = 0; k < 6; ++k) {
        const int y = up ? 4 + k : 12 - k;
        FillRect(arrow->Canvas(), Rect(6 - k, y, 6 + k, y + 1), RGBColor(60, 30, 0));
    }
    return arrow;
}

constexpr int AnimationFrames = 6;
constexpr TPoint AnimationAt = {136, 170};

void WriteDetailPages(TDataTree& tree, const TSpeech& speech) {
    std::string texts, sheets;
    for (int n = 1; n <= ProfessionCount; ++n) {
        const String code = DetailCodeFor(n);
        const String name = CapitalFirst(ProfessionName(n));
        const TColor colour = ProfessionColour(n);

        auto page = ScreenBackground("", Lighter(colour, 0.5), bbExit | bbGames | bbSimulations | bbMenu | bbPrint);
        TCanvas* c = page->Canvas();
        FillRect(c, Rect(16, 18, 16 + 362, 18 + 391), Lighter(colour, 0.8));
        FrameRect(c, Rect(16, 18, 16 + 362, 18 + 391), Darker(colour, 0.4), 3);
        DrawFigure(c, Bounds(90, 50, 210, 330), colour, name);
        FillRect(c, Rect(407, 51, 407 + 224, 51 + 337), RGBColor(206, 255, 247));
        // The name above the text is the page's own label; the arrows show in
        // their normal look where the page places them.
        c->Draw(390, 46, ArrowPicture(true, 1).get());
        c->Draw(390, 378, ArrowPicture(false, 1).get());
        tree.WriteBmp("detaily\\" + code + ".bmp", *page);

        std::vector<String> script = {code, IntToStr(AnimationAt.X) + "," + IntToStr(AnimationAt.Y),
                                      IntToStr(AnimationFrames), "-"};
        for (int f = 0; f < AnimationFrames; ++f) script.push_back(IntToStr(f) + "x" + (f + 1 == AnimationFrames ? "400" : "200"));
        tree.WriteBytes("detaily\\" + code + ".dat", Crlf(script, false));

        std::vector<Surface> frames;
        for (int f = 0; f < AnimationFrames; ++f) frames.push_back(AnimationFrame(n, f, AnimationFrames));
        tree.WriteBytes("detaily\\" + code + ".avi", n % 4 == 1 ? AviUncompressed(frames, 10) : AviRle8(frames, 10));
        const double base = DistinctPitch(n);
        tree.WriteWav("detaily\\" + code + ".wav", Notes({base, base * 1.25, base * 1.5, base * 2}, 150));
        tree.WriteWav("detaily\\zvuky\\" + code + ".wav", SpokenDescription(n, speech));

        std::vector<String> section = {Section(n), name};
        const std::vector<String> pages = ProfessionPages(n);
        const std::vector<int> times = PageStartTimes(n, speech);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            section.push_back("@" + IntToStr(times[i]));
            section.push_back(pages[i] + " \\par ");
        }
        texts += Crlf(section);
        std::vector<String> sheet = {Section(n), name};
        for (const String& p : ProfessionSheet(n)) sheet.push_back(p);
        sheets += Crlf(sheet);
    }
    tree.WriteBytes("profese.dat", Scrambled(Utf8ToCp1250(texts)));
    tree.WriteBytes("profese_.dat", Scrambled(Utf8ToCp1250(sheets)));

    auto bar = NewPicture(640, 59, clWhite);
    {
        auto full = ScreenBackground("", clWhite, bbPrint | bbBack);
        bar->Canvas()->CopyRect(Rect(0, 0, 640, 59), full->Canvas(), Rect(0, 421, 640, 480));
    }
    tree.WriteBmp("detaily\\lista.bmp", *bar);
    auto thumb = NewPicture(8, 12, RGBColor(255, 200, 0));
    FrameRect(thumb->Canvas(), Rect(0, 0, 8, 12), RGBColor(90, 50, 0));
    tree.WriteBmp("detaily\\posuv.bmp", *thumb);
    for (int state = 1; state <= 3; ++state) {
        for (bool up : {true, false}) {
            tree.WriteBmp(String("detaily\\") + (up ? "up" : "dolu") + char('0' + state) + ".bmp", *ArrowPicture(up, state));
        }
    }
}

void WritePrintBackground(TDataTree& tree) {
    auto page = NewPicture(680, 1000, clWhite);
    TCanvas* c = page->Canvas();
    FrameRect(c, Rect(10, 10, 670, 990), RGBColor(120, 170, 230), 6);
    DrawCaption(c, Rect(400, 30, 660, 80), "Velamo", RGBColor(80, 120, 200), 36);
    DrawCaption(c, Rect(400, 90, 660, 120), "Povolání pro děti", RGBColor(80, 120, 200), 18);
    FillRect(c, Rect(30, 570, 650, 572), RGBColor(120, 170, 230));
    tree.WriteBmp("prnbckg.bmp", *page);
}

}  // namespace

const char* HelpText(const char* name) {
    for (const auto& h : HelpTexts)
        if (std::strcmp(h.Name, name) == 0) return h.Text;
    return "";
}

std::string Scrambled(const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    ScrambleStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

void RequestShellSpeech(TSpeech& speech) {
    for (const auto& h : HelpTexts) speech.Request(h.Text);
    speech.Request(ExitQuestion);
    speech.Request(RightAnswerWord);
    speech.Request("Ano");
    speech.Request("Ne");
    for (int n = 1; n <= ProfessionCount; ++n)
        for (const String& page : ProfessionPages(n)) speech.Request(page);
}

void WriteShellFiles(TDataTree& tree, const TSpeech& speech) {
    WriteCursors(tree);
    WriteSounds(tree, speech);
    WriteStartupPictures(tree);
    WriteTown(tree);
    WriteDetailPages(tree, speech);
    WritePrintBackground(tree);
}
