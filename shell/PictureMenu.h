// A menu screen of pictures: its background holds every entry in its normal
// look; while the mouse is in an entry's hot area, the entry's hover picture
// shows on the window (not in Buffer, so a repaint shows the normal look).
// The games menu and the simulations menu are made of it.
#pragma once

#include <span>
#include <vector>

#include "shell/MenuEntry.h"
#include "shell/ScreenFrame.h"

struct TMenuItem {
    TBitmap* HoverBitmap = nullptr;
    TBitmap* NormalBitmap = nullptr;
    TPoint Position{};
    TXLabel* Label = nullptr;  // Tag: the entry's number
};

class TPictureMenu : public TScreenFrame {
public:
    TPictureMenu(TComponent* AOwner, const char* Caption);
    ~TPictureMenu() override;

    // 1-based as the entries' tags: Items[0] is unused.
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
    void DrawItem(int Tag, TBitmap* Picture);
};
