#include "games/UPoradek.h"

#include <set>

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"
#include "platform/core/strings.h"
#include "platform/gfx/pixels.h"

TwndPoradek* wndPoradek = nullptr;

namespace {

constexpr int PersonTop = 62, PersonWidth = 120, PersonHeight = 194;
constexpr int SlotSize = 56;
// The carried picture's top-left corner lies this far up and left of the
// pointer: half a slot.
constexpr int CarryOffset = 28;
constexpr DWORD MistakeMs = 500, NextRoundMs = 1000;

struct TPoradekMode {
    const char* const* Codes;
    int Count;
    const char* Persons;  // folder under "hry\poradek\"
    const char* Things;
    const char* Help;
};

constexpr TPoradekMode Modes[2] = {
    {PoradekToolCodes, int(std::size(PoradekToolCodes)), "post_n", "nastr", "polda"},
    {PoradekCapCodes, int(std::size(PoradekCapCodes)), "post_c", "cepice", "popel"},
};

String Folder() { return AppDir + "hry\\poradek\\"; }

void LoadTransparent(TBitmap* Bitmap, const String& FileName) {
    Bitmap->LoadFromFile(FileName);
    Bitmap->TransparentColor = clFuchsia;
    Bitmap->Transparent = true;
}

}  // namespace

TwndPoradek::TwndPoradek(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Hry: Dej to do pořádku", .Menu = TScreenMenu::Games}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndPoradek::~TwndPoradek() = default;

void TwndPoradek::FormCreate(TObject*) {
    Randomize();
    Image = new TImage(this);
    Image->SetParent(this);
    Image->Hide();
    Buffer->LoadFromFile(Folder() + "pozadi.bmp");
    CleanBuffer = std::make_unique<TBitmap>();
    CarryFrame = std::make_unique<TBitmap>();
    CarrySnapshot = std::make_unique<TBitmap>();
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Help});
    DrawBarButton(TBarButton::Help);
    CleanBuffer->Assign(Buffer);
    // The carried thing follows the pointer over the labels too.
    const TMouseMoveEvent carryOver = [this](TObject* s, TShiftState sh, int x, int y) {
        ControlMouseMove(s, sh, x, y);
    };

    for (int i = 1; i <= PersonCount; ++i) {
        auto* person = new TXLabel(this, 39 + 110 * (i - 1), PersonTop, PersonWidth, PersonHeight);
        person->SetCursor(ArrowCursor);
        person->Tag = i;
        person->OnClick = [this](TObject* s) { PersonClick(s); };
        person->OnMouseMove = carryOver;
        PersonLabels[i] = person;
        for (int k = 1; k <= 2; ++k) PersonBitmaps[i][k] = std::make_unique<TBitmap>();
    }
    for (int k = 1; k <= SlotCount; ++k) {
        SlotPoints[k] = {51 + 60 * (k - 1), 283};
        auto* slot = new TXLabel(this, SlotPoints[k].X, SlotPoints[k].Y, SlotSize, SlotSize);
        slot->Tag = k;
        slot->OnClick = [this](TObject* s) { SlotClick(s); };
        slot->OnMouseMove = carryOver;
        SlotLabels[k] = slot;
        for (int j = 1; j <= 2; ++j) ItemBitmaps[k][j] = std::make_unique<TBitmap>();
    }
    EmptySlotBitmap = std::make_unique<TBitmap>();
    EmptySlotBitmap->LoadFromFile(Folder() + "empty.bmp");
    MessagePicture = std::make_unique<TBitmap>();
    MessagePicture->LoadFromFile(Folder() + "hlaska.bmp");
    OnClick = [this](TObject* s) { FormClick(s); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
}

void TwndPoradek::NewRound() {
    // A thing picked up during the pause before a new round would
    // otherwise be carried into a round whose things are others.
    if (Carrying) EndCarrying();
    ++round_;
    const TPoradekMode& mode = Modes[Mode == 0 ? 0 : 1];
    HelpFile = mode.Help;
    for (int k = 1; k <= SlotCount; ++k) {
        SlotItem[k] = 0;
        SlotLabels[k]->SetCursor(HandCursor);
    }
    Buffer->Assign(CleanBuffer.get());
    Mistakes = 0;

    // Person i and thing i are of one profession; things 6..9 of four more.
    std::set<int> taken;
    for (int i = 1; i <= SlotCount; ++i) {
        const String code = mode.Codes[DrawDistinct(mode.Count, taken) - 1];
        for (int k = 1; k <= 2; ++k) {
            const String suffix = IntToStr(k) + ".bmp";
            if (i <= PersonCount)
                LoadTransparent(PersonBitmaps[i][k].get(), Folder() + mode.Persons + "\\" + code + suffix);
            LoadTransparent(ItemBitmaps[i][k].get(), Folder() + mode.Things + "\\" + code + suffix);
        }
    }

    // No thing 1..8 in the slot of its own number; slot 9 takes the last
    // thing left, whichever it is.
    std::array<bool, SlotCount + 1> placed{};
    for (int i = 1; i <= SlotCount; ++i) {
        int n;
        do {
            n = Random(SlotCount) + 1;
        } while (placed[n] || (n == i && i != SlotCount));
        placed[n] = true;
        SlotItem[i] = Byte(n);
    }

    for (int i = 1; i <= SlotCount; ++i) {
        if (i <= PersonCount) {
            Buffer->Canvas()->Draw(PersonLabels[i]->Left(), PersonLabels[i]->Top(), PersonBitmaps[i][1].get());
            PersonLabels[i]->SetEnabled(true);
        }
        Buffer->Canvas()->Draw(SlotPoints[i].X, SlotPoints[i].Y, ItemBitmaps[SlotItem[i]][1].get());
    }
}

