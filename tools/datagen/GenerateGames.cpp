// The games' files: the games menu and the eight games.
#include <stdexcept>

#include "games/GameCodeLists.h"
#include "games/GamesMenuTable.h"
#include "games/TownGameThings.h"
#include "platform/core/strings.h"
#include "shell/TownPlaceTable.h"
#include "tools/datagen/Art.h"
#include "tools/datagen/Generate.h"
#include "tools/datagen/PictureGameScenes.h"
#include "tools/datagen/Professions.h"

namespace {

constexpr int GameBar = bbExit | bbGames | bbSimulations | bbMenu | bbHelp;

// Free sizes: small enough to keep the tree compact, except the picture
// games' scene and figure, which fill their parts of the screen to be read.
constexpr int SceneWidth = 424, SceneHeight = 404;  // picture game scenes at (6, 6), left of the arrows
constexpr int ChoiceWidth = 170, ChoiceHeight = 270; // picture game figures at (450, 70), above the down arrow
constexpr int DeliveryWidth = 100, DeliveryHeight = 120;
constexpr int SentenceWidth = 180, SentenceHeight = 36;  // "Kdo to je" B sentences at (164, 316)
constexpr int WhoWidth = 90, WhoHeight = 150;
constexpr int PersonWidth = 100, PersonHeight = 170;     // put-in-order persons in their 120×194 labels           // "Kdo to je" A figures at (238, 35)

struct TMenuCaption {
    const char* Name;
    const char* Caption;
};
constexpr TMenuCaption MenuCaptions[10] = {
    {"mich", "Čí to je"},      {"polda", "Nástroje"},   {"popel", "Čepice"},     {"dvoj", "Dvojice"},
    {"vrata", "Kdo sem patří"}, {"let", "Poslouchej"},   {"elektr", "Jména"}, {"zahrad", "Věty"},
    {"smolar", "Kdo to vyřeší"}, {"zenske", "Pexeso"}};

struct TMessage {
    const char* Picture;
    const char* Sound;
    const char* Text;
    // The again and end buttons, else yes and no; the games with again and
    // end show the right answer's name below the text.
    bool PokKonec;
};
constexpr TMessage Messages[] = {
    {"hry\\kdopatri\\hlaska.bmp", "hry\\kdopatri\\hlaska.wav", "Ten zvuk patří:", true},
    {"hry\\kdotoje\\a_hlaska.bmp", "hry\\kdotoje\\a_hlaska.wav", "Tohle je:", true},
    {"hry\\kdotoje\\b_hlaska.bmp", "hry\\kdotoje\\b_hlaska.wav", "Ta věta patří:", true},
    {"hry\\dvojice\\hlaska1.bmp", "hry\\dvojice\\hlaska1.wav", "Vyhrál jsi! Hrát znovu?", false},
    {"hry\\dvojice\\hlaska2.bmp", "hry\\dvojice\\hlaska2.wav", "Tentokrát to nevyšlo. Hrát znovu?", false},
    {"hry\\poradek\\hlaska.bmp", "hry\\poradek\\hlaska.wav", "Tři chyby. Hrát znovu?", false},
    {"hry\\pexeso\\hlaska1.bmp", "hry\\pexeso\\hlaska1.wav", "Vyhrál jsi! Hrát znovu?", false},
    {"hry\\pexeso\\hlaska2.bmp", "hry\\pexeso\\hlaska2.wav", "Vyhrál počítač. Hrát znovu?", false}};

String Code43(int position) { return GameCodeList43[position - 1].Code; }
int Number43(int position) { return GameProfessionToDetail(position); }

std::unique_ptr<TBitmap> Figure(int w, int h, int profession, TColor background = clWhite) {
    auto p = NewPicture(w, h, background);
    DrawFigure(p->Canvas(), Rect(0, 0, w, h), ProfessionColour(profession), CapitalFirst(ProfessionName(profession)));
    if (background == clMagenta) p->Canvas()->SetPixel(0, h - 1, clMagenta);
    return p;
}

// A thing of profession n: a rounded box in its colour with a caption.
std::unique_ptr<TBitmap> Thing(int w, int h, int profession, const String& caption, bool transparent) {
    auto p = NewPicture(w, h, transparent ? clMagenta : clWhite);
    TCanvas* c = p->Canvas();
    const TColor colour = ProfessionColour(profession);
    FillEllipse(c, Rect(1, 1, w - 1, h - 1), Darker(colour, 0.35));
    FillEllipse(c, Rect(3, 3, w - 3, h - 3), colour);
    DrawCaption(c, Rect(2, 2, w - 2, h - 2), caption, clBlack, std::max(9, h / 4));
    if (transparent) c->SetPixel(0, h - 1, clMagenta);
    return p;
}

void WriteMessages(TDataTree& tree, const TSpeech& speech) {
    for (const auto& m : Messages) {
        auto picture = MessagePicture(320, 160, m.Text, RGBColor(255, 240, 170));
        if (m.PokKonec)
            DrawMessageButtons(picture.get(), {"pok", "konec"});
        else
            DrawMessageButtons(picture.get(), {"ano", "ne"});
        tree.WriteBmp(m.Picture, *picture);
        tree.WriteWav(m.Sound, speech.Get(m.Text));
    }
}

void WriteGamesMenu(TDataTree& tree) {
    auto menu = ScreenBackground("Hry", RGBColor(120, 190, 120), bbExit | bbSimulations | bbMenu);
    std::vector<TMenuEntryLook> looks;
    for (int i = 0; i < 10; ++i) looks.push_back({MenuCaptions[i].Caption, DistinctColour(i * 3 + 1, 0.4, 0.95)});
    WriteMenuEntries(tree, "hry\\hl_obr\\", *menu, GamesMenuTable, looks);
    tree.WriteBmp("hry\\hl_obr\\pozadi.bmp", *menu);
}

void WriteTownGame(TDataTree& tree) {
    auto frame = ScreenBackground("", RGBColor(110, 150, 60), GameBar);
    FillGradient(frame->Canvas(), Rect(0, 0, 640, 421), RGBColor(140, 180, 80), RGBColor(100, 140, 50));
    FillRect(frame->Canvas(), Rect(6, 6, 6 + 628, 6 + TownHeight), clMagenta);
    FillRect(frame->Canvas(), Rect(14, 408, 626, 413), RGBColor(50, 70, 20));
    // The thing's box: its hot area (563, 426, 65×46), the thing drawn at (569, 429).
    FillRect(frame->Canvas(), Bounds(563, 426, 65, 46), RGBColor(255, 250, 220));
    FrameRect(frame->Canvas(), Bounds(563, 426, 65, 46), RGBColor(60, 40, 20), 2);
    tree.WriteBmp("hry\\citoje\\pozadi.bmp", *frame);
    // The delivery and the place are drawn at (145, 20): the caption keeps
    // to their right.
    auto result = ScreenBackground("", RGBColor(250, 220, 120), 0);
    DrawCaption(result->Canvas(), Rect(270, 40, 630, 140), "Správně! Věc je na svém místě.", RGBColor(90, 60, 10),
                30);
    tree.WriteBmp("hry\\citoje\\pozadi2.bmp", *result);

    for (const auto& place : TownPlaceTable) {
        const int n = place.ProfessionNumber;
        const int things = TownGameThingCount[n - 1];
        if (things == 0) continue;
        const String name = ProfessionName(n);
        auto placePicture = NewPicture(DeliveryWidth, DeliveryHeight, Lighter(ProfessionColour(n), 0.6));
        DrawFigure(placePicture->Canvas(), Rect(20, 30, 80, 118), ProfessionColour(n), CapitalFirst(name));
        DrawCaption(placePicture->Canvas(), Rect(0, 2, DeliveryWidth, 32), "Děkuji!", clBlack, 20);
        tree.WriteBmp("hry\\citoje\\" + IntToStr(n) + ".bmp", *placePicture);
        for (int k = 1; k <= things; ++k) {
            // The thing names its place's profession, so the placeholder game
            // can be played.
            const String thing = name + " " + IntToStr(k);
            auto a = Thing(56, 40, n, thing, true);
            tree.WriteBmp("hry\\citoje\\" + IntToStr(n) + "A\\" + IntToStr(k) + ".bmp", *a);
            auto b = NewPicture(DeliveryWidth, DeliveryHeight, Lighter(ProfessionColour(n), 0.8));
            DrawCaption(b->Canvas(), Rect(0, 2, DeliveryWidth, 50), CapitalFirst(name) + " dostává věc " + IntToStr(k),
                        clBlack, 16);
            b->Canvas()->Draw(22, 66, Thing(56, 40, n, thing, false).get());
            tree.WriteBmp("hry\\citoje\\" + IntToStr(n) + "B\\" + IntToStr(k) + ".bmp", *b);
        }
    }
}

// The picture games' scene: the question, a sign with the scene's words and
// the drawing of what the right profession works with, and the place where
// it stands: empty with a question mark until solved, then the right figure
// itself, with its name.
struct TPictureGame {
    const char* Question;
    TColor Ground;
    const char* TSceneWords::*Words;
};
constexpr TPictureGame PlaceGame = {"Kdo sem patří?", RGBColor(150, 200, 120), &TSceneWords::Place};
constexpr TPictureGame TroubleGame = {"Kdo to vyřeší?", RGBColor(220, 170, 120), &TSceneWords::Trouble};

std::unique_ptr<TBitmap> Scene(const TPictureGame& game, const TSceneWords& words, TBitmap* solvedFigure) {
    auto p = NewPicture(SceneWidth, SceneHeight, game.Ground);
    TCanvas* c = p->Canvas();
    FillGradient(c, Rect(0, 0, SceneWidth, SceneHeight), Lighter(game.Ground, 0.6), game.Ground);
    FrameRect(c, Rect(0, 0, SceneWidth, SceneHeight), Darker(game.Ground, 0.5), 3);
    if (solvedFigure) DrawCaption(c, Rect(6, 4, SceneWidth - 6, 38), "Správně!", RGBColor(0, 110, 0), 30);
    else DrawCaption(c, Rect(6, 4, SceneWidth - 6, 38), game.Question, Darker(game.Ground, 0.7), 26);
    const TRect sign = Rect(12, 42, SceneWidth - 12, 104);
    FillRect(c, sign, clWhite);
    FrameRect(c, sign, Darker(game.Ground, 0.6), 3);
    DrawCaption(c, Rect(sign.Left + 4, sign.Top + 3, sign.Right - 4, sign.Bottom - 3), words.*game.Words, clBlack, 36);
    const TRect panel = Rect(12, 114, 232, SceneHeight - 12);
    FillRect(c, panel, RGBColor(236, 226, 196));
    FrameRect(c, panel, Darker(game.Ground, 0.4), 2);
    DrawSceneDrawing(c, panel.Left + 10, panel.Top + (panel.Height() - 200) / 2, words.Drawing);
    const TRect spot = Bounds(SceneWidth - 12 - ChoiceWidth - 4, 114, ChoiceWidth + 4, SceneHeight - 12 - 114);
    FrameRect(c, spot, Darker(game.Ground, 0.4), 2);
    if (solvedFigure) {
        c->Draw(spot.Left + 2, spot.Top + (spot.Height() - ChoiceHeight) / 2, solvedFigure);
    } else {
        FillRect(c, Rect(spot.Left + 2, spot.Top + 2, spot.Right - 2, spot.Bottom - 2), Lighter(game.Ground, 0.8));
        DrawCaption(c, spot, "?", Darker(game.Ground, 0.5), 120);
    }
    return p;
}

const TSceneWords& SceneWords(const String& code) {
    for (const TSceneWords& w : SceneWordsTable)
        if (code == w.Code) return w;
    throw std::logic_error("no scene for " + code);
}

String SolvedSpeech(int profession) { return "Správně! " + CapitalFirst(ProfessionName(profession)) + "."; }

// A browsing arrow of the picture games: state 1 normal, 2 hover, 3 pressed.
std::unique_ptr<TBitmap> Arrow(bool up, int state) {
    const int w = up ? 42 : 43, h = up ? 45 : 46;
    auto arrow = NewPicture(w, h, clWhite);
    DrawButton(arrow->Canvas(), Rect(0, 0, w, h), up ? "▲" : "▼", RGBColor(140, 200, 255), state);
    for (int k = 0; k < 14; ++k) {
        const int y = up ? 14 + k : 31 - k;
        FillRect(arrow->Canvas(), Rect(w / 2 - k, y, w / 2 + k, y + 1), RGBColor(20, 40, 120));
    }
    return arrow;
}

// The picture games' backgrounds hold the arrows' normal look at their places.
std::unique_ptr<TBitmap> PictureGameBackground(const String& title, TColor base) {
    auto b = ScreenBackground(title, base, GameBar);
    b->Canvas()->Draw(437, 33, Arrow(true, 1).get());
    b->Canvas()->Draw(436, 352, Arrow(false, 1).get());
    return b;
}

void WritePictureGames(TDataTree& tree, const TSpeech& speech) {
    tree.WriteBmp("hry\\kdopatri\\pozadia.bmp", *PictureGameBackground("Kdo sem patří?", RGBColor(170, 200, 240)));
    tree.WriteBmp("hry\\reseni\\pozadi.bmp", *PictureGameBackground("Kdo to vyřeší?", RGBColor(240, 200, 170)));
    for (int pos = 1; pos <= 43; ++pos) {
        const String code = Code43(pos);
        const int n = Number43(pos);
        const TSceneWords& words = SceneWords(code);
        const auto figure = Figure(ChoiceWidth, ChoiceHeight, n);
        for (const auto& [game, folder] : {std::pair{&PlaceGame, "hry\\kdopatri\\a_pozadi\\"}, std::pair{&TroubleGame, "hry\\reseni\\pozadi\\"}}) {
            tree.WriteBmp(folder + code + "1.bmp", *Scene(*game, words, nullptr));
            tree.WriteBmp(folder + code + "2.bmp", *Scene(*game, words, figure.get()));
        }
        tree.WriteBmp("hry\\kdopatri\\a_postav\\" + code + ".bmp", *figure);
        tree.WriteBmp("hry\\reseni\\postav\\" + code + ".bmp", *figure);
        tree.WriteWav("hry\\reseni\\zvuky\\" + code + "1.wav", speech.Get("Kdo pomůže? " + String(words.Trouble) + "."));
        // The solved scene shows while this plays: long enough to see it.
        tree.WriteWav("hry\\reseni\\zvuky\\" + code + "2.wav", AtLeast(speech.Get(SolvedSpeech(n)), SolvedSceneMinMs));
    }
    for (int state = 1; state <= 3; ++state) {
        for (bool up : {true, false})
            tree.WriteBmp(String("hry\\reseni\\") + (up ? "up" : "dolu") + char('0' + state) + ".bmp",
                          *Arrow(up, state));
    }
}

// A loudspeaker on a round button: the sound game's replay areas.
void DrawSpeaker(TCanvas* c, const TRect& r) {
    FillEllipse(c, r, RGBColor(90, 60, 140));
    FillEllipse(c, Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3), RGBColor(250, 240, 200));
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const TColor ink = RGBColor(60, 40, 100);
    FillRect(c, Rect(cx - 12, cy - 5, cx - 5, cy + 5), ink);
    for (int k = 0; k < 10; ++k) FillRect(c, Rect(cx - 5 + k, cy - 5 - k, cx - 4 + k, cy + 5 + k), ink);
    for (int k = 0; k < 3; ++k) FillRect(c, Rect(cx + 8 + 3 * k, cy - 6 - 2 * k, cx + 10 + 3 * k, cy + 6 + 2 * k), ink);
}

