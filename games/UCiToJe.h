// The town game "Čí to je": a thing in its box at the bottom right belongs to
// one of the town's places; the child finds the place in the scrolling town
// and clicks it. A right delivery shows the result window, the third wrong
// one the place's profession page; then the next thing comes.
#pragma once

#include "shell/TownPanorama.h"

class TwndCiToJe2;

class TwndCiToJe : public TTownPanorama {
public:
    explicit TwndCiToJe(TComponent* AOwner);

    // The thing's box: a click picks the thing up or puts it back.
    TLabel* lbObjekt;

    // The place (its profession number) the thing belongs to, 0 before the
    // first thing, and which of the place's things it is (1..ThingCount).
    Byte ThingPlace = 0;
    Byte ThingVariant = 0;
    std::unique_ptr<TBitmap> ThingBitmap;  // magenta transparent
    // The thing drawn under the mouse, its top-left corner at CarryPoint.
    bool Carrying = false;
    TPoint CarryPoint{};
    Byte WrongAnswers = 0;

    // The next thing, at random among the places that take part.
    void NewThing();

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void MestoMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void MestoMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Moves over the box and the bar's buttons, handed on in window pixels
    // so that the carried thing follows the mouse there too.
    void ObjektMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void lbObjektClick(TObject* Sender);

protected:
    // The thing in its box, the name plate of the place under the mouse and
    // the carried thing.
    void DrawOverFrame() override;

private:
    friend class TwndCiToJe2;
    // A move to window point (X, Y); alsoShown is redrawn too.
    void MoveOver(int X, int Y, const TRect& alsoShown);
    // After a move: the whole town when nothing is carried, else only where
    // the picture changed.
    void RedrawMove(const TRect& thingWas, const TRect& alsoShown);
    TRect PlateArea(Byte Place) const;
    // The carried thing's place at CarryPoint.
    TRect CarriedArea() const;
    // The name plate in the Buffer since the last drawing; 0 none.
    Byte plateDrawn_ = 0;
    // The result window made with this game and released with it; each
    // forgets the other when it goes first.
    TwndCiToJe2* resultWindow_ = nullptr;
};

extern TwndCiToJe* wndCiToJe;

// A picture of the game under AppDir: "hry\citoje\" + Place + Rest, the
// numbers as plain decimals ("A\2.bmp": thing 2 of the place, "B\2.bmp":
// its delivery, ".bmp": the place).
String TownGamePicture(Byte Place, const String& Rest);
