// A menu screen of pictures: its background holds every entry in its normal
// look; while the mouse is in an entry's hot area, the entry's hover picture
// shows on the window (not in Buffer, so a repaint shows the normal look).
// The games menu and the simulations menu are made of it.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "shell/MenuEntry.h"
#include "shell/ScreenFrame.h"

struct TMenuItem {
    std::unique_ptr<TBitmap> HoverBitmap;
    std::unique_ptr<TBitmap> NormalBitmap;
    TPoint Position{};
    TXLabel* Label = nullptr;  // Tag: the entry's number
};

class TPictureMenu : public TScreenFrame {
public:
    TPictureMenu(TComponent* AOwner, const char* Caption);

    // In tag order: the entry of tag T is Item(T).
    std::vector<TMenuItem> Items;

protected:
    // Loads Buffer from Folder + "pozadi.bmp", creates the bar's buttons and
    // the entries' hot areas, then loads each entry's two pictures and places
    // its hot area. Folder is relative to AppDir and ends in "\".
    void CreateMenu(const String& Folder, std::initializer_list<TBarButton> Bar, std::span<const TMenuEntry> Entries);
    // The entry chosen, by its tag; the menu closes afterwards.
    virtual void EntryClick(int Tag) = 0;

private:
    void ItemEnter(TObject* Sender);
    void ItemLeave(TObject* Sender);
    void ItemClick(TObject* Sender);
    // Tags count from 1; tag 0 or one past the entries is a fault and throws.
    TMenuItem& Item(int Tag) { return Items.at(std::size_t(Tag) - 1); }
    void DrawItem(int Tag, TBitmap* Picture);
};
