#include "games/UPexeso.h"

#include "platform/core/strings.h"

TwndPexeso* wndPexeso = nullptr;

namespace {

// The board: 6 columns by 5 rows of 80x80 cells from (29, 10).
constexpr int BoardLeft = 29;
constexpr int BoardTop = 10;
constexpr int CellSize = 80;

bool OnBoard(int X, int Y) {
    return X >= BoardLeft && X < BoardLeft + PexesoColumns * CellSize && Y >= BoardTop &&
           Y < BoardTop + PexesoRows * CellSize;
}

TPoint CellAt(int X, int Y) { return {(X - BoardLeft) / CellSize + 1, (Y - BoardTop) / CellSize + 1}; }

TPoint CellCorner(TPoint Place) {
    return {BoardLeft + CellSize * (Place.X - 1), BoardTop + CellSize * (Place.Y - 1)};
}

String PexesoFile(const String& Name) { return AppDir + "hry\\pexeso\\" + Name; }

}  // namespace

TwndPexeso::TwndPexeso(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Hry: Pexeso", .Menu = TScreenMenu::Games}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
    DoCreate();
    if (!created_) Close();
}

void TwndPexeso::FormCreate(TObject*) {
    Randomize();
    Buffer->LoadFromFile(PexesoFile("pozadi.bmp"));
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu});
    ModeButton = new TBMPLabel(this, PexesoFile("pex_B.bmp"), PexesoFile("pex_A.bmp"), 560, 418, 80, 62);
    ModeButton->Tag = EqualPictures;
    ModeButton->OnClick = [this](TObject* s) { ModeClick(s); };
    CreateBottomBar({TBarButton::Help});
    HelpFile = "pexeso";
    DrawBarButton(TBarButton::Help);
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);

    CardBack = std::make_unique<TBitmap>();
    CardBack->LoadFromFile(PexesoFile("karta.bmp"));
    for (auto& pictures : PairPictures)
        for (auto& picture : pictures) picture = std::make_unique<TBitmap>();
    for (int k = 0; k <= PexesoPairs; ++k) {
        DigitBitmaps[k] = std::make_unique<TBitmap>();
        DigitBitmaps[k]->LoadFromFile(PexesoFile("cisla\\" + IntToStr(k) + ".bmp"));
    }
    CardSound = PexesoFile("karta.wav");
    RightSound = AppDir + "sound\\spravne.wav";
    WinnerBitmap = std::make_unique<TBitmap>();
    MessagePicture = std::make_unique<TBitmap>();
    NewGame();
    created_ = true;
}

void TwndPexeso::NewGame() {
    if (Busy()) return;
    Board.Deal();
    Buffer->Assign(CleanBuffer.get());
    Buffer->Canvas()->Draw(ModeButton->Left(), ModeButton->Top(), ModeButton->NormalBitmap.get());
    for (int i = 1; i <= PexesoPairs; ++i) {
        const String n = IntToStr(Board.PictureNumbers[std::size_t(i)]);
        auto& pictures = PairPictures[std::size_t(i)];
        pictures[0]->LoadFromFile(PexesoFile("postav\\" + n + ".bmp"));
        if (ModeButton->Tag == EqualPictures) pictures[1]->Assign(pictures[0].get());
        else pictures[1]->LoadFromFile(PexesoFile("veci\\" + n + ".bmp"));
    }
    for (int column = 1; column <= PexesoColumns; ++column)
        for (int row = 1; row <= PexesoRows; ++row) DrawBack({column, row});
    Repaint();
    DrawScores();
}

void TwndPexeso::FormActivate(TObject*) {
    if (ComputerBusy) HidePointer(true);
}

void TwndPexeso::FormDeactivate(TObject* Sender) {
    TScreenFrame::FormDeactivate(Sender);
    HidePointer(false);
}

void TwndPexeso::FormMouseMove(TObject*, TShiftState, int X, int Y) {
    const bool faceDown = OnBoard(X, Y) && Board.Card(CellAt(X, Y)).CardState == csFaceDown;
    SetCursor(faceDown ? HandCursor : ArrowCursor);
}

void TwndPexeso::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (Busy() || !InFront() || !OnBoard(X, Y)) return;
    const TPoint place = CellAt(X, Y);
    if (Board.Card(place).CardState != csFaceDown) return;
    const TPoint first = Board.FirstCard;
    switch (Board.PlayerTurns(place)) {
        case TPlayerMove::FirstCard:
            PlaySoundFile(CardSound);
            DrawFace(Board.Face(place));
            Repaint();
            return;
        case TPlayerMove::Pair:
            DrawFace(Board.Face(place));
            Repaint();
            PlaySoundFile(RightSound);
            DrawScores();
            if (!PlayerPause(2000)) return;
            RestoreCell(place);
            RestoreCell(first);
            Repaint();
            CheckGameOver();
            break;
        case TPlayerMove::Miss:
            PlaySoundFile(CardSound);
            DrawFace(Board.Face(place));
            Repaint();
            if (!PlayerPause(2000)) return;
            DrawBack(place);
            DrawBack(first);
            PlaySoundFile(CardSound);
            Repaint();
            ComputerTurn();
            break;
    }
    Board.FirstTurned = false;
}