void WriteSoundGame(TDataTree& tree, const TSpeech& speech) {
    auto background = ScreenBackground("Poslouchej: čí je to zvuk?", RGBColor(200, 180, 240), GameBar);
    for (int left : {202, 394}) DrawSpeaker(background->Canvas(), Bounds(left, 360, 47, 46));
    tree.WriteBmp("hry\\kdopatri\\pozadib.bmp", *background);
    for (const auto& p : GameCodeList29) {
        const int n = ProfessionOfGameCode(p.Code);
        tree.WriteBmp(String("hry\\kdopatri\\b_postav\\") + p.Code + ".bmp", *Figure(98, 144, n));
        tree.WriteWav(String("hry\\kdopatri\\zvuky\\") + p.Code + ".wav", speech.Get(p.DisplayName));
    }
}

void WriteWhoIsIt(TDataTree& tree, const TSpeech& speech) {
    tree.WriteBmp("hry\\kdotoje\\pozadia.bmp", *ScreenBackground("Kdo to je?", RGBColor(240, 220, 150), GameBar));
    tree.WriteBmp("hry\\kdotoje\\pozadib.bmp", *ScreenBackground("Kdo to je? Najdi obrázek k větě.", RGBColor(150, 220, 230), GameBar));
    for (int pos = 1; pos <= 43; ++pos) {
        const String code = Code43(pos);
        const int n = Number43(pos);
        const String name = GameCodeList43[pos - 1].DisplayName;
        tree.WriteBmp("hry\\kdotoje\\a_postav\\" + code + ".bmp", *Figure(WhoWidth, WhoHeight, n));
        auto plate = NewPicture(115, 20, Lighter(ProfessionColour(n), 0.7));
        FrameRect(plate->Canvas(), Rect(0, 0, 115, 20), Darker(ProfessionColour(n), 0.4));
        DrawCaption(plate->Canvas(), Rect(0, 0, 115, 20), name, clBlack, 14);
        tree.WriteBmp("hry\\kdotoje\\a_nazvy\\" + code + ".bmp", *plate);
        tree.WriteWav("hry\\kdotoje\\a_zvuky\\" + code + ".wav", speech.Get(name));
        tree.WriteBmp("hry\\kdotoje\\b_postav\\" + code + ".bmp", *Figure(98, 144, n));
        for (int complete = 0; complete <= 1; ++complete) {
            auto sentence = NewPicture(SentenceWidth, SentenceHeight, clWhite);
            FillRect(sentence->Canvas(), Rect(0, 0, 10, SentenceHeight), ProfessionColour(n));
            FrameRect(sentence->Canvas(), Rect(0, 0, SentenceWidth, SentenceHeight), Darker(ProfessionColour(n), 0.4));
            DrawCaption(sentence->Canvas(), Rect(12, 0, SentenceWidth, SentenceHeight),
                        complete ? "Ano, to je " + name + "." : "Kdo je " + name + "?", clBlack, 18);
            tree.WriteBmp("hry\\kdotoje\\b_vety\\" + code + (complete ? "2" : "") + ".bmp", *sentence);
        }
        tree.WriteWav("hry\\kdotoje\\b_zvuky\\" + code + ".wav", Notes({DistinctPitch(n), DistinctPitch(n) * 2}, 100));
    }
}

