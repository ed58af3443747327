#include "games/UDvojice.h"

#include <set>

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"
#include "platform/core/strings.h"

TwndDvojice* wndDvojice = nullptr;

namespace {

constexpr int CellWidth = 90, CellHeight = 149;
constexpr TPoint ThingPoint{526, 271};
constexpr TPoint LivesPoint{512, 36};
constexpr int LivesWidth = 122, LivesHeight = 194;
constexpr int LivesFrames = 6, LossFrames = 5;
constexpr DWORD TurnUpMs = 2000, EndMs = 1000;

String Folder() { return AppDir + "hry\\dvojice\\"; }

std::unique_ptr<TBitmap> Loaded(const String& FileName) {
    auto b = std::make_unique<TBitmap>();
    b->LoadFromFile(FileName);
    return b;
}

}  // namespace

TwndDvojice::TwndDvojice(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Hry: Dvojice slovně", .Menu = TScreenMenu::Games}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndDvojice::~TwndDvojice() = default;

// Leaving (or asking to) ends the memorising phase, so that the handler that
// runs it can return.
bool TwndDvojice::BeforeLeaving() {
    Memorising = false;
    return true;
}

void TwndDvojice::FormCreate(TObject*) {
    Randomize();
    Buffer->LoadFromFile(Folder() + "pozadi.bmp");
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Help});
    HelpFile = "dvojice";
    DrawBarButton(TBarButton::Help);
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);
    SavedCell = std::make_unique<TBitmap>();
    SavedCell->SetSize(CellWidth, CellHeight);

    for (int i = 1; i <= CellCount; ++i) {
        CellPoints[i] = {39 + 92 * ((i - 1) % 5), i <= 5 ? 47 : 199};
        auto* cell = new TLabel(this);
        cell->SetParent(this);
        cell->SetAutoSize(false);
        cell->SetTransparent(true);
        cell->SetCursor(HandCursor);
        cell->SetBounds(CellPoints[i].X, CellPoints[i].Y, CellWidth, CellHeight);
        cell->Tag = i;
        cell->OnClick = [this](TObject* s) { CellClick(s); };
        Cells[i] = cell;
        ProfessionPictures[i] = std::make_unique<TBitmap>();
        ThingPictures[i] = std::make_unique<TBitmap>();
        Placards[i] = Loaded(Folder() + "plak\\pl" + IntToStr(i) + ".bmp");
    }
    LivesStrip = Loaded(Folder() + "ziv.bmp");
    BitBlt(Buffer->Canvas(), LivesPoint.X, LivesPoint.Y, LivesWidth, LivesHeight, LivesStrip->Canvas(), 0, 0,
           SRCCOPY);
    for (int n = 1; n <= 3; ++n) LossStrips[n] = Loaded(Folder() + IntToStr(n) + "ziv.bmp");
    MessagePicture = std::make_unique<TBitmap>();
}

void TwndDvojice::DrawAtCell(int Cell, TBitmap* Picture) {
    Buffer->Canvas()->Draw(CellPoints[Cell].X, CellPoints[Cell].Y, Picture);
}

void TwndDvojice::PlayStrip(TBitmap* Strip, int Frames) {
    AnimateStrip50(Canvas(), Buffer->Canvas(), Strip->Canvas(), LivesPoint.X, LivesPoint.Y, LivesWidth,
                   LivesHeight, Frames);
}

void TwndDvojice::NewGame() {
    for (int i = 1; i <= CellCount; ++i) {
        CellOpen[i] = 1;
        Cells[i]->Show();
    }
    // A cell's pair is the cell's own number: its profession and its thing
    // come from one code.
    std::set<int> taken;
    for (int i = 1; i <= CellCount; ++i) {
        const String code = GameCodeList30[DrawDistinct(30, taken) - 1];
        ProfessionPictures[i]->LoadFromFile(Folder() + "profese\\" + code + ".bmp");
        ThingPictures[i]->LoadFromFile(Folder() + "veci\\" + code + ".bmp");
    }
    Buffer->Assign(CleanBuffer.get());
    for (int i = 1; i <= CellCount; ++i) DrawAtCell(i, ProfessionPictures[i].get());
    Show();
    Repaint();
    Memorising = true;
    Application->Post(this, [this] { Memorise(); });
}

void TwndDvojice::WaitMemorise(DWORD Ms) {
    // The screen is not freed while its phase runs, whoever runs it.
    TApplication::BusyScope busy(this);
    const DWORD start = GetTickCount();
    while (Memorising && !Application->Terminated()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= Ms) return;
        Application->Step(Ms - elapsed);
    }
}

void TwndDvojice::Memorise() {
    WaitMemorise(MemoriseMs);
    Memorising = false;
    if (Closed()) return;
    TBitmap* placard = Placards[Random(CellCount) + 1].get();
    for (int i = 1; i <= CellCount; ++i) DrawAtCell(i, placard);
    Repaint();
    PlayStrip(LivesStrip.get(), LivesFrames);
    Lives = 3;
    NextTask();
    Busy = false;
}

void TwndDvojice::NextTask() {
    int open = 0;
    for (int i = 1; i <= CellCount; ++i) open += CellOpen[i];
    if (open == 0) {
        FinishGame("hlaska1");
        return;
    }
    do {
        TaskCell = Random(CellCount) + 1;
    } while (CellOpen[TaskCell] != 1);
    CellOpen[TaskCell] = 0;
    Buffer->Canvas()->Draw(ThingPoint.X, ThingPoint.Y, ThingPictures[TaskCell].get());
    Repaint();
}

void TwndDvojice::CellClick(TObject* Sender) {
    if (!InFront()) return;
    if (Memorising) {
        Memorising = false;
        return;
    }
    if (Busy) return;
    Busy = true;
    const int i = static_cast<TComponent*>(Sender)->Tag;
    BitBlt(SavedCell->Canvas(), 0, 0, CellWidth, CellHeight, Buffer->Canvas(), CellPoints[i].X, CellPoints[i].Y,
           SRCCOPY);
    DrawAtCell(i, ProfessionPictures[i].get());
    Repaint();
    if (!Pause(TurnUpMs)) return;
    CheckAnswer(i);
    Busy = false;
}

void TwndDvojice::CheckAnswer(int Cell) {
    if (Cell == TaskCell) {
        PlaySoundFile(AppDir + "sound\\spravne.wav");
        // One pixel beyond the cell each way.
        Buffer->Canvas()->Brush.Color = clWhite;
        Buffer->Canvas()->FillRect(Bounds(CellPoints[Cell].X, CellPoints[Cell].Y, CellWidth + 1, CellHeight + 1));
        Cells[Cell]->Hide();
        NextTask();
        if (Closed()) return;
    } else {
        PlaySoundFile(AppDir + "sound\\spatne.wav");
        PlayStrip(LossStrips[std::size_t(Lives)].get(), LossFrames);
        --Lives;
        BitBlt(Buffer->Canvas(), CellPoints[Cell].X, CellPoints[Cell].Y, CellWidth, CellHeight,
               SavedCell->Canvas(), 0, 0, SRCCOPY);
    }
    Repaint();
    if (Lives == 0) {
        for (int i = 1; i <= CellCount; ++i) Cells[i]->Hide();
        FinishGame("hlaska2");
    }
}

void TwndDvojice::FinishGame(const char* Name) {
    if (!Pause(EndMs)) return;
    MessagePicture->LoadFromFile(Folder() + Name + ".bmp");
    HlaskaSound = Folder() + Name + ".wav";
    ShowGameMessage("Dvojice", MessagePicture.get());
}
