#include "shell/PictureMenu.h"

TPictureMenu::TPictureMenu(TComponent* AOwner, const char* Caption)
    : TScreenFrame(AOwner, {.Caption = Caption, .CloseAction = caHide}) {}

void TPictureMenu::CreateMenu(const String& Folder, std::initializer_list<TBarButton> Bar,
                              std::span<const TMenuEntry> Entries) {
    Buffer->LoadFromFile(AppDir + Folder + "pozadi.bmp");
    CreateBottomBar(Bar);

    Items = std::vector<TMenuItem>(Entries.size());
    for (const TMenuEntry& e : Entries) {
        TMenuItem& item = Item(e.Tag);
        item.HoverBitmap = std::make_unique<TBitmap>();
        item.NormalBitmap = std::make_unique<TBitmap>();
        item.Label = new TXLabel(this, 0, 0, 10, 10);
        item.Label->Tag = e.Tag;
        item.Label->OnClick = [this](TObject* s) { ItemClick(s); };
        item.Label->OnMouseEnter = [this](TObject* s) { ItemEnter(s); };
        item.Label->OnMouseLeave = [this](TObject* s) { ItemLeave(s); };
    }
    for (const TMenuEntry& e : Entries) {
        TMenuItem& item = Item(e.Tag);
        item.HoverBitmap->LoadFromFile(AppDir + Folder + e.Name + "2.bmp");
        item.NormalBitmap->LoadFromFile(AppDir + Folder + e.Name + "1.bmp");
        item.Position = e.Position;
        const TRect& r = e.HotArea;
        item.Label->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
}

void TPictureMenu::DrawItem(int Tag, TBitmap* Picture) {
    const TMenuItem& item = Item(Tag);
    BitBlt(Canvas(), item.Position.X, item.Position.Y, Picture->Width(), Picture->Height(), Picture->Canvas(), 0, 0,
           SRCCOPY);
}

void TPictureMenu::ItemEnter(TObject* Sender) {
    const int tag = static_cast<TComponent*>(Sender)->Tag;
    DrawItem(tag, Item(tag).HoverBitmap.get());
}

void TPictureMenu::ItemLeave(TObject* Sender) {
    const int tag = static_cast<TComponent*>(Sender)->Tag;
    DrawItem(tag, Item(tag).NormalBitmap.get());
}

void TPictureMenu::ItemClick(TObject* Sender) {
    EntryClick(static_cast<TComponent*>(Sender)->Tag);
    Close();
}
