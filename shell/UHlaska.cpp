#include "shell/UHlaska.h"

#include <iterator>

#include "shell/HlaskaButtonPlaces.h"

TwndHlaska* wndHlaska = nullptr;

namespace {

// The ids, who asks, and what the window plays and shows for each. The
// message picture is the caller's; the yes and no operations are the
// asking screen's (THlaskaScreen), "Instal1Vse" only hides the window.
constexpr THlaskaEntry Table[] = {
    {"Letadlo", "hry\\kdopatri\\hlaska.wav", THlaskaButtons::PokKonec, true},    // sound game
    {"Sloup", "hry\\kdotoje\\a_hlaska.wav", THlaskaButtons::PokKonec, true},     // who-is-it A
    {"Zahradnik", "hry\\kdotoje\\b_hlaska.wav", THlaskaButtons::PokKonec, true}, // who-is-it B
    {"Dvojice", nullptr, THlaskaButtons::AnoNe, false},                          // word pairs
    {"Poradek", "hry\\poradek\\hlaska.wav", THlaskaButtons::AnoNe, false},       // put in order
    {"Pexeso", nullptr, THlaskaButtons::AnoNe, false},                           // memory game
    {"Instal1Vse", nullptr, THlaskaButtons::OkOnly, false},                      // plumber A, pieces left
    {"Instal1OK", nullptr, THlaskaButtons::AnoNe, false},                        // plumber A
    {"Instal1KO", nullptr, THlaskaButtons::AnoNe, false},
    {"Instal2OK", nullptr, THlaskaButtons::AnoNe, false},                        // plumber B
    {"Instal2KO", nullptr, THlaskaButtons::AnoNe, false},
    {"Hasic", "simul\\hasic\\hlaska.wav", THlaskaButtons::AnoNe, false},         // firefighter
    {"Tabulka", "simul\\hasic\\hlaska.wav", THlaskaButtons::AnoNe, false},       // best-times table
};

void PlaceButton(T3BMPLabel* Button, const THlaskaButtonPlace& Place) {
    const String base = AppDir + "hl_obr\\hlasky\\" + Place.Pictures;
    Button->LoadPictures(base + "2.bmp", base + "1.bmp", base + "3.bmp");
    Button->SetBounds(Place.Left, Place.Top, Place.Width, Place.Height);
    Button->Show();
}

void PlaceButtons(TwndHlaska* Window, THlaskaButtons Buttons) {
    switch (Buttons) {
        case THlaskaButtons::PokKonec:
            PlaceButton(Window->YesButton, PokButton);
            PlaceButton(Window->NoButton, KonecButton);
            break;
        case THlaskaButtons::AnoNe:
            PlaceButton(Window->YesButton, AnoButton);
            PlaceButton(Window->NoButton, NeButton);
            break;
        case THlaskaButtons::OkOnly:
            PlaceButton(Window->YesButton, OkButton);
            break;
    }
}

}  // namespace

const THlaskaEntry* FindHlaskaEntry(const String& Id) {
    for (const THlaskaEntry& e : Table)
        if (Id == e.Id) return &e;
    return nullptr;
}

const THlaskaEntry* HlaskaEntries(int& Count) {
    Count = int(std::size(Table));
    return Table;
}

THlaskaScreen::~THlaskaScreen() {
    if (wndHlaska && wndHlaska->Asker == this) wndHlaska->Asker = nullptr;
}

TwndHlaska::TwndHlaska(TComponent* AOwner) : TForm(AOwner) {
    SetClientWidth(640);
    SetClientHeight(480);
    SetBorderStyle(bsNone);
    SetCaption("Velamo");
    SetPosition(poScreenCenter);
    Scaled = false;
    Text = new TLabel(this);
    Text->SetParent(this);
    Text->SetAutoSize(false);
    Text->SetBounds(168, 220, 305, 33);
    Text->SetAlignment(taCenter);
    Text->SetLayout(tlCenter);
    Text->SetTransparent(true);
    Text->Font()->Name = "Verdana";
    Text->Font()->Style = fsBold;
    Text->Font()->Color = clBlack;
    Text->Font()->SetHeight(-17);
    Text->SetCaption("Text");
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnPaint = [this](TObject* s) { FormPaint(s); };
    DoCreate();
}

