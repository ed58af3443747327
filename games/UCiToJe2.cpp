#include "games/UCiToJe2.h"

#include "games/UCiToJe.h"
#include "platform/core/strings.h"

TwndCiToJe2* wndCiToJe2 = nullptr;

namespace {

constexpr TPoint PictureAt{145, 20};
constexpr DWORD DeliveredMs = 2000;
constexpr DWORD PlaceMs = 3000;

}  // namespace

TwndCiToJe2::TwndCiToJe2(TComponent* AOwner, TwndCiToJe* Game)
    : TScreenFrame(AOwner, {.Caption = "Velamo", .CloseAction = caHide, .StopSoundOnDeactivate = true}),
      game_(Game) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    DoCreate();
}

void TwndCiToJe2::FormCreate(TObject*) {
    Buffer->LoadFromFile(AppDir + "hry\\citoje\\pozadi2.bmp");
    DeliveredBitmap = std::make_unique<TBitmap>();
    PlaceBitmap = std::make_unique<TBitmap>();
}

void TwndCiToJe2::FormDestroy(TObject*) {
    if (game_) game_->resultWindow_ = nullptr;
}

void TwndCiToJe2::ShowDelivered(Byte Place, Byte Thing) {
    PlaceBitmap->LoadFromFile(TownGamePicture(Place, ".bmp"));
    DeliveredBitmap->LoadFromFile(TownGamePicture(Place, "B\\" + IntToStr(Thing) + ".bmp"));
    // Each delivery paints over the one before at the same point.
    Buffer->Canvas()->Draw(PictureAt.X, PictureAt.Y, DeliveredBitmap.get());
    Show();
    if (!WaitWithGame(DeliveredMs)) return;

    Buffer->Canvas()->Draw(PictureAt.X, PictureAt.Y, PlaceBitmap.get());
    Repaint();
    PlaySoundFile(AppDir + "sound\\spravne.wav");
    if (!WaitWithGame(PlaceMs)) return;

    Hide();
    game_->NewThing();
}

bool TwndCiToJe2::WaitWithGame(DWORD Ms) {
    if (game_ && game_->Pause(Ms)) return true;
    Hide();
    return false;
}
