#include "games/UKdoToJe.h"

#include <memory>

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"
#include "games/PersonCells.h"

TwndKdoToJe* wndKdoToJe = nullptr;

namespace {
constexpr TPoint SlotPlaces[TwndKdoToJe::SlotCount] = {{207, 315}, {323, 315}, {150, 335}, {265, 335}, {380, 335}};
constexpr int SlotWidth = 115, SlotHeight = 20;
constexpr int PersonX = 238, PersonY = 35;
constexpr DWORD HoverMs = 500;
constexpr int MistakeLimit = 2;
constexpr DWORD WrongPauseMs = 500;
}  // namespace

TwndKdoToJe::TwndKdoToJe(TComponent* AOwner) : TNamedAnswerGame(AOwner, "Velamo - Hry: Kdo to je") {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

void TwndKdoToJe::FormCreate(TObject*) {
    CreateGameScreen("hry\\kdotoje\\pozadia.bmp", "sloup", "hry\\kdotoje\\a_hlaska.bmp");
    for (int i = 1; i <= SlotCount; ++i) {
        const TPoint at = SlotPlaces[i - 1];
        NameSlots[i] = new TXLabel(this, at.X, at.Y, SlotWidth, SlotHeight);
        NameSlots[i]->OnClick = [this](TObject* s) { SlotClick(s); };
        NameSlots[i]->OnMouseEnter = [this](TObject* s) { SlotMouseEnter(s); };
    }
    NewRound();
}

void TwndKdoToJe::NewRound() {
    auto scratch = std::make_unique<TBitmap>();
    const int targetSlot = Random(SlotCount) + 1;
    std::set<int> drawn;
    for (int i = 1; i <= SlotCount; ++i) {
        const int p = DrawDistinct(int(std::size(GameCodeList43)), drawn);
        const String code = GameCodeList43[p - 1].Code;
        if (i == targetSlot) {
            TargetCode = Byte(p);
            // At its own size over the person before: a smaller picture
            // leaves the rest of the one before.
            scratch->LoadFromFile(AppDir + "hry\\kdotoje\\a_postav\\" + code + ".bmp");
            Buffer->Canvas()->Draw(PersonX, PersonY, scratch.get());
        }
        NameSlots[i]->Tag = p;
        scratch->LoadFromFile(AppDir + "hry\\kdotoje\\a_nazvy\\" + code + ".bmp");
        CopyIntoArea(Buffer, NameSlots[i], scratch.get());
    }
    Repaint();
    Mistakes = 0;
}

void TwndKdoToJe::SlotClick(TObject* Sender) {
    // No busy flag: a click during a pause is judged at once.
    if (static_cast<TComponent*>(Sender)->Tag == TargetCode) {
        PlaySoundFile(AppDir + "sound\\spravne.wav");
        if (!Pause(1000)) return;
        NewRound();
        return;
    }
    WrongAnswer(WrongPauseMs, MistakeLimit, "Sloup");
}

String TwndKdoToJe::RightName() const { return GameCodeList43[TargetCode - 1].DisplayName; }

void TwndKdoToJe::SlotMouseEnter(TObject* Sender) {
    auto* slot = static_cast<TXLabel*>(Sender);
    if (!CursorStillOver(slot)) return;
    PlaySoundFile(AppDir + "hry\\kdotoje\\a_zvuky\\" + GameCodeList43[slot->Tag - 1].Code + ".wav");
}

bool TwndKdoToJe::CursorStillOver(const TXLabel* Slot) {
    // A plain sleep: input that comes meanwhile waits in the queue.
    Sleep(HoverMs);
    TPoint p;
    GetCursorPos(&p);
    return Slot->Left() <= p.X && p.X <= Slot->Left() + Slot->Width() && Slot->Top() <= p.Y &&
           p.Y <= Slot->Top() + Slot->Height();
}