// A strip of `frames` frames of 122×194 showing `lives` hearts, the last
// one fading out frame by frame when `losing`.
std::unique_ptr<TBitmap> LivesStrip(int frames, int lives, bool losing) {
    auto strip = NewPicture(frames * 122, 194, RGBColor(255, 250, 235));
    TCanvas* c = strip->Canvas();
    for (int f = 0; f < frames; ++f) {
        const int x0 = f * 122;
        FrameRect(c, Bounds(x0, 0, 122, 194), RGBColor(150, 110, 60), 2);
        DrawCaption(c, Bounds(x0, 4, 122, 26), "Životy", clBlack, 16);
        for (int h = 0; h < lives; ++h) {
            const bool fading = losing && h == lives - 1;
            const TColor colour = fading ? Lighter(RGBColor(220, 30, 40), double(f + 1) / frames) : RGBColor(220, 30, 40);
            FillEllipse(c, Bounds(x0 + 36, 36 + h * 52, 50, 44), colour);
        }
        if (!losing) DrawCaption(c, Bounds(x0, 170, 122, 22), IntToStr(f + 1), clBlack, 14);
    }
    return strip;
}

void WriteWordPairs(TDataTree& tree) {
    tree.WriteBmp("hry\\dvojice\\pozadi.bmp", *ScreenBackground("Dvojice", RGBColor(250, 200, 210), GameBar));
    for (int k = 1; k <= 10; ++k) {
        auto cover = NewPicture(90, 149, DistinctColour(k + 50, 0.35, 0.95));
        FrameRect(cover->Canvas(), Rect(0, 0, 90, 149), RGBColor(90, 60, 90), 3);
        DrawCaption(cover->Canvas(), Rect(0, 30, 90, 119), IntToStr(k), RGBColor(90, 60, 90), 48);
        tree.WriteBmp("hry\\dvojice\\plak\\pl" + IntToStr(k) + ".bmp", *cover);
    }
    tree.WriteBmp("hry\\dvojice\\ziv.bmp", *LivesStrip(6, 3, false));
    for (int lives = 1; lives <= 3; ++lives) tree.WriteBmp("hry\\dvojice\\" + IntToStr(lives) + "ziv.bmp", *LivesStrip(5, lives, true));
    for (const char* code : GameCodeList30) {
        const int n = ProfessionOfGameCode(code);
        tree.WriteBmp(String("hry\\dvojice\\profese\\") + code + ".bmp", *Figure(90, 149, n));
        tree.WriteBmp(String("hry\\dvojice\\veci\\") + code + ".bmp", *Thing(80, 80, n, ProfessionName(n), false));
    }
}