void TwndPexeso::ModeClick(TObject*) {
    if (Busy() || !InFront()) return;
    ModeButton->Tag = ModeButton->Tag == EqualPictures ? PersonAndThing : EqualPictures;
    std::swap(ModeButton->HoverBitmap, ModeButton->NormalBitmap);
    ModeButton->Perform(CM_MOUSELEAVE);
    NewGame();
}

void TwndPexeso::DrawScores() {
    DrawOnBoth(542, 210, DigitBitmaps[Board.PlayerScore]);
    DrawOnBoth(591, 210, DigitBitmaps[Board.ComputerScore]);
}

void TwndPexeso::ComputerTurn() {
    ComputerBusy = true;
    HidePointer(true);
    // However the turn ends (its end, the game over, the screen closed).
    struct TTurnEnd {
        TwndPexeso* Screen;
        ~TTurnEnd() {
            Screen->ComputerBusy = false;
            Screen->HidePointer(false);
        }
    } turnEnd{this};

    TComputerTurn computer(Board);
    for (;;) {
        const TComputerStep step = computer.Next();
        if (step.Action == TComputerAction::TurnOver) {
            CheckGameOver();
            return;
        }
        if (!ShowComputerStep(step)) return;
    }
}

bool TwndPexeso::ShowComputerStep(const TComputerStep& Step) {
    const auto turn = [this](const TCardFace& face, const String& sound) {
        DrawFace(face);
        Repaint();
        PlaySoundFile(sound);
    };
    const auto restoreBoth = [this, &Step] {
        RestoreCell(Step.Card.Place);
        RestoreCell(Step.Other.Place);
        Repaint();
    };
    switch (Step.Action) {
        case TComputerAction::RememberedPair:
            turn(Step.Card, CardSound);
            if (!Pause(2000)) return false;
            turn(Step.Other, RightSound);
            DrawScores();
            if (!Pause(2000)) return false;
            restoreBoth();
            return Pause(2000);
        case TComputerAction::FirstCard:
            turn(Step.Card, CardSound);
            return Pause(2000);
        case TComputerAction::MateFromMemory:
            turn(Step.Card, RightSound);
            DrawScores();
            if (!Pause(2000)) return false;
            restoreBoth();
            return true;
        case TComputerAction::SecondCard:
            turn(Step.Card, CardSound);
            if (!Pause(2000)) return false;
            if (Step.Pair) {
                restoreBoth();
                PlaySoundFile(RightSound);
                DrawScores();
                return Pause(2000);
            }
            DrawBack(Step.Card.Place);
            DrawBack(Step.Other.Place);
            Repaint();
            return true;
        case TComputerAction::TurnOver: break;
    }
    return true;
}

bool TwndPexeso::CheckGameOver() {
    if (!Board.AllTaken()) return false;
    // Fifteen pairs: the scores never tie.
    if (Board.PlayerScore > Board.ComputerScore) {
        MessagePicture->LoadFromFile(PexesoFile("hlaska1.bmp"));
        HlaskaSound = PexesoFile("hlaska1.wav");
        WinnerBitmap->LoadFromFile(PexesoFile("hrac.bmp"));
        DrawOnBoth(534, 83, WinnerBitmap);
    } else {
        MessagePicture->LoadFromFile(PexesoFile("hlaska2.bmp"));
        HlaskaSound = PexesoFile("hlaska2.wav");
        WinnerBitmap->LoadFromFile(PexesoFile("pocitac.bmp"));
        DrawOnBoth(561, 312, WinnerBitmap);
    }
    // After the child's last pair, too, nothing deals or leaves before the
    // message is up.
    if (PlayerPause(1000)) ShowGameMessage("Pexeso", MessagePicture.get());
    return true;
}

bool TwndPexeso::PlayerPause(DWORD Ms) {
    PlayerBusy = true;
    const bool open = Pause(Ms);
    PlayerBusy = false;
    return open;
}


void TwndPexeso::DrawFace(const TCardFace& Face) {
    const TPoint corner = CellCorner(Face.Place);
    Buffer->Canvas()->Draw(corner.X, corner.Y, PairPictures[Face.PairId][Face.FirstOfPair ? 0 : 1].get());
}

void TwndPexeso::DrawBack(TPoint Place) {
    const TPoint corner = CellCorner(Place);
    Buffer->Canvas()->Draw(corner.X, corner.Y, CardBack.get());
}

void TwndPexeso::RestoreCell(TPoint Place) {
    const TPoint corner = CellCorner(Place);
    BitBlt(Buffer->Canvas(), corner.X, corner.Y, CellSize, CellSize, CleanBuffer->Canvas(), corner.X, corner.Y,
           SRCCOPY);
}

void TwndPexeso::DrawOnBoth(int X, int Y, const std::unique_ptr<TBitmap>& Picture) {
    Canvas()->Draw(X, Y, Picture.get());
    Buffer->Canvas()->Draw(X, Y, Picture.get());
}
