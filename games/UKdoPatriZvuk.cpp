#include "games/UKdoPatriZvuk.h"

#include <memory>

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"

TwndKdoPatriZvuk* wndKdoPatriZvuk = nullptr;

namespace {
constexpr int CellsTop = 42;
constexpr int MistakeLimit = 3;
constexpr DWORD WrongPauseMs = 500;
}  // namespace

TwndKdoPatriZvuk::TwndKdoPatriZvuk(TComponent* AOwner) : TNamedAnswerGame(AOwner, "Velamo - Hry: Kdo sem patří") {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

void TwndKdoPatriZvuk::FormCreate(TObject*) {
    CreateGameScreen("hry\\kdopatri\\pozadib.bmp", "letadlo", "hry\\kdopatri\\hlaska.bmp");
    for (int i = 1; i <= PersonCellCount; ++i) {
        const TRect r = PersonCellBounds(i, CellsTop);
        Cells[i] = new TXLabel(this, r.Left, r.Top, r.Width(), r.Height());
        Cells[i]->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            CellMouseDown(s, b, sh, x, y);
        };
    }
    ReplayAreas[0] = new TXLabel(this, 202, 360, 47, 46);
    ReplayAreas[1] = new TXLabel(this, 394, 360, 47, 46);
    for (TXLabel* area : ReplayAreas) area->OnClick = [this](TObject* s) { ReplayClick(s); };
    NewRound();
}

void TwndKdoPatriZvuk::NewRound() {
    auto scratch = std::make_unique<TBitmap>();
    const int targetCell = Random(PersonCellCount) + 1;
    TargetSound.clear();
    Mistakes = 0;
    std::set<int> drawn;
    for (int i = 1; i <= PersonCellCount; ++i) {
        const int p = DrawDistinct(int(std::size(GameCodeList29)), drawn);
        const String code = GameCodeList29[p - 1].Code;
        if (i == targetCell) {
            TargetCode = Byte(p);
            TargetSound = AppDir + "hry\\kdopatri\\zvuky\\" + code + ".wav";
        }
        scratch->LoadFromFile(AppDir + "hry\\kdopatri\\b_postav\\" + code + ".bmp");
        CopyIntoArea(Buffer, Cells[i], scratch.get());
        Cells[i]->Tag = p;
    }
    Repaint();
    PlaySoundFile(TargetSound);
}

void TwndKdoPatriZvuk::CellMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    // No busy flag: a press during a pause is judged at once, against the
    // round that is current then.
    if (static_cast<TComponent*>(Sender)->Tag == TargetCode) {
        PlaySoundFile(AppDir + "sound\\spravne.wav");
        if (!Pause(1500)) return;
        NewRound();
        return;
    }
    WrongAnswer(WrongPauseMs, MistakeLimit, "Letadlo");
}

String TwndKdoPatriZvuk::RightName() const { return GameCodeList29[TargetCode - 1].DisplayName; }

void TwndKdoPatriZvuk::ReplayClick(TObject*) { PlaySoundFile(TargetSound); }