// A cap of profession n on magenta, w×h: crown, peak and band in its
// colour, the caption (if any) below it.
std::unique_ptr<TBitmap> Cap(int w, int h, int profession, const String& caption) {
    auto p = NewPicture(w, h, clMagenta);
    TCanvas* c = p->Canvas();
    const TColor colour = ProfessionColour(profession);
    const int crownBottom = caption.empty() ? h * 3 / 4 : h * 5 / 8;
    FillEllipse(c, Rect(w / 8, 1, w * 7 / 8, crownBottom * 2), Darker(colour, 0.35));
    FillEllipse(c, Rect(w / 8 + 2, 3, w * 7 / 8 - 2, crownBottom * 2 - 2), colour);
    FillRect(c, Rect(0, crownBottom - h / 8, w, crownBottom), Darker(colour, 0.35));
    FillRect(c, Rect(w / 8, crownBottom - h / 5, w * 7 / 8, crownBottom - h / 8), Lighter(colour, 0.5));
    FillRect(c, Rect(0, crownBottom, w, h), clMagenta);
    if (!caption.empty()) DrawCaption(c, Rect(0, crownBottom, w, h), caption, clBlack, 12);
    c->SetPixel(0, h - 1, clMagenta);
    return p;
}

// Mode 0 hands a tool (a round thing) to each person, mode 1 a cap for the
// head; the served person holds or wears it.
void WritePersonsAndThings(TDataTree& tree, const char* persons, const char* things, const char* const* codes, int count,
                           bool caps) {
    for (int i = 0; i < count; ++i) {
        const String code = codes[i];
        const int n = ProfessionOfGameCode(code);
        const String name = ProfessionName(n);
        for (int served = 0; served <= 1; ++served) {
            auto person = Figure(PersonWidth, PersonHeight, n, clMagenta);
            TCanvas* c = person->Canvas();
            // The served picture is drawn over the waiting one: its bubble
            // covers the question mark.
            FillEllipse(c, Bounds(PersonWidth - 38, 2, 36, 28), clWhite);
            if (served) {
                FillEllipse(c, Bounds(PersonWidth - 30, 6, 20, 20), RGBColor(40, 170, 60));
                auto thing = caps ? Cap(40, 22, n, "") : Thing(56, 56, n, "nástroj", true);
                thing->Transparent = true;
                thing->TransparentColor = clMagenta;
                if (caps)
                    c->Draw(PersonWidth / 2 - 20, 0, thing.get());
                else
                    c->Draw(PersonWidth - 56, 50, thing.get());
            } else {
                DrawCaption(c, Bounds(PersonWidth - 38, 2, 36, 28), "?", clBlack, 22);
            }
            tree.WriteBmp(String("hry\\poradek\\") + persons + "\\" + code + char('1' + served) + ".bmp", *person);
            tree.WriteBmp(String("hry\\poradek\\") + things + "\\" + code + char('1' + served) + ".bmp",
                          caps ? *Cap(56, 56, n, name) : *Thing(56, 56, n, name, true));
        }
    }
}