void TwndPoradek::StartNewRound() {
    NewRound();
    Repaint();
}

void TwndPoradek::SlotClick(TObject* Sender) {
    auto* slot = static_cast<TXLabel*>(Sender);
    // Not under the message window: the pointer would hide over its buttons.
    if (slot->Cursor() != HandCursor || !InFront()) return;
    // A second pick-up only swaps the carried thing; the pointer stays hidden.
    Carrying = true;
    CarriedItem = SlotItem[std::size_t(slot->Tag)];
    HidePointer(true);
    CarrySnapshot->Assign(Buffer);
    // The window is repainted from the Buffer: the carried frame starts as
    // the snapshot, the thing not yet drawn.
    CarryFrame->Assign(CarrySnapshot.get());
    carriedAt_ = {};
    Image->Picture()->Assign(ItemBitmaps[std::size_t(CarriedItem)][2].get());
    Image->Picture()->Bitmap()->Transparent = true;
    Repaint();
}

void TwndPoradek::DrawCarried(int X, int Y, const TRect& alsoShown) {
    TBitmap* thing = Image->Picture()->Bitmap();
    const TRect last = carriedAt_;
    carriedAt_ = gfx::SafeBounds(X - CarryOffset, Y - CarryOffset, thing->Width(), thing->Height());
    // Only the thing's last place and its new one change in the carried
    // frame; the window gets both, and the frame over whatever else was
    // drawn on it at alsoShown. Each copy clips to the surfaces.
    CarryFrame->Canvas()->CopyRect(last, CarrySnapshot->Canvas(), last);
    CarryFrame->Canvas()->Draw(carriedAt_.Left, carriedAt_.Top, thing);
    for (const TRect& r : {last, carriedAt_, alsoShown}) Canvas()->CopyRect(r, CarryFrame->Canvas(), r);
}

void TwndPoradek::FormMouseMove(TObject*, TShiftState, int X, int Y) {
    if (Carrying) DrawCarried(X, Y);
}

void TwndPoradek::ControlMouseMove(TObject* Sender, TShiftState, int X, int Y) {
    auto* control = static_cast<TControl*>(Sender);
    if (Carrying) DrawCarried(control->Left() + X, control->Top() + Y);
}

// Over the leaving buttons too (not over the help button). They draw their
// hover picture on the window as the pointer enters them: the carried frame
// covers the button's place.
void TwndPoradek::PointerOverLeavingButton(int X, int Y) {
    if (!Carrying) return;
    TRect button{};
    for (TBarButton which : {TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu})
        if (const TBMPLabel* b = BarButton(which); b && b->BoundsRect().Contains(X, Y)) button = b->BoundsRect();
    DrawCarried(X, Y, button);
}

void TwndPoradek::EndCarrying() {
    Carrying = false;
    HidePointer(false);
}

void TwndPoradek::Drop() {
    if (!Carrying) return;
    EndCarrying();
    BitBlt(Canvas(), 0, 0, 640, 480, CarrySnapshot->Canvas(), 0, 0, SRCCOPY);
}

void TwndPoradek::FormClick(TObject*) { Drop(); }

// Every bar button that leaves or asks to shows its target first, which
// deactivates this screen: the thing is put down before the button acts.
void TwndPoradek::FormDeactivate(TObject* Sender) {
    Drop();
    TScreenFrame::FormDeactivate(Sender);
}

void TwndPoradek::DrawPersons() {
    for (int i = 1; i <= PersonCount; ++i) {
        TXLabel* person = PersonLabels[i];
        Buffer->Canvas()->Draw(person->Left(), person->Top(), PersonBitmaps[i][person->Enabled() ? 1 : 2].get());
    }
}

bool TwndPoradek::AllServed() const {
    for (int i = 1; i <= PersonCount; ++i)
        if (PersonLabels[i]->Enabled()) return false;
    return true;
}

void TwndPoradek::PersonClick(TObject* Sender) {
    if (!Carrying) return;
    const int person = static_cast<TComponent*>(Sender)->Tag;
    if (person == CarriedItem) {
        PlaySoundFile(AppDir + "sound\\spravne.wav");
        for (int k = 1; k <= SlotCount; ++k) {
            if (SlotItem[k] != person) continue;
            SlotLabels[k]->SetCursor(ArrowCursor);
            Buffer->Canvas()->Draw(SlotPoints[k].X, SlotPoints[k].Y, EmptySlotBitmap.get());
        }
        PersonLabels[person]->SetEnabled(false);
        EndCarrying();
        DrawPersons();
    } else {
        PlaySoundFile(AppDir + "sound\\spatne.wav");
        ++Mistakes;
        // Only the press that made the limit ends the round, and only while
        // that round lasts: presses judged during the pause do not repeat
        // the message.
        const bool limit = Mistakes == MistakeLimit;
        const unsigned round = round_;
        if (!Pause(MistakeMs)) return;
        if (limit && round == round_) {
            EndCarrying();
            ShowGameMessage("Poradek", MessagePicture.get());
        }
    }
    Repaint();
    if (AllServed()) {
        if (!Pause(NextRoundMs)) return;
        NewRound();
        Repaint();
    }
}
