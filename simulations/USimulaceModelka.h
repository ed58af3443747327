// The model: six choosers around a figure each put on the next garment of
// their kind; garments that cannot be worn together take each other off,
// and a press on the body takes off what covers that part of it. No goal
// and no end. Made anew by the simulations menu; it frees itself when
// closed.
#pragma once

#include <memory>
#include <vector>

#include "platform/print/printdialog.h"
#include "shell/OneBased.h"
#include "shell/RegionHitTest.h"
#include "shell/ScreenFrame.h"
#include "simulations/ModelKinds.h"
#include "simulations/PrintPicture.h"

inline constexpr int GarmentKindCount = 6;

// The kinds by their chooser's Tag.
enum TGarment : Byte { gShoes = 1, gTrousers, gShirt, gDress, gSkirt, gTShirt };

// What is worn: the item of each kind (0-based) and whether it is on. The
// rules of putting on and taking off, apart from the pictures.
struct TWardrobe {
    // By Tag 1..6. Each kind starts at its last item, so that the first
    // choice puts on item 1.
    TOneBased<Byte, GarmentKindCount> GarmentIndex;
    TOneBased<bool, GarmentKindCount> GarmentWorn;

    TWardrobe();
    // The next item of the kind goes on, and what it cannot be worn with
    // comes off.
    void Select(Byte Tag);
    // What covers a body region comes off: 0 upper body, 1 legs, 2 feet.
    void Undress(int Region);
    // The item a chooser's next press puts on.
    Byte NextItem(Byte Tag) const;

private:
    // A set of kinds, one bit each by Tag.
    void TakeOff(Byte Garments);
};

class TwndSimulaceModelka : public TScreenFrame {
public:
    explicit TwndSimulaceModelka(TComponent* AOwner);
    ~TwndSimulaceModelka() override;

    TPrintDialog* PrintDialog = nullptr;
    // Buffer as loaded with the help button drawn in: every redraw starts
    // from it.
    std::unique_ptr<TBitmap> CleanBuffer;
    // Black outside the body, its regions separated by black; placed at
    // BodyMaskOrigin.
    std::unique_ptr<TBitmap> BodyMask;
    // By Tag 1..6.
    TOneBased<TXLabel*, GarmentKindCount> Choosers;
    TOneBased<std::vector<std::unique_ptr<TBitmap>>, GarmentKindCount> PreviewBitmaps;
    TOneBased<std::vector<std::unique_ptr<TBitmap>>, GarmentKindCount> WornBitmaps;
    TWardrobe Wardrobe;

    void FormCreate(TObject* Sender);
    void PrintClick(TObject* Sender) override;
    void SelectGarment(TObject* Sender);
    void RedrawModel();
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    bool OnBody(int X, int Y) const;
    std::unique_ptr<TRegionHitTest> bodyRegions_;
};

extern TwndSimulaceModelka* wndSimulaceModelka;