void WritePutInOrder(TDataTree& tree) {
    tree.WriteBmp("hry\\poradek\\pozadi.bmp", *ScreenBackground("Komu to patří?", RGBColor(210, 230, 170), GameBar));
    auto empty = NewPicture(56, 56, RGBColor(235, 235, 225));
    FrameRect(empty->Canvas(), Rect(0, 0, 56, 56), RGBColor(150, 150, 140), 2);
    tree.WriteBmp("hry\\poradek\\empty.bmp", *empty);
    WritePersonsAndThings(tree, "post_n", "nastr", PoradekToolCodes, 29, false);
    WritePersonsAndThings(tree, "post_c", "cepice", PoradekCapCodes, 26, true);
}

void WriteMemoryGame(TDataTree& tree, const TSpeech& speech) {
    // The scores show at (542, 210), the child's, and (591, 210), the
    // computer's: each box named above it, below the winner's picture.
    auto background = ScreenBackground("", RGBColor(180, 210, 250), GameBar);
    for (const auto& [left, name] : {std::pair{542, "Ty"}, std::pair{591, "Počítač"}}) {
        FrameRect(background->Canvas(), Bounds(left - 2, 208, 44, 34), RGBColor(20, 20, 120), 2);
        DrawCaption(background->Canvas(), Bounds(left - 6, 180, 52, 26), name, RGBColor(20, 20, 120), 16);
    }
    DrawCaption(background->Canvas(), Bounds(530, 248, 110, 24), "páry", RGBColor(20, 20, 120), 16, false);
    tree.WriteBmp("hry\\pexeso\\pozadi.bmp", *background);
    auto back = NewPicture(80, 80, RGBColor(60, 90, 170));
    FrameRect(back->Canvas(), Rect(0, 0, 80, 80), RGBColor(250, 220, 80), 3);
    DrawCaption(back->Canvas(), Rect(0, 0, 80, 80), "Velamo", RGBColor(250, 220, 80), 16);
    tree.WriteBmp("hry\\pexeso\\karta.bmp", *back);
    tree.WriteWav("hry\\pexeso\\karta.wav", Tone(1200, 50, 0.3f));
    (void)speech;
    const char* modes[2][2] = {{"pex_A", "Stejné"}, {"pex_B", "Dvojice"}};
    for (const auto& m : modes) {
        auto p = NewPicture(80, 62, clWhite);
        DrawButton(p->Canvas(), Rect(0, 0, 80, 62), m[1], RGBColor(250, 200, 120), 1);
        tree.WriteBmp(String("hry\\pexeso\\") + m[0] + ".bmp", *p);
    }
    for (int k = 0; k <= 15; ++k) {
        auto digit = NewPicture(40, 30, clWhite);
        DrawCaption(digit->Canvas(), Rect(0, 0, 40, 30), IntToStr(k), RGBColor(20, 20, 120), 26);
        tree.WriteBmp("hry\\pexeso\\cisla\\" + IntToStr(k) + ".bmp", *digit);
    }
    for (int n = 1; n <= 43; ++n) {
        tree.WriteBmp("hry\\pexeso\\postav\\" + IntToStr(n) + ".bmp", *Figure(80, 80, n));
        tree.WriteBmp("hry\\pexeso\\veci\\" + IntToStr(n) + ".bmp", *Thing(80, 80, n, ProfessionName(n), false));
    }
    auto child = NewPicture(90, 90, RGBColor(255, 230, 120));
    DrawCaption(child->Canvas(), Rect(0, 0, 90, 90), "Vyhrál jsi!", clBlack, 18);
    tree.WriteBmp("hry\\pexeso\\hrac.bmp", *child);
    auto computer = NewPicture(60, 60, RGBColor(170, 170, 190));
    DrawCaption(computer->Canvas(), Rect(0, 0, 60, 60), "Počítač", clBlack, 16);
    tree.WriteBmp("hry\\pexeso\\pocitac.bmp", *computer);
}

}  // namespace

void RequestGameSpeech(TSpeech& speech) {
    for (const auto& m : Messages) speech.Request(m.Text);
    for (const auto& p : GameCodeList43) speech.Request(p.DisplayName);
    for (int pos = 1; pos <= 43; ++pos) {
        speech.Request("Kdo pomůže? " + String(SceneWords(Code43(pos)).Trouble) + ".");
        speech.Request(SolvedSpeech(Number43(pos)));
    }
}

void WriteGameFiles(TDataTree& tree, const TSpeech& speech) {
    WriteMessages(tree, speech);
    WriteGamesMenu(tree);
    WriteTownGame(tree);
    WritePictureGames(tree, speech);
    WriteSoundGame(tree, speech);
    WriteWhoIsIt(tree, speech);
    WriteWordPairs(tree);
    WritePutInOrder(tree);
    WriteMemoryGame(tree, speech);
}