void TwndHlaska::FormCreate(TObject* Sender) {
    SetCursor(ArrowCursor);
    Buffer = std::make_unique<TBitmap>();
    Buffer->SetSize(640, 480);
    Buffer->PixelFormat = TPixelFormat::pf24bit;
    MessageBitmap = std::make_unique<TBitmap>();
    const String pictures = AppDir + "hl_obr\\hlasky\\";
    YesButton = new T3BMPLabel(this, pictures + "ano2.bmp", pictures + "ano1.bmp", pictures + "ano3.bmp", 0, 0, 10,
                               10);
    NoButton = new T3BMPLabel(this, pictures + "ne2.bmp", pictures + "ne1.bmp", pictures + "ne3.bmp", 10, 0, 10, 10);
    YesButton->OnClick = [this](TObject* s) { YesClick(s); };
    NoButton->OnClick = [this](TObject* s) { NoClick(s); };
    YesButton->Hide();
    NoButton->Hide();
}

void TwndHlaska::FormDestroy(TObject* Sender) {
    FreeAndNil(YesButton);
    FreeAndNil(NoButton);
}

void TwndHlaska::FormPaint(TObject* Sender) {
    if (Buffer) BitBlt(Canvas(), 0, 0, 640, 480, Buffer->Canvas(), 0, 0, SRCCOPY);
}

void TwndHlaska::FormClose(TObject* Sender, TCloseAction& Action) { Action = caHide; }

void TwndHlaska::FormShow(TObject* Sender) {
    const THlaskaEntry* entry = FindHlaskaEntry(GameMessageId);
    if (!entry) return;
    const String sound = entry->Sound ? AppDir + entry->Sound : (Asker ? Asker->HlaskaSound : String());
    if (!sound.empty()) PlaySoundFile(sound);
}

void TwndHlaska::DimAndOverlay() {
    DimAndCentre(Buffer.get(), MessageBitmap.get());
    YesButton->Hide();
    NoButton->Hide();
    Text->Hide();
}

void TwndHlaska::YesClick(TObject* Sender) { Answer(true); }

void TwndHlaska::NoClick(TObject* Sender) { Answer(false); }

void TwndHlaska::Answer(bool Yes) {
    if (answering_) return;
    answering_ = true;
    // However the screen's operation ends, the window hides and takes
    // presses again.
    struct Done {
        TwndHlaska* Window;
        ~Done() {
            Window->answering_ = false;
            Window->Hide();
        }
    } done{this};
    Delay(100);
    PlaySoundFile("");
    const THlaskaEntry* entry = FindHlaskaEntry(GameMessageId);
    // The asker is read after the pause: a screen freed meanwhile is gone.
    if (!entry || entry->Buttons == THlaskaButtons::OkOnly || !Asker) return;
    if (Yes) {
        Asker->StartNewRound();
    } else {
        THlaskaScreen* asker = Asker;
        Asker = nullptr;
        asker->CloseAndShowMenu();
    }
}

void ShowGameMessage(const String& Id, THlaskaScreen* Asker, const TBitmap* Snapshot, const TBitmap* Message,
                     const String& Caption) {
    const THlaskaEntry* entry = FindHlaskaEntry(Id);
    if (!wndHlaska || !entry) return;
    wndHlaska->GameMessageId = Id;
    wndHlaska->Asker = Asker;
    wndHlaska->Buffer->Assign(Snapshot);
    wndHlaska->MessageBitmap->Assign(Message);
    wndHlaska->DimAndOverlay();
    PlaceButtons(wndHlaska, entry->Buttons);
    if (entry->ShowsText) {
        wndHlaska->Text->SetCaption(Caption);
        wndHlaska->Text->Show();
    }
    wndHlaska->Show();
}
